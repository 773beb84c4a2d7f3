#pragma once

#include "framework/status.h"
#include "grading/scoring_plan.h"

#include <cstddef>
#include <string>
#include <string_view>

// The scoring plan as a teacher writes it in a spreadsheet: a CSV (UTF-8, a byte order mark,
// CR LF and Excel's ';' accepted), one line a question or a range of them,
//   question,letters,points,section,dropped     e.g. 3,bd,2,พีชคณิต,   or   11-20,,1,เรขาคณิต,
// with `wrong_penalty,0.25` for negative marking and `grade,3.5,75` lines for the bands (all
// of them, down to one at 0 %). A header line starting `question`, blank lines and lines
// starting with # are skipped. A question the plan does not name scores as the key says, 1 point.
constexpr size_t kMaxPlanFileBytes = 256 * 1024;

struct PlanFile {
    std::string path;
    std::string text; // as read, kept in the class record
    ScoringPlan plan;
};

// The plan, checked against the key (a question the key does not grade is unknown); a
// fault is refused with the file, its line and what is wrong, in Thai.
Result<ScoringPlan> ParsePlan(std::string_view text, const std::string& path, const AnswerList& key);

// Reads and parses the plan file.
Result<PlanFile> ReadPlanFile(const std::string& path, const AnswerList& key);
