#pragma once

#include "grade_options.h"
#include "grading/class_record.h"
#include "grading/plan_file.h"

#include <optional>
#include <string>

// The scoring plan a run scores with: the --plan file, or with --rescore and no --plan the
// plan kept last in the class record. Nothing when there is none: the CSV is then as ever.
struct RunPlan {
    std::optional<PlanFile> file;

    // Reads --plan and checks it against the key, before anything is written.
    Status ReadOption(const GradeOptions& options, const AnswerList& key);
    // Takes the plan kept last in the record when none was given, with a note on standard error.
    Status TakeKept(ClassRecord& record, const AnswerList& key);

    std::string Header(std::string csvHeader) const;
    std::string Row(std::string csvRow, const AnswerList& key, const GradedSheet& sheet) const;
};
