#pragma once

#include "answerkey/answer_key.h"
#include "sheet_content.h"

#include <string>

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

// Where a careful teacher hesitates: a residue darker than this grey (an erasure
// that left much of the mark), a partial fill under this share of the bubble.
constexpr int kHeavyResidue = 160;
constexpr double kHalfBubble = 0.5;

// What a careful teacher reads in question 0..99: its letters, "" for a blank row,
// "?" where she would hesitate (a ring round the letter only, a fill under half the
// bubble, a heavy residue under an answer or on a row erased to blank).
std::string TeacherReads(const SheetContent& content, int question);
// The same for ID column 0..7: its digit, or "?" over a heavy residue.
std::string TeacherReadsId(const SheetContent& content, int band);

// The counts over the clear questions: one the teacher hesitates over counts as
// neither correct, wrong nor error. Equal to ScoreDrawnSheet for a sheet of neat marks.
SheetTruth ScoreClearItems(const SheetContent& content, const AnswerList& key);

// items.csv's rows of one sheet (file,item,kind,reads): q1..q100, then id:1..id:8.
std::string ItemRows(const std::string& file, const SheetContent& content);
