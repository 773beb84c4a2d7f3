#pragma once

#include <array>

// The printed answer sheet: A4 at 100 dpi. Every position the grader reads is an
// offset from the bottom-right corner pixel of the left registration mark.
namespace form_layout {

constexpr int kWidth = 827;
constexpr int kHeight = 1169;
constexpr int kDotsPerMeter = 3937; // 100 dpi

// Corner pixels of the two registration marks on an untilted sheet.
constexpr int kLeftMarkX = 120;
constexpr int kLeftMarkY = 460;
constexpr int kMarkSpacing = 600; // right mark corner is this far right of the left one

// Registration mark: solid black, kMarkWidth x kMarkHeight. The right edge stands
// upright for the bottom kMarkUprightRows rows, then leans left by kMarkLean
// columns per row, so the bottom-right corner stays the last black pixel in column
// order when the sheet is turned a little either way.
constexpr int kMarkWidth = 20;
constexpr int kMarkHeight = 30;
constexpr int kMarkUprightRows = 3;
constexpr double kMarkLean = 0.25;

// Windows in which the grader looks for the marks (inclusive).
struct Window {
    int left, top, right, bottom;
};
constexpr Window kLeftMarkWindow{25, 400, 169, 499};
constexpr Window kRightMarkWindow{675, 400, 769, 499};

// Answer grid: ten blocks of ten questions, offsets from the left mark corner.
struct Block {
    int columnOffset;
    int bandOffset;
};
constexpr std::array<Block, 10> kBlocks{{{12, 132},
                                         {146, 132},
                                         {277, 132},
                                         {407, 132},
                                         {539, 132},
                                         {12, 349},
                                         {146, 349},
                                         {277, 349},
                                         {407, 349},
                                         {539, 349}}};
constexpr int kQuestionsPerBlock = 10;
constexpr int kBlockLeftInset = 5; // a box's left edge is columnOffset - 5
constexpr double kRowStep = 19.3;
constexpr double kRowHeight = 13.5;
constexpr double kBoxWidth = 14;
constexpr std::array<double, 5> kLetterOffsets{0, 19.5, 39, 58.5, 78};
constexpr int kStripWidth = 95; // the row check looks at this many columns
constexpr int kLowerBandOffset = 349;

// Examinee ID: eight bands of ten digit boxes.
constexpr int kIdDigits = 8;
constexpr int kIdBandLeftOffset = 219;
constexpr int kIdBandWidth = 198;
constexpr int kIdBandTopOffset = -97;
constexpr int kIdBandStep = 19;
constexpr int kIdBandHeight = 14;
constexpr int kIdDigitOrigin = 230;
struct DigitColumns {
    int first, last; // offsets from trunc(X + kIdDigitOrigin), inclusive
};
constexpr std::array<DigitColumns, 10> kDigitColumns{
    {{0, 13}, {15, 32}, {33, 51}, {52, 70}, {71, 89}, {90, 108}, {109, 127}, {128, 146}, {147, 165}, {166, 184}}};

} // namespace form_layout
