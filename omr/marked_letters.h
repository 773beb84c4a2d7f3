#pragma once

#include "answerkey/answer_key.h"
#include "omr/black_columns.h"
#include "omr/sheet_layout.h"

#include <array>
#include <string>

class SheetImage;

// The letters found marked in each question row, question 1 first: "", "b", "ac".
using MarkedLetters = std::array<std::string, kQuestionCount>;

// Reads all five boxes of every row where the grader read the key's box, and by its
// rule: 70 or more black pixels mark a box. Paints nothing.
// Painting never turns a pixel black or a black one into a colour, so a sheet
// reads the same before and after it is graded.
MarkedLetters ReadMarkedLetters(const SheetImage& image, const QuestionRows& rows);

// The row's answer boxes, the part of each the image can read, 'a' first.
std::array<PixelArea, kLettersPerRow> RowBoxes(const SheetImage& image, const GridBox& row);
// The black pixels of each of a row's boxes (RowBoxes).
std::array<int, kLettersPerRow> CountBoxBlack(
    const SheetImage& image, const std::array<PixelArea, kLettersPerRow>& boxes);
// The black pixels of each box, from the black of each column (ColumnCounts) of an
// area that starts at firstColumn and spans the boxes' rows.
std::array<int, kLettersPerRow> SumBoxColumns(
    const ColumnCounts& black, int firstColumn, const std::array<PixelArea, kLettersPerRow>& boxes);
