#pragma once

#include "answerkey/answer_key.h"
#include "grading/page_list.h"
#include "grading/sheet_outcome.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"

#include <string>

struct SheetJob {
    SheetPage page;
    std::string annotatedPath; // where to save the graded sheet; empty: nowhere
    std::string reviewImagePath; // where to save the picture of a doubtful sheet; empty: nowhere
    bool readMarkedLetters = false;
    bool cutIdArea = false; // for the students' slips
};

// A graded page with what its score is computed from: the first reading's measures of
// every box and ID column and the whole second reading, neither depending on the key.
struct GradedSheet {
    SheetOutcome outcome;
    bool measured = false; // false: refused before or once it was read; nothing measured
    ReviewMeasures measures;
    SecondReading second;
};

// Loads, normalises and grades one page against the key, with an engine state of its
// own, in the order the desktop program uses; saves the annotated sheet when asked.
GradedSheet ReadSheetFile(const SheetJob& job, const AnswerKey& key);

// The outcome alone.
SheetOutcome GradeSheetFile(const SheetJob& job, const AnswerKey& key);
