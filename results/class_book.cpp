#include "results/class_book.h"

#include "framework/format.h"
#include "results/roster_check.h"

#include "framework/teacher_text.h"

std::string ItemsSummaryLine(const ItemAnalysis& analysis)
{
    const TestStatistics& test = analysis.test;
    std::string flagged;
    for (const ItemStatistics& item : analysis.items)
        if (item.checkKey)
            flagged += (flagged.empty() ? "" : " ") + std::to_string(item.question);
    std::string line = FillIn(TeacherText("ClassBook",
                                  "ข้อสอบ %1 ข้อ จาก %2 แผ่น; ค่าเฉลี่ย %3, มัธยฐาน %4, ส่วนเบี่ยงเบนมาตรฐาน %5, "
                                  "ต่ำสุด–สูงสุด %6-%7"),
        { std::to_string(test.questions), std::to_string(test.sheets), FixedDecimals(test.mean, 2),
            FixedDecimals(test.median, 1), FixedDecimals(test.standardDeviation, 2),
            std::to_string(test.lowest), std::to_string(test.highest) });
    if (test.kr20)
        line += FillIn(TeacherText("ClassBook", ", ความเที่ยง KR-20 %1"), { FixedDecimals(*test.kr20, 2) });
    if (!flagged.empty())
        line += FillIn(TeacherText("ClassBook", "; ควรตรวจเฉลยข้อ %1"), { flagged });
    return line;
}

std::vector<std::string> ShownFileNames(const std::vector<std::string>& files)
{
    // The longest folder every file lies in, ending with its '/'.
    std::string folder;
    for (size_t s = 0; s < files.size(); ++s) {
        const std::string& file = files[s];
        const std::string own = file.substr(0, file.rfind('/') + 1);
        if (s == 0) {
            folder = own;
            continue;
        }
        size_t common = 0;
        while (common < folder.size() && common < own.size() && folder[common] == own[common])
            ++common;
        const size_t slash = common == 0 ? std::string::npos : folder.rfind('/', common - 1);
        folder.resize(slash == std::string::npos ? 0 : slash + 1);
    }
    std::vector<std::string> shown;
    for (const std::string& file : files)
        shown.push_back(file.substr(folder.size()));
    return shown;
}

namespace {

void Name(ClassSheetRow& sheet, const RosterStudent& student)
{
    sheet.name = student.name;
    sheet.className = student.className;
    sheet.number = student.number;
}

} // namespace

RosterCheck NameFromRoster(const Roster& roster, std::vector<ClassSheetRow>& sheets)
{
    std::vector<std::string> files;
    for (const ClassSheetRow& sheet : sheets)
        files.push_back(sheet.file);
    const std::vector<std::string> shown = ShownFileNames(files);
    std::vector<RosterSheet> seen;
    for (size_t s = 0; s < sheets.size(); ++s)
        seen.push_back({ sheets[s].file, shown[s],
            sheets[s].graded ? std::optional<int32_t>(sheets[s].examineeId) : std::nullopt });
    RosterCheck check = CheckAgainstRoster(roster, seen);
    for (size_t s = 0; s < sheets.size(); ++s) {
        ClassSheetRow& sheet = sheets[s];
        if (const RosterStudent* student = check.students[s])
            Name(sheet, *student);
        if (!check.notes[s].empty())
            sheet.review += (sheet.review.empty() ? "" : "; ") + check.notes[s];
    }
    return check;
}

void NameSheet(ClassSheetRow& sheet, const Roster& roster)
{
    if (const RosterStudent* student = sheet.graded ? roster.Find(sheet.examineeId) : nullptr)
        Name(sheet, *student);
}
