#include "class_outputs.h"

#include "grading/csv_report.h"
#include "results/class_book.h"
#include "results/class_report.h"
#include "results/class_workbook.h"

#include <cstdio>
#include <tuple>

ClassOutputs::ClassOutputs(const GradeOptions& options, const AnswerKey& key,
    const std::optional<Roster>& roster, std::optional<ScoringPlan> plan, size_t sheets,
    AtomicFileWriter* slips)
    : m_options(options)
    , m_class { key, roster, {}, {}, std::move(plan) }
{
    if (Wanted())
        m_class.sheets.reserve(sheets);
    if (slips) {
        m_slipsFile = std::make_unique<pdf::WriterDevice>(*slips);
        m_slips = std::make_unique<ClassSlips>(m_class.key.answers, *m_slipsFile, m_class.plan);
    }
}

bool ClassOutputs::Wanted() const
{
    return !m_options.itemsFile.empty() || !m_options.xlsxFile.empty() || !m_options.reportFile.empty()
        || !m_options.slipsFile.empty() || m_class.roster;
}

void ClassOutputs::Add(GradedSheet sheet)
{
    if (!Wanted())
        return;
    if (m_slips) {
        // Named as the class book will name it.
        ClassSheetRow row = ClassRowOf(sheet);
        if (m_class.roster)
            NameSheet(row, *m_class.roster);
        ScoreRow(row, sheet, m_class);
        m_slips->Add(row);
    }
    sheet.idArea = {}; // on its slip already
    // What the outputs show is the readings; the measures they were made from stay in the record.
    sheet.measures = {};
    sheet.second = {};
    sheet.messages.clear();
    m_class.sheets.push_back(std::move(sheet));
}

Status ClassOutputs::Finish(AtomicFileWriter* items, AtomicFileWriter* workbook, AtomicFileWriter* report)
{
    if (!Wanted())
        return {};
    // The slips are drawn already; their PDF ends first, so that nothing is written for it later.
    const bool slips = m_slips != nullptr;
    Status slipsDrawn;
    if (slips) {
        slipsDrawn = m_slips->Finish();
        m_slips.reset();
        m_slipsFile.reset();
    }
    const ClassWorkbook book = MakeClassBook(std::move(m_class));
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
            { report, &m_options.reportFile, &MakeClassReport } }) {
        if (!writer)
            continue;
        const Result<std::string> bytes = make(book);
        if (!bytes)
            return Status::Failure("cannot write " + *path + ": " + bytes.message());
        writer->Append(*bytes);
    }
    if (!slipsDrawn)
        return Status::Failure("cannot write " + m_options.slipsFile + ": " + slipsDrawn.message());
    return {};
}
