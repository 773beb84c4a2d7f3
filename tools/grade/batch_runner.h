#pragma once

#include "answerkey/answer_key.h"
#include "grade_options.h"
#include "grading/graded_sheet.h"
#include "grading/page_list.h"
#include "grading/sheet_grader.h"

#include <functional>

// Grades every page against the key on `jobs` threads, saving page i's annotated copy
// at annotated[i] (none when empty), and hands each graded sheet to `deliver` on the
// calling thread, strictly in page order, as soon as it and all before it are done:
// the pages of one file spread over the threads as separate files do. Threads run at
// most a few pages ahead of the delivery, so memory does not grow with the number of
// pages.
// `grade` grades one job in place of ReadSheetFile when given.
using SheetGrading = std::function<GradedSheet(const SheetJob&)>;
void RunBatch(const std::vector<SheetPage>& pages, const std::vector<std::string>& annotated,
    const std::vector<std::string>& reviewImages, const GradeOptions& options, const AnswerKey& key, int jobs,
    const std::function<void(GradedSheet&&)>& deliver, const SheetGrading& grade = {});
