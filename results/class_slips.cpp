#include "results/class_slips.h"

#include "framework/format.h"
#include "image/rgb_picture_qt.h"
#include "results/pdf_pages.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

namespace {

using namespace pdf;

constexpr int kSlipsPerPage = 3;
constexpr double kSlipHeight = kPageHeight / kSlipsPerPage;
constexpr int kGridColumns = 10;
constexpr double kCellHeight = 4.6;
const QRectF kIdPicture(150, 4, 45, 30); // within the slip, millimetres

int KeyedCount(const ClassWorkbook& book)
{
    return static_cast<int>(
        std::count_if(book.key.begin(), book.key.end(), [](const std::string& a) { return !a.empty(); }));
}

void CutLine(QPainter& painter, double y)
{
    painter.setPen(QPen(kRule, Units(0.3), Qt::DashLine));
    painter.drawLine(QPointF(0, Units(y)), QPointF(Units(kPageWidth), Units(y)));
}

void IdPicture(Pages& pages, const QImage& idArea, double top)
{
    const QRectF frame = Box(kIdPicture.x(), top + kIdPicture.y(), kIdPicture.width(), kIdPicture.height());
    pages.painter().setPen(QPen(kRule, Units(0.2)));
    pages.painter().drawRect(frame);
    if (idArea.isNull())
        return;
    const QSizeF fitted = QSizeF(idArea.size()).scaled(frame.size() * 0.94, Qt::KeepAspectRatio);
    pages.painter().drawImage(
        QRectF(frame.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), idArea);
    pages.Font(6.5);
    pages.Write(kIdPicture.x(), top + kIdPicture.bottom(), kIdPicture.width(),
        QString::fromUtf8("รหัสที่ระบายบนกระดาษคำตอบ"), Qt::AlignHCenter);
}

// Each keyed question: its number, the key, and the letters read on the sheet.
void AnswerGrid(Pages& pages, const ClassWorkbook& book, const ClassSheetRow& row, double top)
{
    const double width = (kPageWidth - 2 * kMargin) / kGridColumns;
    int cell = 0;
    for (size_t q = 0; q < book.key.size(); ++q) {
        if (book.key[q].empty())
            continue;
        const double x = kMargin + width * (cell % kGridColumns);
        const double y = top + kCellHeight * (cell / kGridColumns);
        ++cell;
        const std::optional<QuestionScore>& score = row.answers.scores[q];
        const bool right = score == QuestionScore::Correct;
        const std::string& read = row.answers.marked[q];
        const QString text = QStringLiteral("%1 %2 %3%4")
                                 .arg(q + 1)
                                 .arg(Text(book.key[q]))
                                 .arg(read.empty() ? QStringLiteral("–") : Text(read))
                                 .arg(right ? QString() : QStringLiteral(" ✗"));
        pages.Font(7, !right, right ? kInk : kFlag);
        pages.painter().drawText(Box(x, y, width, kCellHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// Each keyed question under the plan: its number, the letters it accepts, the letters read
// and the points it gave; marked when it gave less than all its points.
void PlanGrid(Pages& pages, const ClassWorkbook& book, const ClassSheetRow& row, double top)
{
    constexpr int kColumns = 8;
    constexpr double kHeight = 4.3;
    const double width = (kPageWidth - 2 * kMargin) / kColumns;
    int cell = 0;
    for (size_t q = 0; q < book.key.size(); ++q) {
        if (book.key[q].empty())
            continue;
        const double x = kMargin + width * (cell % kColumns);
        const double y = top + kHeight * (cell / kColumns);
        ++cell;
        const PlannedQuestion& planned = book.plan->questions[q];
        const Hundredths points = row.planned->questions[q];
        const bool full = points >= planned.points;
        const std::string& read = row.answers.marked[q];
        const QString text = QStringLiteral("%1 %2 %3 %4%5")
                                 .arg(q + 1)
                                 .arg(Text(planned.letters.empty() ? book.key[q] : planned.letters))
                                 .arg(read.empty() ? QStringLiteral("–") : Text(read))
                                 .arg(Text(HundredthsText(points)))
                                 .arg(full ? QString() : QStringLiteral(" ✗"));
        pages.Font(7, !full, full ? kInk : kFlag);
        pages.painter().drawText(Box(x, y, width, kHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// The points, grade and sections under the plan, then each question's points.
void PlanPart(Pages& pages, const ClassWorkbook& book, const ClassSheetRow& row, double top)
{
    const PlanScore& score = *row.planned;
    pages.Font(11, true);
    pages.Write(kMargin, top + 25, 130,
        Text("คะแนน  " + HundredthsText(score.points) + " / " + HundredthsText(score.maxPoints) + "   ("
            + HundredthsText(score.percent) + " %)   เกรด " + HundredthsText(score.grade)));
    QStringList sections;
    for (size_t s = 0; s < score.sections.size(); ++s)
        sections << Text(book.plan->sections[s] + " " + HundredthsText(score.sections[s]));
    pages.Font(8);
    if (!sections.isEmpty())
        pages.Write(
            kMargin, top + 30.5, 130, QString::fromUtf8("ตอน  ") + sections.join(QStringLiteral(",  ")));
    pages.Font(7.5);
    pages.Write(kMargin, top + 35.5, 130,
        QString::fromUtf8("ข้อ คำตอบที่ยอมรับ คำตอบที่อ่านได้ คะแนน  (สีแดง ✗ = ไม่ได้คะแนนเต็ม, – = ไม่ได้ระบาย)"));
    PlanGrid(pages, book, row, top + 41);
}

void Slip(Pages& pages, const ClassWorkbook& book, const ClassSheetRow& row, double top)
{
    pages.Font(12, true);
    pages.Write(kMargin, top + 5, 130, QString::fromUtf8("ใบแจ้งผลการสอบ"));
    pages.Font(10);
    const QString name = row.name.empty() ? QStringLiteral("–") : Text(row.name);
    const QString place = row.className.empty() ? QString()
                                                : QStringLiteral("   ") + Text(row.className)
            + (row.number.empty() ? QString() : QString::fromUtf8(" เลขที่ ") + Text(row.number));
    pages.Write(kMargin, top + 12, 130, QString::fromUtf8("ชื่อ  ") + name + place);
    pages.Write(kMargin, top + 18, 130,
        QString::fromUtf8("รหัสผู้สอบ  ")
            + (row.graded ? Text(FormatText("%08d", row.examineeId)) : QStringLiteral("–"))
            + QStringLiteral("     ") + QString::fromUtf8("แผ่น  ") + Text(row.file));
    IdPicture(pages, ImageOf(row.idArea), top);
    if (!row.graded) {
        pages.Font(10, true, kFlag);
        pages.Write(kMargin, top + 25, 130, Text(row.review).left(80)); // begins "ตรวจไม่ได้"
        return;
    }
    if (book.plan && row.planned) {
        PlanPart(pages, book, row, top);
        return;
    }
    const int keyed = KeyedCount(book);
    pages.Font(11, true);
    pages.Write(kMargin, top + 25, 130,
        QString::fromUtf8("คะแนน  %1 / %2").arg(row.correct).arg(keyed)
            + Text(FormatText("   (%.1f %%)", keyed > 0 ? 100.0 * row.correct / keyed : 0.0)));
    pages.Font(7.5);
    pages.Write(kMargin, top + 33, 130,
        QString::fromUtf8("ข้อ เฉลย คำตอบที่อ่านได้  (สีแดง ✗ = ไม่ได้คะแนน, – = ไม่ได้ระบาย)"));
    AnswerGrid(pages, book, row, top + 41);
}

} // namespace

ClassSlips::ClassSlips(const AnswerList& key, QIODevice& out, std::optional<ScoringPlan> plan)
    : m_book { key, {}, {}, {}, {}, std::move(plan) }
    , m_pdf(out, QString::fromUtf8("ใบแจ้งผลการสอบ"), false)
{
}

void ClassSlips::Add(const ClassSheetRow& sheet)
{
    Pages* pages = m_pdf.pages();
    if (!pages)
        return;
    const int place = static_cast<int>(m_count % kSlipsPerPage);
    if (place == 0 && m_count > 0)
        pages->NewPage();
    if (place > 0)
        CutLine(pages->painter(), kSlipHeight * place);
    Slip(*pages, m_book, sheet, kSlipHeight * place);
    ++m_count;
}

Status ClassSlips::Finish()
{
    return m_pdf.End("the slips");
}

Result<std::string> MakeClassSlips(const ClassWorkbook& book)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ClassSlips slips(book.key, buffer, book.plan);
    for (const ClassSheetRow& sheet : book.sheets)
        slips.Add(sheet);
    if (Status finished = slips.Finish(); !finished)
        return finished;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
