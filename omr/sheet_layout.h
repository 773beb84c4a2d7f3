#pragma once

#include "answerkey/answer_key.h"
#include "omr/engine_state.h"
#include "omr/pixel_area.h"

#include <array>

// Where the grader reads, relative to the left registration mark and corrected for
// tilt. Coordinates are 32-bit floats rounded on every store, worked out in double
// precision in between; pixel indices are the coordinates truncated toward zero.
// The sheet tool prints its form and the tests build their sheets from these
// numbers, so the form and the reading cannot drift apart.

// The printed form: on a sheet lying straight, the reference point of the left
// registration mark (its bottom-right pixel), and how far right of it the right
// mark's reference point lies.
constexpr int kFormLeftMarkX = 120;
constexpr int kFormLeftMarkY = 460;
constexpr int kFormMarkSpacing = 600;

// The answer grid: ten blocks of ten question rows, five blocks side by side in an
// upper band and five in a lower band, offsets from the left reference point.
struct AnswerBlock {
    int columnOffset;
    int bandOffset;
};
constexpr int kUpperBandOffset = 132;
constexpr int kLowerBandOffset = 349;
constexpr int kRowsPerBlock = 10;
constexpr std::array<AnswerBlock, 10> kAnswerBlocks { { { 12, kUpperBandOffset }, { 146, kUpperBandOffset },
    { 277, kUpperBandOffset }, { 407, kUpperBandOffset }, { 539, kUpperBandOffset }, { 12, kLowerBandOffset },
    { 146, kLowerBandOffset }, { 277, kLowerBandOffset }, { 407, kLowerBandOffset },
    { 539, kLowerBandOffset } } };
// A row's 'a' box starts this far left of its block's column offset.
constexpr int kBlockLeftInset = 5;
constexpr double kRowStep = 19.3;
constexpr double kRowHeight = 13.5;
constexpr double kBoxWidth = 14;
constexpr int kLettersPerRow = 5;
constexpr std::array<double, kLettersPerRow> kLetterOffsets { 0, 19.5, 39, 58.5, 78 };
// Columns of a question row's strip, from its truncated left edge.
constexpr int kRowStripColumns = 95;

// The examinee ID: eight bands of ten digit boxes above the grid.
constexpr int kIdDigitCount = 8;
constexpr double kIdBandLeftOffset = 223 - 4;
constexpr double kIdBandTopOffset = -193 + 96;
constexpr double kIdBandStep = 19;
constexpr double kIdBandWidth = 198;
constexpr double kIdBandHeight = 14;
constexpr double kIdDigitOriginOffset = 230;
// Columns of each digit, inclusive offsets from the digit origin; offset 14 and
// anything outside read as 0.
struct IdDigitColumns {
    int first;
    int last;
};
constexpr std::array<IdDigitColumns, 10> kIdDigitColumns { { { 0, 13 }, { 15, 32 }, { 33, 51 }, { 52, 70 },
    { 71, 89 }, { 90, 108 }, { 109, 127 }, { 128, 146 }, { 147, 165 }, { 166, 184 } } };

// A rectangle in sheet coordinates: a question row (given by its 'a' box) or an
// answer box.
struct GridBox {
    float top = 0;
    float bottom = 0;
    float left = 0;
    float right = 0;
};

using QuestionRows = std::array<GridBox, kQuestionCount>;

// The skew of a sheet whose registration marks have these reference points.
SkewMeasurement SkewFromMarkPoints(int leftX, int leftY, int rightX, int rightY);

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
// The digit read at a column offset from the digit origin.
int IdDigitAtOffset(int offset);
