#pragma once

#include "answerkey/answer_key.h"
#include "grade_options.h"
#include "sheet_outcome.h"

#include <functional>

// Grades every sheet of the options against the key on `jobs` threads and hands each outcome to
// `deliver` on the calling thread, strictly in input order, as soon as it and all
// before it are done. Threads run at most a few sheets ahead of the delivery, so
// memory does not grow with the number of sheets.
void RunBatch(const GradeOptions& options, const AnswerKey& key, int jobs,
    const std::function<void(SheetOutcome&&)>& deliver);
