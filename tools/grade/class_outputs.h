#pragma once

#include "answerkey/answer_key.h"
#include "framework/safe_file_write.h"
#include "framework/status.h"
#include "grade_options.h"
#include "grading/graded_class.h"
#include "grading/graded_sheet.h"
#include "results/class_slips.h"
#include "results/class_workbook.h"
#include "results/pdf_pages.h"
#include "results/roster.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The outputs made of the whole class once every sheet is graded: the item analysis,
// the check against the class list, the workbook, the report and the slips. Keeps what they need of each
// sheet as they arrive, in input order, but no picture: each sheet's slip is drawn into
// `slips` as it comes, so memory stays flat however large the class.
class ClassOutputs {
public:
    // `sheets`: how many sheets will come; `plan`: what they are scored with beside the key.
    ClassOutputs(const GradeOptions& options, const AnswerKey& key, const std::optional<Roster>& roster,
        std::optional<ScoringPlan> plan, size_t sheets, AtomicFileWriter* slips);

    // Taken whole: what the outputs need is kept of it, the rest let go.
    void Add(GradedSheet sheet);
    // The lines the summary gains on standard error; then every file asked for, into
    // its writer. Fails when the workbook, the report or the slips could not be made.
    Status Finish(AtomicFileWriter* items, AtomicFileWriter* workbook, AtomicFileWriter* report);

private:
    bool Wanted() const;

    const GradeOptions& m_options;
    // Every sheet kept, without its measures and pictures.
    // Reserved for every sheet at once: a vector's growth would hold the class twice for a moment.
    GradedClass m_class;
    std::unique_ptr<pdf::WriterDevice> m_slipsFile;
    std::unique_ptr<ClassSlips> m_slips;
};
