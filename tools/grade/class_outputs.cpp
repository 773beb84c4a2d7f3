#include "class_outputs.h"

#include "csv_report.h"
#include "framework/format.h"
#include "results/class_report.h"
#include "results/class_slips.h"
#include "results/class_workbook.h"

#include <cstdio>
#include <tuple>

ClassOutputs::ClassOutputs(
    const GradeOptions& options, const AnswerKey& key, const std::optional<Roster>& roster)
    : m_options(options)
    , m_key(key)
    , m_roster(roster)
{
}

bool ClassOutputs::Wanted() const
{
    return !m_options.itemsFile.empty() || !m_options.xlsxFile.empty() || !m_options.reportFile.empty()
        || !m_options.slipsFile.empty() || m_roster;
}

void ClassOutputs::Add(const SheetOutcome& outcome)
{
    if (!Wanted())
        return;
    SheetOutcome kept = outcome;
    kept.messages.clear(); // shown already; a class of sheets need not hold them
    m_sheets.push_back(std::move(kept));
}

std::string ClassOutputs::NameOf(const SheetOutcome& outcome) const
{
    if (!m_roster || outcome.status == SheetStatus::Refused)
        return {};
    const RosterStudent* student = m_roster->Find(outcome.examineeId);
    return student ? student->name : std::string();
}

ItemAnalysis ClassOutputs::Analyse() const
{
    std::vector<GradedAnswers> graded;
    for (const SheetOutcome& sheet : m_sheets)
        if (sheet.status != SheetStatus::Refused)
            graded.push_back({ sheet.questionScores, sheet.markedLetters });
    return AnalyseItems(m_key.answers, graded);
}

RosterCheck ClassOutputs::CheckRoster() const
{
    std::vector<RosterSheet> sheets;
    for (const SheetOutcome& sheet : m_sheets)
        sheets.push_back({ sheet.file,
            sheet.status == SheetStatus::Refused ? std::nullopt : std::optional<int32_t>(sheet.examineeId) });
    return CheckAgainstRoster(*m_roster, sheets);
}

Status ClassOutputs::Finish(
    AtomicFileWriter* items, AtomicFileWriter* workbook, AtomicFileWriter* report, AtomicFileWriter* slips)
{
    std::optional<RosterCheck> check;
    if (m_roster) {
        check = CheckRoster();
        for (const std::string& line : check->summary)
            std::fprintf(stderr, "%s\n", line.c_str());
    }
    if (!Wanted())
        return {};
    const ItemAnalysis analysis = Analyse();
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
    if (!m_options.itemsFile.empty() || workbook || report || slips)
        std::fprintf(stderr, "%s\n", line.c_str());

    if (items) {
        items->Append(ItemsCsvHeader());
        for (const ItemStatistics& item : analysis.items)
            items->Append(ItemsCsvRow(item));
    }
    if (!workbook && !report && !slips)
        return {};
    ClassWorkbook book { m_key.answers, {}, analysis, { line } };
    if (check)
        book.notes.insert(book.notes.end(), check->summary.begin(), check->summary.end());
    for (size_t s = 0; s < m_sheets.size(); ++s) {
        const SheetOutcome& sheet = m_sheets[s];
        ClassSheetRow row { sheet.file, sheet.status != SheetStatus::Refused, sheet.examineeId, sheet.correct,
            sheet.wrong, sheet.errors, { sheet.questionScores, sheet.markedLetters }, {}, {}, {}, {},
            sheet.idArea };
        if (const RosterStudent* student = check ? check->students[s] : nullptr) {
            row.name = student->name;
            row.className = student->className;
            row.number = student->number;
        }
        std::vector<std::string> review;
        if (sheet.status == SheetStatus::Refused)
            review.push_back("refused: " + sheet.refusal);
        if (sheet.status == SheetStatus::Unreported)
            review.push_back("unreported: the key's last question was never scored");
        if (!sheet.writeFailure.empty())
            review.push_back(sheet.writeFailure);
        if (check && !check->notes[s].empty())
            review.push_back(check->notes[s]);
        for (const std::string& part : review)
            row.review += (row.review.empty() ? "" : "; ") + part;
        book.sheets.push_back(std::move(row));
    }
    for (const auto& [writer, path, make] :
        { std::tuple { workbook, &m_options.xlsxFile, &MakeClassWorkbook },
            { report, &m_options.reportFile, &MakeClassReport },
            { slips, &m_options.slipsFile, &MakeClassSlips } }) {
        if (!writer)
            continue;
        const Result<std::string> bytes = make(book);
        if (!bytes)
            return Status::Failure("cannot write " + *path + ": " + bytes.message());
        writer->Append(*bytes);
    }
    return {};
}

std::string WithField(std::string row, const std::string& field)
{
    const bool ended = !row.empty() && row.back() == '\n';
    if (ended)
        row.pop_back();
    return row + ',' + CsvField(field) + (ended ? "\n" : "");
}
