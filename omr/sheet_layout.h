#pragma once

#include "answerkey/answer_key.h"
#include "omr/engine_state.h"
#include "omr/pixel_area.h"

#include <array>

// Where the grader reads, relative to the left registration mark and corrected for
// tilt. Coordinates are 32-bit floats rounded on every store, worked out in double
// precision in between; pixel indices are the coordinates truncated toward zero.

// A rectangle in sheet coordinates: a question row (given by its 'a' box) or an
// answer box.
struct GridBox {
    float top = 0;
    float bottom = 0;
    float left = 0;
    float right = 0;
};

constexpr int kLettersPerRow = 5;
// Columns of a question row's strip, from its truncated left edge.
constexpr int kRowStripColumns = 95;
constexpr int kIdDigitCount = 8;

using QuestionRows = std::array<GridBox, kQuestionCount>;

// The 100 question rows, question 1 first, as the grader walks them.
QuestionRows LayQuestionRows(const SkewMeasurement& skew);
// The box of a letter, 0 for 'a' to 4 for 'e', in a question row.
GridBox LayAnswerBox(const GridBox& row, int letter);

// The pixels the row check counts: kRowStripColumns columns (fewer only left of
// column 0), rows down to the bottom included.
PixelArea RowScanArea(const GridBox& row);
// The pixels a rejected row has painted: the scan area without the bottom bound.
PixelArea RowPaintArea(const GridBox& row);
// The pixels of an answer box.
PixelArea AnswerBoxArea(const GridBox& box);

struct IdBandLayout {
    float left = 0;
    std::array<float, kIdDigitCount> tops {}; // band of the ten-millions digit first
};

// The eight ID bands, stacked 19 rows apart above the answer grid.
IdBandLayout LayIdBands(const SkewMeasurement& skew);
// The pixels of one ID band.
PixelArea IdBandArea(float bandTop, float bandLeft);
// The column at which the digit ranges of every ID band start.
int IdDigitOrigin(const SkewMeasurement& skew);
