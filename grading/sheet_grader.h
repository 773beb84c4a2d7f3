#pragma once

#include "answerkey/answer_key.h"
#include "grading/graded_sheet.h"
#include "grading/page_list.h"

#include <string>

struct SheetJob {
    SheetPage page;
    std::string annotatedPath; // where to save the graded sheet; empty: nowhere
    std::string reviewImagePath; // where to save the picture of a doubtful sheet; empty: nowhere
    bool readMarkedLetters = false;
    bool cutIdArea = false; // for the students' slips
};

// Loads, normalises and grades one page against the key, with an engine state of its
// own, in the order the desktop program uses; saves the annotated sheet when asked.
GradedSheet ReadSheetFile(const SheetJob& job, const AnswerKey& key);

// Grades the page as ReadSheetFile does for the record: the marked letters always
// read (the record keeps them), the fingerprint left for the caller.
GradedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key);
