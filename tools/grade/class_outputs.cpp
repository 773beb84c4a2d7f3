#include "class_outputs.h"

#include "grading/csv_report.h"
#include "results/class_book.h"
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

std::vector<ClassSheetRow> ClassOutputs::Rows() const
{
    std::vector<ClassSheetRow> rows;
    for (const SheetOutcome& sheet : m_sheets)
        rows.push_back(ClassRowOf(sheet));
    return rows;
}

Status ClassOutputs::Finish(
    AtomicFileWriter* items, AtomicFileWriter* workbook, AtomicFileWriter* report, AtomicFileWriter* slips)
{
    if (!Wanted())
        return {};
    const ClassWorkbook book = MakeClassBook(m_key.answers, Rows(), m_roster ? &*m_roster : nullptr);
    // The class list's lines come first, then the items' line.
    for (size_t n = 1; n < book.notes.size(); ++n)
        std::fprintf(stderr, "%s\n", book.notes[n].c_str());
    if (!m_options.itemsFile.empty() || workbook || report || slips)
        std::fprintf(stderr, "%s\n", book.notes.front().c_str());
    if (items) {
        items->Append(ItemsCsvHeader());
        for (const ItemStatistics& item : book.items.items)
            items->Append(ItemsCsvRow(item));
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
