#pragma once

#include "omr/mark_shape.h"
#include "omr/sheet_layout.h"

// The printed answer sheet: A4 at 100 dpi. Everything the grader reads is placed by
// omr/sheet_layout, as offsets from the bottom-right corner pixel of the left
// registration mark; this adds what only the printout needs.
namespace form_layout {

constexpr int kWidth = 827;
constexpr int kHeight = 1169;
constexpr int kDotsPerMeter = 3937; // 100 dpi

} // namespace form_layout
