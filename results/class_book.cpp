#include "results/class_book.h"

#include "framework/format.h"
#include "results/roster_check.h"

std::string ItemsSummaryLine(const ItemAnalysis& analysis)
{
    const TestStatistics& test = analysis.test;
    std::string flagged;
    for (const ItemStatistics& item : analysis.items)
        if (item.checkKey)
            flagged += FormatText("%s%d", flagged.empty() ? "" : " ", item.question);
    std::string line = FormatText(
        "items: %d questions over %d sheets; mean %.2f, median %.1f, SD %.2f, range %d-%d", test.questions,
        test.sheets, test.mean, test.median, test.standardDeviation, test.lowest, test.highest);
    if (test.kr20)
        line += FormatText(", KR-20 %.2f", *test.kr20);
    if (!flagged.empty())
        line += "; check the key of question " + flagged;
    return line;
}

namespace {

void Name(ClassSheetRow& sheet, const RosterStudent& student)
{
    sheet.name = student.name;
    sheet.className = student.className;
    sheet.number = student.number;
}

RosterCheck NameFromRoster(const Roster& roster, std::vector<ClassSheetRow>& sheets)
{
    std::vector<RosterSheet> seen;
    for (const ClassSheetRow& sheet : sheets)
        seen.push_back(
            { sheet.file, sheet.graded ? std::optional<int32_t>(sheet.examineeId) : std::nullopt });
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

} // namespace

void NameSheet(ClassSheetRow& sheet, const Roster& roster)
{
    if (const RosterStudent* student = sheet.graded ? roster.Find(sheet.examineeId) : nullptr)
        Name(sheet, *student);
}

ClassWorkbook MakeClassBook(const AnswerList& key, std::vector<ClassSheetRow> sheets, const Roster* roster)
{
    ClassWorkbook book { key, std::move(sheets), {}, {} };
    std::vector<std::string> rosterSummary;
    if (roster)
        rosterSummary = NameFromRoster(*roster, book.sheets).summary;
    std::vector<const GradedAnswers*> graded;
    for (const ClassSheetRow& sheet : book.sheets)
        if (sheet.graded)
            graded.push_back(&sheet.answers);
    book.items = AnalyseItemsInPlace(key, graded);
    book.notes.push_back(ItemsSummaryLine(book.items));
    book.notes.insert(book.notes.end(), rosterSummary.begin(), rosterSummary.end());
    return book;
}
