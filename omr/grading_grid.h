#pragma once

#include "omr/sheet_layout.h"

#include <optional>

class SheetImage;
struct EngineState;

// Where the grader reads a sheet: the ID bands and the question rows.
struct GradingGrid {
    IdBandLayout idBands;
    QuestionRows rows;
};

// The grid where the measured skew puts it, when every read of the ID and the grid
// stays inside the image; nothing otherwise (the sheet is refused as OutsideImage).
std::optional<GradingGrid> LayGradingGrid(const SheetImage& image, const SkewMeasurement& skew);
// The grid for the engine's measured skew; when it would leave the image, shows
// the refusal through the engine and gives nothing.
std::optional<GradingGrid> LayGradingGridOrRefuse(const SheetImage& image, const EngineState& engine);
