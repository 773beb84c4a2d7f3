#pragma once

#include "omr/sheet_layout.h"

#include <optional>

class SheetImage;

// Where the grader reads a sheet: the ID bands and the question rows.
struct GradingGrid {
    IdBandLayout idBands;
    QuestionRows rows;
};

// The grid where the measured skew puts it, when every read of the ID and the grid
// stays inside the image; nothing otherwise (the sheet is refused as OutsideImage).
std::optional<GradingGrid> LayGradingGrid(const SheetImage& image, const SkewMeasurement& skew);
