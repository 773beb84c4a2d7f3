#include "results/class_report.h"

#include "framework/format.h"
#include "results/pdf_pages.h"
#include "results/review_texts.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <numeric>
#include <span>
#include <tuple>

namespace {

using namespace pdf;

// The text in lines no wider than `width` millimetres in the painter's font: at a word's
// end where one fits, anywhere else (Thai runs its words together), so nothing is cut.
QStringList Wrapped(Pages& pages, const QString& text, double width)
{
    QTextLayout layout(text, pages.painter().font(), pages.painter().device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(Units(width));
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

// The class's mean points and how many students have each grade; returns where the next line goes.
double PlanFigures(Pages& pages, const ClassWorkbook& book, double y)
{
    Hundredths total = 0, most = 0;
    int scored = 0;
    std::vector<int> counts(book.plan->bands.size());
    for (const ClassSheetRow& row : book.sheets) {
        if (!row.planned)
            continue;
        total += row.planned->points;
        most = row.planned->maxPoints;
        ++scored;
        for (size_t b = 0; b < counts.size(); ++b)
            if (book.plan->bands[b].grade == row.planned->grade) {
                ++counts[b];
                break;
            }
    }
    std::string grades;
    for (size_t b = 0; b < counts.size(); ++b)
        grades += (b == 0 ? "" : ",  ") + HundredthsText(book.plan->bands[b].grade)
            + FormatText(": %d", counts[b]);
    const std::pair<const char*, std::string> figures[] = {
        { "คะแนนเฉลี่ย",
            FormatText("%.2f จากคะแนนเต็ม ", scored > 0 ? static_cast<double>(total) / 100 / scored : 0.0)
                + HundredthsText(most) },
        { "จำนวนนักเรียนตามเกรด", grades },
    };
    for (const auto& [label, value] : figures) {
        pages.Write(kMargin, y, 60, QString::fromUtf8(label));
        pages.Write(kMargin + 60, y, kPageWidth - 2 * kMargin - 60, Text(value));
        y += kLineHeight;
    }
    return y;
}

void SummaryPage(Pages& pages, const ClassWorkbook& book)
{
    const TestStatistics& test = book.items.test;
    pages.Font(18, true);
    pages.Write(kMargin, kMargin, 180, QString::fromUtf8("รายงานผลการสอบ"));
    pages.Font(10);
    const int refused = static_cast<int>(std::count_if(
        book.sheets.begin(), book.sheets.end(), [](const ClassSheetRow& row) { return !row.graded; }));
    int unresolved = 0;
    for (const ClassSheetRow& row : book.sheets)
        unresolved += row.unresolved;
    const int flagged = static_cast<int>(std::count_if(book.items.items.begin(), book.items.items.end(),
        [](const ItemStatistics& item) { return item.checkKey; }));
    const std::pair<const char*, std::string> figures[] = {
        { "จำนวนกระดาษคำตอบ",
            FormatText("%zu (ตรวจได้ %d, ตรวจไม่ได้ %d)", book.sheets.size(), test.sheets, refused) },
        { "จำนวนข้อที่ตรวจ", FormatText("%d", test.questions) },
        { "ค่าเฉลี่ย", FormatText("%.2f", test.mean) },
        { "มัธยฐาน", FormatText("%.1f", test.median) },
        { "ส่วนเบี่ยงเบนมาตรฐาน", FormatText("%.2f", test.standardDeviation) },
        { "ต่ำสุด – สูงสุด", FormatText("%d – %d", test.lowest, test.highest) },
        { "ความเที่ยง KR-20", test.kr20 ? FormatText("%.2f", *test.kr20) : std::string("–") },
        { "ข้อที่ควรตรวจเฉลย", FormatText("%d", flagged) },
        { "รายการที่ยังไม่ได้ตรวจสอบ", FormatText("%d", unresolved) },
    };
    double y = kMargin + 12;
    for (const auto& [label, value] : figures) {
        pages.Write(kMargin, y, 60, QString::fromUtf8(label));
        pages.Write(kMargin + 60, y, 100, Text(value));
        y += kLineHeight;
    }
    if (book.plan)
        y = PlanFigures(pages, book, y);

    // Scores in tenths of the full mark: 0–9 %, ..., 90–100 %.
    std::array<int, 10> bins {};
    for (const ClassSheetRow& row : book.sheets)
        if (row.graded && test.questions > 0)
            ++bins[static_cast<size_t>(std::min(9, 10 * row.correct / test.questions))];
    const int most = std::max(1, *std::max_element(bins.begin(), bins.end()));
    y += 6;
    pages.Font(12, true);
    pages.Write(kMargin, y, 180, QString::fromUtf8("การกระจายของคะแนน (ร้อยละของคะแนนเต็ม)"));
    // Room under the heading for the count over the tallest bar.
    const double chartTop = y + 10 + kLineHeight, chartHeight = 80, slot = (kPageWidth - 2 * kMargin) / 10;
    pages.Font(9);
    for (size_t b = 0; b < bins.size(); ++b) {
        const double x = kMargin + slot * static_cast<double>(b);
        const double height = chartHeight * bins[b] / most;
        pages.painter().fillRect(Box(x + 1.5, chartTop + chartHeight - height, slot - 3, height), kBar);
        pages.Write(x, chartTop + chartHeight - height - kLineHeight, slot, QString::number(bins[b]),
            Qt::AlignHCenter);
        pages.Write(x, chartTop + chartHeight + 1, slot,
            b == 9 ? QStringLiteral("90–100") : QStringLiteral("%1–%2").arg(10 * b).arg(10 * b + 9),
            Qt::AlignHCenter);
    }
    pages.Rule(chartTop + chartHeight);

    y = chartTop + chartHeight + 12;
    if (unresolved > 0) {
        // Said before anything else: the scores above still hold readings nobody confirmed.
        pages.Font(11, true, kFlag);
        pages.Write(kMargin, y, 180,
            Text(FormatText("ยังมี %d รายการที่ต้องตรวจสอบ คะแนนในรายงานนี้อาจเปลี่ยนเมื่อตรวจสอบแล้ว", unresolved)));
        y += kLineHeight * 1.5;
    }
    pages.Font(12, true);
    pages.Write(kMargin, y, 180, QString::fromUtf8("สิ่งที่ควรตรวจสอบ"));
    pages.Font(8.5);
    for (const std::string& note : TeacherNotes(book))
        for (const QString& line : Wrapped(pages, Text(note), kPageWidth - 2 * kMargin)) {
            y += kLineHeight * 0.8;
            if (y > kPageHeight - kMargin - 10) {
                pages.NewPage();
                pages.Font(8.5);
                y = kMargin;
            }
            pages.Write(kMargin, y, kPageWidth - 2 * kMargin, line);
        }
}

// A bar of the share (0 to 1) in a cell; a negative share runs left from the cell's middle.
void ShareBar(Pages& pages, double x, double y, double width, double share, bool centred)
{
    const double origin = centred ? x + width / 2 : x;
    const double length = (centred ? width / 2 : width) * std::clamp(share, -1.0, 1.0);
    const QRectF bar = Box(std::min(origin, origin + length), y + 1.3, std::abs(length), kLineHeight - 2.6);
    pages.painter().fillRect(bar, share < 0 ? kFlag : kBar);
}

// Starts a page of a table: its title, then the column titles over a rule. Returns
// where the first row goes.
double StartTablePage(Pages& pages, const char* title, std::span<const double> columns,
    std::span<const char* const> titles, double fontSize, Qt::Alignment align)
{
    pages.NewPage();
    pages.Font(14, true);
    pages.Write(kMargin, kMargin, 180, QString::fromUtf8(title));
    double y = kMargin + 10;
    pages.Font(fontSize, true);
    double x = kMargin;
    for (size_t c = 0; c < columns.size(); ++c) {
        pages.Write(x, y, columns[c], QString::fromUtf8(titles[c]), align);
        x += columns[c];
    }
    y += kLineHeight;
    pages.Rule(y);
    return y;
}

// What the plan makes of a question: dropped, or more than one letter accepted.
QStringList PlanMarks(const PlannedQuestion& planned)
{
    QStringList marks;
    if (planned.dropped)
        marks << QString::fromUtf8("ยกเลิกข้อ");
    if (planned.letters.size() > 1)
        marks << QString::fromUtf8("รับ ") + Text(planned.letters);
    return marks;
}

void ItemPages(Pages& pages, const ClassWorkbook& book)
{
    // With a plan, narrower bars leave room for what it makes of each question.
    const bool plan = book.plan.has_value();
    const std::array<double, 12> columns = plan
        ? std::array<double, 12> { 12, 10, 28, 28, 16, 8, 8, 8, 8, 8, 10, 10 }
        : std::array<double, 12> { 12, 10, 36, 36, 16, 8, 8, 8, 8, 8, 10, 10 };
    const char* titles[]
        = { "ข้อ", "เฉลย", "ความยาก p", "อำนาจจำแนก D", "r pb", "a", "b", "c", "d", "e", "ว่าง", "ผิดรูป" };
    double y = kPageHeight; // starts a page
    for (const ItemStatistics& item : book.items.items) {
        if (y > kPageHeight - kMargin - 12)
            y = StartTablePage(pages, "การวิเคราะห์ข้อสอบ", columns, titles, 8.5, Qt::AlignHCenter);
        pages.Font(8.5, item.checkKey, item.checkKey ? kFlag : kInk);
        double x = kMargin;
        const QString cells[] = { QString::number(item.question), QString(QChar(item.key)),
            QString::number(item.difficulty, 'f', 2), QString::number(item.discrimination, 'f', 2),
            item.pointBiserial ? QString::number(*item.pointBiserial, 'f', 2) : QStringLiteral("–") };
        for (size_t c = 0; c < std::size(cells); ++c) {
            if (c == 2 || c == 3) {
                ShareBar(pages, x + 11, y, columns[c] - 12, c == 2 ? item.difficulty : item.discrimination,
                    c == 3);
                pages.Write(x, y, 10, cells[c], Qt::AlignRight);
            } else {
                pages.Write(x, y, columns[c], cells[c], Qt::AlignHCenter);
            }
            x += columns[c];
        }
        const int counts[] = { item.letterCounts[0], item.letterCounts[1], item.letterCounts[2],
            item.letterCounts[3], item.letterCounts[4], item.blank, item.rejected };
        for (size_t c = 0; c < std::size(counts); ++c) {
            pages.Write(x, y, columns[5 + c], QString::number(counts[c]), Qt::AlignHCenter);
            x += columns[5 + c];
        }
        QStringList marks;
        if (item.checkKey)
            marks << QString::fromUtf8("ตรวจเฉลย");
        if (plan) {
            marks << PlanMarks(book.plan->questions[static_cast<size_t>(item.question - 1)]);
            pages.Font(7.5, item.checkKey, item.checkKey ? kFlag : kInk);
        }
        if (!marks.isEmpty())
            pages.Write(x + 1, y, kPageWidth - kMargin - x, marks.join(QStringLiteral("; ")));
        y += kLineHeight;
        pages.Rule(y);
    }
}

void ScorePages(Pages& pages, const ClassWorkbook& book)
{
    std::vector<const ClassSheetRow*> rows;
    for (const ClassSheetRow& row : book.sheets)
        rows.push_back(&row);
    // By class, then number, then name; sheets off the roster last, in their order.
    auto order = [](const ClassSheetRow* row) {
        const bool numbered = !row->number.empty() && row->number.size() < 9
            && std::all_of(
                row->number.begin(), row->number.end(), [](char c) { return c >= '0' && c <= '9'; });
        return std::make_tuple(
            row->name.empty(), row->className, numbered ? std::stol(row->number) : 0L, row->name);
    };
    std::stable_sort(rows.begin(), rows.end(),
        [&](const ClassSheetRow* a, const ClassSheetRow* b) { return order(a) < order(b); });
    // With a plan, the points and the grade follow, the name a little narrower.
    const bool plan = book.plan.has_value();
    const std::vector<double> columns = plan ? std::vector<double> { 10, 22, 46, 18, 10, 14, 14, 10 }
                                             : std::vector<double> { 10, 22, 60, 20, 14, 16 };
    const std::vector<const char*> titles = plan
        ? std::vector<const char*> { "ที่", "รหัส", "ชื่อ", "ห้อง", "ถูก", "ร้อยละ", "คะแนน", "เกรด" }
        : std::vector<const char*> { "ที่", "รหัส", "ชื่อ", "ห้อง", "ถูก", "ร้อยละ" };
    const int questions = book.items.test.questions;
    double y = kPageHeight;
    const double reviewX = kMargin + std::accumulate(columns.begin(), columns.end(), 0.0),
                 reviewWidth = kPageWidth - kMargin - reviewX;
    for (size_t r = 0; r < rows.size(); ++r) {
        const ClassSheetRow& row = *rows[r];
        pages.Font(7.5);
        const QStringList review = Wrapped(pages, Text(row.review), reviewWidth);
        const double height = kLineHeight * std::max<double>(1, 0.8 * static_cast<double>(review.size()));
        if (y + height > kPageHeight - kMargin - 12 + kLineHeight)
            y = StartTablePage(pages, "คะแนนรายคน", columns, titles, 9, Qt::AlignLeft);
        pages.Font(9, false, row.review.empty() ? kInk : kFlag);
        QStringList cells = { QString::number(r + 1),
            row.graded ? QString::asprintf("%08d", row.examineeId) : "", Text(row.name), Text(row.className),
            row.graded ? QString::number(row.correct) : QStringLiteral("–"),
            row.graded && questions > 0 ? QString::number(100.0 * row.correct / questions, 'f', 1)
                                        : QString() };
        if (plan)
            cells << (row.planned ? Text(HundredthsText(row.planned->points)) : QStringLiteral("–"))
                  << (row.planned ? Text(HundredthsText(row.planned->grade)) : QString());
        double x = kMargin;
        for (size_t c = 0; c < columns.size(); ++c) {
            pages.Write(x, y, columns[c], cells[c]);
            x += columns[c];
        }
        pages.Font(7.5, false, kFlag);
        for (qsizetype line = 0; line < review.size(); ++line)
            pages.Write(
                reviewX, y + 0.8 * kLineHeight * static_cast<double>(line), reviewWidth, review[line]);
        y += height;
        pages.Rule(y);
    }
}

// Every settled item, sheet by sheet: who chose what, how and when.
void ResolutionPages(Pages& pages, const ClassWorkbook& book)
{
    const double columns[] = { 40, 16, 20, 20, 40, 18, 26 };
    const char* titles[] = { "แผ่น", "รายการ", "เครื่องอ่านได้", "ค่าที่ใช้", "วิธี", "ผู้แก้ไข", "เวลา (UTC)" };
    double y = kPageHeight;
    for (const ClassSheetRow& row : book.sheets)
        for (const SettledItem& settled : row.settled) {
            if (y + kLineHeight > kPageHeight - kMargin)
                y = StartTablePage(pages, "การแก้ไขผลการอ่าน", columns, titles, 8.5, Qt::AlignLeft);
            pages.Font(8);
            const QString cells[] = { Text(row.file.substr(row.file.find_last_of('/') + 1)),
                Text(ReviewPlaceText(settled.item)), Text(settled.machine.empty() ? "-" : settled.machine),
                Text(settled.chosen.empty() ? "-" : settled.chosen), Text(SettledHowText(settled.how)),
                Text(settled.who), Text(settled.at.substr(0, 16)).replace('T', ' ') };
            double x = kMargin;
            for (size_t c = 0; c < std::size(cells); ++c) {
                pages.Write(x, y, columns[c], cells[c]);
                x += columns[c];
            }
            y += kLineHeight;
            pages.Rule(y);
        }
}

} // namespace

Result<std::string> MakeClassReport(const ClassWorkbook& book)
{
    return DrawA4Pdf(QString::fromUtf8("รายงานผลการสอบ"), true, "the report", [&book](Pages& pages) {
        SummaryPage(pages, book);
        ItemPages(pages, book);
        ScorePages(pages, book);
        ResolutionPages(pages, book);
    });
}
