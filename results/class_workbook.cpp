#include "results/class_workbook.h"

#include "framework/format.h"
#include "results/review_texts.h"

#include "framework/teacher_text.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

// A folder removed with all it holds when the workbook is done.
struct ScratchFolder {
    std::string path;
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

constexpr double kNarrowest = 4;
constexpr double kWidest = 70;

// Characters a column shows, counting each UTF-8 sequence once; Thai vowel and tone
// marks sit above or below their letter and take no width of their own.
double TextWidth(const std::string& text)
{
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead & 0xC0) == 0x80)
            continue;
        if (lead == 0xE0 && i + 2 < text.size()) {
            const unsigned code = (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6
                | (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            if (code == 0x0E31 || (code >= 0x0E34 && code <= 0x0E3A) || (code >= 0x0E47 && code <= 0x0E4E))
                continue;
        }
        ++width;
    }
    return width;
}

std::string Translated(const char* words)
{
    return TeacherText("ClassWorkbook", words);
}

// The teacher's words, then the name a script may look for.
std::string Label(const char* words, const char* name)
{
    return Translated(words) + " (" + name + ")";
}

// A heading of the sheets' own: the file, the ID and the name.
std::vector<std::string> SheetHeadings()
{
    return { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ไฟล์"), "file"),
        Label(TEACHER_TEXT_NOOP("ClassWorkbook", "รหัสผู้สอบ"), "examinee_id"),
        Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ชื่อ"), "name") };
}

// One worksheet being filled: remembers the widest text of each column for sizing.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, lxw_format* header, const std::vector<std::string>& titles)
        : m_sheet(workbook_add_worksheet(book, Translated(name).c_str()))
    {
        for (size_t c = 0; c < titles.size(); ++c)
            Text(0, c, titles[c], header);
        worksheet_freeze_panes(m_sheet, 1, 0);
    }

    void Text(size_t row, size_t column, const std::string& text, lxw_format* format = nullptr)
    {
        if (text.empty() && !format)
            return;
        worksheet_write_string(m_sheet, Row(row), Column(column), text.c_str(), format);
        Fit(column, TextWidth(text));
    }

    void Number(size_t row, size_t column, double value, lxw_format* format = nullptr, double shown = 0)
    {
        worksheet_write_number(m_sheet, Row(row), Column(column), value, format);
        Fit(column, shown > 0 ? shown : static_cast<double>(FormatText("%g", value).size()));
    }

    void SizeColumns()
    {
        for (const auto& [column, width] : m_widths)
            worksheet_set_column(
                m_sheet, Column(column), Column(column), std::clamp(width + 2, kNarrowest, kWidest), nullptr);
    }

private:
    static lxw_row_t Row(size_t row) { return static_cast<lxw_row_t>(row); }
    static lxw_col_t Column(size_t column) { return static_cast<lxw_col_t>(column); }
    void Fit(size_t column, double width) { m_widths[column] = std::max(m_widths[column], width); }

    lxw_worksheet* m_sheet;
    std::map<size_t, double> m_widths;
};

struct Formats {
    lxw_format* header;
    lxw_format* wrong;
    lxw_format* rejected;
    lxw_format* share;
    lxw_format* flagged;
};

Formats AddFormats(lxw_workbook* book)
{
    Formats formats {};
    formats.header = workbook_add_format(book);
    format_set_bold(formats.header);
    format_set_bg_color(formats.header, 0xDDEBF7);
    formats.wrong = workbook_add_format(book);
    format_set_bg_color(formats.wrong, 0xFFC7CE);
    formats.rejected = workbook_add_format(book);
    format_set_bg_color(formats.rejected, 0xFFEB9C);
    formats.share = workbook_add_format(book);
    format_set_num_format(formats.share, "0.00");
    formats.flagged = workbook_add_format(book);
    format_set_bold(formats.flagged);
    format_set_font_color(formats.flagged, 0xC00000);
    return formats;
}

void FillScores(lxw_workbook* book, const Formats& formats, const ClassWorkbook& data)
{
    std::vector<std::string> titles = SheetHeadings();
    for (const auto& [words, name] : { std::pair { TEACHER_TEXT_NOOP("ClassWorkbook", "ห้อง"), "class" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ถูก"), "correct" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ผิด"), "wrong" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ข้อผิดพลาด"), "error" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ร้อยละ"), "percent" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ควรตรวจสอบ"), "review" } })
        titles.push_back(Label(words, name));
    if (data.plan) {
        for (const auto& [words, name] :
            { std::pair { TEACHER_TEXT_NOOP("ClassWorkbook", "คะแนน"), "points" },
                { TEACHER_TEXT_NOOP("ClassWorkbook", "คะแนนเต็ม"), "max_points" },
                { TEACHER_TEXT_NOOP("ClassWorkbook", "ร้อยละของคะแนน"), "points_percent" },
                { TEACHER_TEXT_NOOP("ClassWorkbook", "เกรด"), "grade" } })
            titles.push_back(Label(words, name));
        for (const std::string& section : data.plan->sections)
            titles.push_back(
                FillIn(TeacherText("ClassWorkbook", "ตอน %1"), { section }) + " (section:" + section + ")");
    }
    Sheet sheet(book, TEACHER_TEXT_NOOP("ClassWorkbook", "คะแนน"), formats.header, titles);
    const int32_t questions = data.items.test.questions;
    for (size_t s = 0; s < data.sheets.size(); ++s) {
        const ClassSheetRow& row = data.sheets[s];
        const size_t r = s + 1;
        sheet.Text(r, 0, row.file);
        if (row.graded) {
            sheet.Text(r, 1, FormatText("%08d", row.examineeId));
            sheet.Number(r, 4, row.correct);
            sheet.Number(r, 5, row.wrong);
            sheet.Number(r, 6, row.errors);
            sheet.Number(r, 7, questions > 0 ? 100.0 * row.correct / questions : 0, formats.share, 6);
        }
        sheet.Text(r, 2, row.name);
        sheet.Text(r, 3, row.className);
        sheet.Text(r, 8, row.review);
        if (!row.planned)
            continue;
        const PlanScore& score = *row.planned;
        size_t c = 9;
        for (const Hundredths figure : { score.points, score.maxPoints, score.percent, score.grade })
            sheet.Number(r, c++, static_cast<double>(figure) / 100);
        for (const Hundredths points : score.sections)
            sheet.Number(r, c++, static_cast<double>(points) / 100);
    }
    sheet.SizeColumns();
}

void FillAnswers(lxw_workbook* book, const Formats& formats, const ClassWorkbook& data)
{
    std::vector<std::string> titles = SheetHeadings();
    for (int q = 1; q <= kQuestionCount; ++q)
        titles.push_back(FillIn(TeacherText("ClassWorkbook", "ข้อ %1"), { std::to_string(q) }));
    Sheet sheet(book, TEACHER_TEXT_NOOP("ClassWorkbook", "คำตอบ"), formats.header, titles);
    for (size_t s = 0; s < data.sheets.size(); ++s) {
        const ClassSheetRow& row = data.sheets[s];
        const size_t r = s + 1;
        sheet.Text(r, 0, row.file);
        sheet.Text(r, 2, row.name);
        if (!row.graded)
            continue;
        sheet.Text(r, 1, FormatText("%08d", row.examineeId));
        for (size_t q = 0; q < kQuestionCount; ++q) {
            const auto& score = row.answers.scores[q];
            lxw_format* shade = score == QuestionScore::Wrong ? formats.wrong
                : score == QuestionScore::RowRejected         ? formats.rejected
                                                              : nullptr;
            sheet.Text(r, 3 + q, row.answers.marked[q], shade);
        }
    }
    sheet.SizeColumns();
}

void FillItems(lxw_workbook* book, const Formats& formats, const ClassWorkbook& data)
{
    std::vector<std::string> titles;
    for (const auto& [words, name] : { std::pair { TEACHER_TEXT_NOOP("ClassWorkbook", "ข้อ"), "question" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "เฉลย"), "key" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ความยาก"), "difficulty" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "อำนาจจำแนก"), "discrimination" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "สหสัมพันธ์พอยต์ไบซีเรียล"), "point_biserial" } })
        titles.push_back(Label(words, name));
    for (const char* letter : { "a", "b", "c", "d", "e" })
        titles.push_back(letter);
    for (const auto& [words, name] : { std::pair { TEACHER_TEXT_NOOP("ClassWorkbook", "ไม่ตอบ"), "blank" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "แถวถูกปฏิเสธ"), "rejected" },
             { TEACHER_TEXT_NOOP("ClassWorkbook", "ข้อสังเกต"), "flag" } })
        titles.push_back(Label(words, name));
    Sheet sheet(book, TEACHER_TEXT_NOOP("ClassWorkbook", "รายข้อ"), formats.header, titles);
    for (size_t i = 0; i < data.items.items.size(); ++i) {
        const ItemStatistics& item = data.items.items[i];
        const size_t r = i + 1;
        sheet.Number(r, 0, item.question);
        sheet.Text(r, 1, std::string(1, item.key));
        sheet.Number(r, 2, item.difficulty, formats.share, 5);
        sheet.Number(r, 3, item.discrimination, formats.share, 5);
        if (item.pointBiserial)
            sheet.Number(r, 4, *item.pointBiserial, formats.share, 5);
        for (size_t l = 0; l < item.letterCounts.size(); ++l)
            sheet.Number(r, 5 + l, item.letterCounts[l]);
        sheet.Number(r, 10, item.blank);
        sheet.Number(r, 11, item.rejected);
        sheet.Text(
            r, 12, item.checkKey ? CheckKeyText() : std::string(), item.checkKey ? formats.flagged : nullptr);
    }
    sheet.SizeColumns();
}

void FillSummary(lxw_workbook* book, const Formats& formats, const ClassWorkbook& data)
{
    Sheet sheet(book, TEACHER_TEXT_NOOP("ClassWorkbook", "สรุป"), formats.header,
        { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "รายการ"), "figure"),
            Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ค่า"), "value") });
    const TestStatistics& test = data.items.test;
    const int32_t refused = static_cast<int32_t>(std::count_if(
        data.sheets.begin(), data.sheets.end(), [](const ClassSheetRow& row) { return !row.graded; }));
    const std::pair<std::string, double> figures[]
        = { { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "จำนวนแผ่น"), "sheets"),
                static_cast<double>(data.sheets.size()) },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ตรวจได้"), "graded"), test.sheets },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ตรวจไม่ได้"), "refused"), refused },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "จำนวนข้อที่ตรวจ"), "questions"), test.questions },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ค่าเฉลี่ย"), "mean"), test.mean },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "มัธยฐาน"), "median"), test.median },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ส่วนเบี่ยงเบนมาตรฐาน"), "standard_deviation"),
                  test.standardDeviation },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ต่ำสุด"), "lowest"), test.lowest },
              { Label(TEACHER_TEXT_NOOP("ClassWorkbook", "สูงสุด"), "highest"), test.highest } };
    size_t r = 1;
    for (const auto& [name, value] : figures) {
        sheet.Text(r, 0, name);
        sheet.Number(r++, 1, value, nullptr, 8);
    }
    sheet.Text(r, 0, Label(TEACHER_TEXT_NOOP("ClassWorkbook", "ความเที่ยง"), "kr20"));
    if (test.kr20)
        sheet.Number(r, 1, *test.kr20, formats.share, 8);
    ++r;
    for (const std::string& note : TeacherNotes(data))
        sheet.Text(++r, 0, note);
    sheet.SizeColumns();
}

} // namespace

Result<std::string> MakeClassWorkbook(const ClassWorkbook& data)
{
    // libxlsxwriter writes to a path of its own: a scratch folder, read back and removed.
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "vantrel-workbook-XXXXXX").string();
    if (error || !mkdtemp(pattern.data()))
        return Status::Failure(
            "no temporary folder for the workbook: " + (error ? error.message() : std::strerror(errno)));
    const ScratchFolder folder { pattern };
    const std::string made = pattern + "/class.xlsx";
    lxw_workbook_options options { LXW_FALSE, pattern.data(), LXW_FALSE };
    lxw_workbook* book = workbook_new_opt(made.c_str(), &options);
    if (!book)
        return Status::Failure("the workbook could not be started (out of memory)");
    const Formats formats = AddFormats(book);
    FillScores(book, formats, data);
    FillAnswers(book, formats, data);
    FillItems(book, formats, data);
    FillSummary(book, formats, data);
    if (const lxw_error closed = workbook_close(book); closed != LXW_NO_ERROR)
        return Status::Failure(FormatText("the workbook could not be made: %s", lxw_strerror(closed)));

    std::ifstream file(made, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad())
        return Status::Failure(
            "the workbook made could not be read back: " + std::string(std::strerror(errno)));
    return bytes;
}

std::vector<std::string> TeacherNotes(const ClassWorkbook& book)
{
    std::vector<std::string> notes;
    if (!book.notes.empty())
        notes.push_back(book.notes.front());
    notes.insert(notes.end(), book.findings.begin(), book.findings.end());
    return notes;
}
