#pragma once

#include "omr/pixel_area.h"

#include <array>

class SheetImage;

// Widest area CountBlackByColumn counts: a question row's strip, or the five
// answer boxes of a row side by side.
constexpr int kMaxCountedColumns = 96;

using ColumnCounts = std::array<int, kMaxCountedColumns>;

// The black pixels in each column of the area, first column first; the area must
// lie inside a 24- or 32-bit image (ReadablePart) and columns past
// kMaxCountedColumns are not counted.
ColumnCounts CountBlackByColumn(const SheetImage& image, const PixelArea& area);
