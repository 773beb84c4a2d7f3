#pragma once

#include "omr/sheet_layout.h"

// The printed answer sheet: A4 at 100 dpi. Everything the grader reads is placed by
// omr/sheet_layout, as offsets from the bottom-right corner pixel of the left
// registration mark; this adds what only the printout needs.
namespace form_layout {

constexpr int kWidth = 827;
constexpr int kHeight = 1169;
constexpr int kDotsPerMeter = 3937; // 100 dpi

// Registration mark: solid black, kMarkWidth x kMarkHeight. The right edge stands
// upright for the bottom kMarkUprightRows rows, then leans left by kMarkLean
// columns per row, so the bottom-right corner stays the last black pixel in column
// order when the sheet is turned a little either way.
constexpr int kMarkWidth = 20;
constexpr int kMarkHeight = 30;
constexpr int kMarkUprightRows = 3;
constexpr double kMarkLean = 0.25;

} // namespace form_layout
