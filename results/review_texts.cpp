#include "results/review_texts.h"

#include <QCoreApplication>

namespace {

// The translations' context, named so that lupdate finds every text.
class ReviewTexts {
    Q_DECLARE_TR_FUNCTIONS(ReviewTexts)
};

QString Number(double value, int decimals = 0)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

std::string ReviewPlaceText(const std::string& item)
{
    if (item.rfind("id:", 0) == 0)
        return ReviewTexts::tr("รหัสหลักที่ %1").arg(QString::fromStdString(item.substr(3))).toStdString();
    if (item.size() > 1 && item[0] == 'q')
        return ReviewTexts::tr("ข้อ %1").arg(QString::fromStdString(item.substr(1))).toStdString();
    if (item == "tilt")
        return ReviewTexts::tr("ความเอียงของแผ่น").toStdString();
    if (item == "mark")
        return ReviewTexts::tr("เครื่องหมายอ้างอิง").toStdString();
    if (item == "checked")
        return ReviewTexts::tr("แผ่นที่ตรวจแล้ว").toStdString();
    return item;
}

std::string ReviewReadingText(const std::string& reading)
{
    // A question's reading: its score letter, then the letters the second reading found.
    static const std::pair<char, const char*> kScores[] = { { 'C', QT_TRANSLATE_NOOP("ReviewTexts", "ถูก") },
        { 'W', QT_TRANSLATE_NOOP("ReviewTexts", "ผิด") }, { 'E', QT_TRANSLATE_NOOP("ReviewTexts", "ผิดรูป") } };
    for (const auto& [letter, words] : kScores)
        if (!reading.empty() && reading[0] == letter && (reading.size() == 1 || reading[1] == ' ')) {
            const std::string letters = reading.size() > 2 ? reading.substr(2) : std::string();
            if (letters.empty())
                return ReviewTexts::tr(words).toStdString();
            return ReviewTexts::tr("%1 (%2)")
                .arg(ReviewTexts::tr(words),
                    letters == "-" ? ReviewTexts::tr("ไม่ได้ระบาย") : QString::fromStdString(letters))
                .toStdString();
        }
    if (reading == "none")
        return ReviewTexts::tr("ไม่มี").toStdString();
    if (reading == "several")
        return ReviewTexts::tr("หลายช่อง").toStdString();
    const std::string degrees = " deg";
    if (reading.size() > degrees.size()
        && reading.compare(reading.size() - degrees.size(), degrees.size(), degrees) == 0)
        return ReviewTexts::tr("%1 องศา")
            .arg(QString::fromStdString(reading.substr(0, reading.size() - degrees.size())))
            .toStdString();
    return reading;
}

std::string ReviewReasonText(ReviewReason why, const std::array<double, 2>& figures)
{
    switch (why) {
    case ReviewReason::LightMark:
        return ReviewTexts::tr("รอยระบายจาง: ช่องเฉลยมีจุดสีดำ %1 จุด").arg(Number(figures[0])).toStdString();
    case ReviewReason::TwoBoxes:
        return ReviewTexts::tr("ระบายสองช่อง แต่ไม่ถูกนับเป็นข้อผิดรูป").toStdString();
    case ReviewReason::NearRejection:
        return ReviewTexts::tr("เกือบถูกนับเป็นข้อผิดรูป (ห่างอีก %1 คอลัมน์)").arg(Number(figures[0])).toStdString();
    case ReviewReason::NoIdMark:
        return ReviewTexts::tr("ไม่มีรอยระบายในหลักนี้").toStdString();
    case ReviewReason::TwoIdMarks:
        return ReviewTexts::tr("ระบายสองช่อง: %1 และ %2")
            .arg(Number(figures[0]), Number(figures[1]))
            .toStdString();
    case ReviewReason::DarkestElsewhere:
        return ReviewTexts::tr("อ่านได้ %1 แต่ช่องที่เข้มที่สุดคือ %2")
            .arg(Number(figures[0]), Number(figures[1]))
            .toStdString();
    case ReviewReason::ReadingsDiffer:
        return ReviewTexts::tr("การอ่านสองครั้งได้ผลไม่ตรงกัน").toStdString();
    case ReviewReason::Turned:
        return ReviewTexts::tr("กระดาษเอียง: เครื่องหมายคลาดจากช่องที่อ่านครั้งแรก %1 จุดภาพ")
            .arg(Number(figures[0], 1))
            .toStdString();
    case ReviewReason::NoSecondMark:
        return ReviewTexts::tr("การอ่านครั้งที่สองไม่พบเครื่องหมายอ้างอิง").toStdString();
    case ReviewReason::NotSolidMark:
        return ReviewTexts::tr("จุดอ้างอิงไม่ใช่มุมของเครื่องหมายสีดำทึบ").toStdString();
    case ReviewReason::CheckedBefore:
        return ReviewTexts::tr("แผ่นนี้มีสีของการตรวจครั้งก่อนอยู่แล้ว").toStdString();
    case ReviewReason::ErasedResidue:
        return ReviewTexts::tr("รอยลบไม่สะอาด").toStdString();
    case ReviewReason::RingOnly:
        return ReviewTexts::tr("วงรอบตัวอักษร ไม่ได้ระบายช่อง").toStdString();
    case ReviewReason::SmallFill:
        return ReviewTexts::tr("ระบายไม่เต็มช่อง").toStdString();
    case ReviewReason::CloseMarks:
        return ReviewTexts::tr("มีช่องที่เข้มเกือบเท่ารอยระบาย").toStdString();
    }
    return ReviewTexts::tr("การอ่านสองครั้งได้ผลไม่ตรงกัน").toStdString();
}

std::string ReviewListText(const SheetReview& review)
{
    QStringList places;
    for (const ReviewItem& item : review.items)
        places << QString::fromStdString(ReviewPlaceText(item.item));
    return places.join(QStringLiteral(", ")).toStdString();
}

std::string ReviewItemText(const ReviewItem& item)
{
    QString doubt = QStringLiteral("%1: %2").arg(QString::fromStdString(ReviewPlaceText(item.item)),
        QString::fromStdString(ReviewReasonText(item.why, item.figures)));
    // A question or an ID column: what each reading made of it, for the teacher to judge.
    if (item.item.starts_with('q') || item.item.starts_with("id:"))
        doubt += ReviewTexts::tr(" (ครั้งแรก %1, ครั้งที่สอง %2)")
                     .arg(QString::fromStdString(ReviewReadingText(item.first)),
                         QString::fromStdString(ReviewReadingText(item.second)));
    return doubt.toStdString();
}

std::string ReviewDetailText(const SheetReview& review)
{
    QStringList doubts;
    for (const ReviewItem& item : review.items)
        doubts << QString::fromStdString(ReviewItemText(item));
    if (!doubts.isEmpty() && review.UntoldTurn() != 0)
        doubts << ReviewTexts::tr("กระดาษเอียง %1 องศา").arg(review.UntoldTurn(), 0, 'f', 2);
    // The first reading reads the printed sheet's own size: a shrunk one is said always.
    if (review.ShrunkToPercent() != 0)
        doubts << ReviewTexts::tr("พิมพ์ย่อเหลือ %1 % ของขนาดจริง").arg(review.ShrunkToPercent(), 0, 'f', 0);
    return doubts.isEmpty()
        ? std::string()
        : ReviewTexts::tr("ควรตรวจสอบ %1").arg(doubts.join(QStringLiteral("; "))).toStdString();
}

std::string RefusedText(const std::string& refusal)
{
    return ReviewTexts::tr("ตรวจไม่ได้: %1").arg(QString::fromStdString(refusal)).toStdString();
}

std::string UnreportedText()
{
    return ReviewTexts::tr("ไม่ได้บันทึกผล: การตรวจไปไม่ถึงข้อสุดท้ายของเฉลย").toStdString();
}

std::string CheckKeyText()
{
    return ReviewTexts::tr("ตรวจเฉลย").toStdString();
}

std::string SettledHowText(const std::string& how)
{
    if (how == "second")
        return ReviewTexts::tr("ใช้การอ่านครั้งที่สอง").toStdString();
    if (how == "typed")
        return ReviewTexts::tr("ครูระบุ").toStdString();
    if (how == "first")
        return ReviewTexts::tr("ใช้การอ่านครั้งแรก").toStdString();
    if (how == "policy")
        return ReviewTexts::tr("ใช้การอ่านครั้งที่สองทั้งห้อง").toStdString();
    return how;
}
