#include "app/ReviewItemTexts.h"

#include "framework/format.h"
#include "results/review_texts.h"

#include <QCoreApplication>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Translated(const char* words)
{
    return QCoreApplication::translate("ReviewPane", words);
}

} // namespace

QString ReviewValueText(const ClassReviewItem& item, const std::string& value)
{
    if (value == "?")
        return Translated("อ่านไม่ได้");
    if (item.kind == ClassReviewKind::Absent)
        return value == "ok" ? Translated("ขาดสอบ") : Translated("ยังไม่ยืนยัน");
    if (item.kind != ClassReviewKind::Question)
        return Text(value);
    return value.empty() ? Translated("ไม่ระบาย") : Text(value);
}

QString ReviewItemPlace(const ClassReviewItem& item)
{
    switch (item.kind) {
    case ClassReviewKind::NotOnList:
    case ClassReviewKind::SameId:
        return Translated("รหัสผู้สอบ");
    case ClassReviewKind::Refused:
        return Translated("ทั้งหน้า");
    case ClassReviewKind::Absent:
        return Translated("นักเรียนในรายชื่อ");
    default:
        return Text(ReviewPlaceText(item.item));
    }
}

QString ReviewItemWhy(const ClassReviewItem& item)
{
    switch (item.kind) {
    case ClassReviewKind::NotOnList:
        return Translated("รหัสนี้ไม่อยู่ในรายชื่อนักเรียน");
    case ClassReviewKind::SameId:
        return Translated("รหัสนี้อยู่ในกระดาษคำตอบมากกว่าหนึ่งแผ่น");
    case ClassReviewKind::Refused:
        return Text(RefusedText(item.first));
    case ClassReviewKind::Absent:
        return Translated("ไม่พบกระดาษคำตอบของนักเรียนคนนี้: Enter = ขาดสอบ หรือแก้รหัสของแผ่นที่อ่านผิด");
    default:
        return item.doubt ? Text(ReviewReasonText(item.doubt->why, item.doubt->figures)) : QString();
    }
}

// Both readings with each box's darkness, as a small table.
QString ReviewItemReadings(const ClassReviewItem& item)
{
    if (item.firstDarkness.empty()) {
        if (item.kind == ClassReviewKind::Refused || item.kind == ClassReviewKind::Absent)
            return QString(); // its reason says it all
        if (item.kind == ClassReviewKind::Sheet)
            return Translated("อ่านครั้งแรก: %1<br>อ่านครั้งที่สอง: %2")
                .arg(Text(ReviewReadingText(item.first)), Text(ReviewReadingText(item.second)));
        QString text = Translated("อ่านครั้งแรก: %1<br>อ่านครั้งที่สอง: %2").arg(Text(item.first), Text(item.second));
        for (size_t n = 0; n < item.suggestions.size(); ++n)
            text
                += Translated("<br>กด %1: %2 %3")
                       .arg(n + 1)
                       .arg(Text(FormatText("%08d", item.suggestions[n].id)), Text(item.suggestions[n].name));
        return text;
    }
    const bool question = item.kind == ClassReviewKind::Question;
    QString html = QStringLiteral("<table cellspacing=4><tr><td></td>");
    for (size_t box = 0; box < item.firstDarkness.size(); ++box)
        html += QStringLiteral("<th>%1</th>")
                    .arg(question ? QChar('a' + static_cast<int>(box)) : QChar('0' + static_cast<int>(box)));
    const auto row
        = [&html, &item](const QString& name, const std::string& value, const std::vector<int>& darkness) {
              html += QStringLiteral("<tr><td>%1: <b>%2</b></td>").arg(name, ReviewValueText(item, value));
              for (const int dark : darkness)
                  html += QStringLiteral("<td align=right>%1</td>")
                              .arg(dark < 0 ? QStringLiteral("–") : QString::number(dark));
              html += QStringLiteral("</tr>");
          };
    row(Translated("ครั้งแรก"), item.first, item.firstDarkness);
    row(Translated("ครั้งที่สอง"), item.second, item.secondDarkness);
    return html + QStringLiteral("</table>") + Translated("ตัวเลขใต้ช่อง: ครั้งแรกนับจุดดำ ครั้งที่สองวัดความเข้มของหมึก");
}
