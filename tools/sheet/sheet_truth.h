#pragma once

#include "answerkey/answer_key.h"
#include "sheet_content.h"

// The counts the grader must report for a sheet, worked out from what was drawn.
struct SheetTruth {
    int correct = 0;
    int wrong = 0;
    int error = 0;
};

// Only questions whose key is a letter a to e are counted. A row with two or more
// marks is an error; one mark on the key's letter is correct; a blank row or one
// mark elsewhere is wrong.
SheetTruth ScoreDrawnSheet(const MarkedAnswers& marks, const AnswerList& key);
