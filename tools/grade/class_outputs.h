#pragma once

#include "answerkey/answer_key.h"
#include "framework/safe_file_write.h"
#include "framework/status.h"
#include "grade_options.h"
#include "grading/sheet_outcome.h"
#include "results/class_workbook.h"
#include "results/roster.h"

#include <optional>
#include <string>
#include <vector>

// The outputs made of the whole class once every sheet is graded: the item analysis,
// the check against the class list, the workbook, the report and the slips. Keeps what they need of each
// sheet as the outcomes arrive, in input order.
class ClassOutputs {
public:
    ClassOutputs(const GradeOptions& options, const AnswerKey& key, const std::optional<Roster>& roster);

    void Add(const SheetOutcome& outcome);
    // The lines the summary gains on standard error; then every file asked for, into
    // its writer. Fails when the workbook, the report or the slips could not be made.
    Status Finish(AtomicFileWriter* items, AtomicFileWriter* workbook, AtomicFileWriter* report,
        AtomicFileWriter* slips);

private:
    bool Wanted() const;
    // Every sheet kept, with what a person should look at but the class list's notes.
    std::vector<ClassSheetRow> Rows() const;

    const GradeOptions& m_options;
    const AnswerKey& m_key;
    const std::optional<Roster>& m_roster;
    std::vector<SheetOutcome> m_sheets;
};
