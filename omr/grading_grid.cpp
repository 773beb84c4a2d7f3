#include "omr/grading_grid.h"

#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/sheet_check.h"

std::optional<GradingGrid> LayGradingGrid(const SheetImage& image, const SkewMeasurement& skew)
{
    const GradingGrid grid { LayIdBands(skew), LayQuestionRows(skew) };
    for (const float top : grid.idBands.tops)
        if (!FitsInImage(IdBandArea(top, grid.idBands.left), image))
            return std::nullopt;
    for (const GridBox& row : grid.rows) {
        // The painted part of a strip lies within its scanned part.
        if (!FitsInImage(RowScanArea(row), image))
            return std::nullopt;
        // Every letter's box, whichever the key asks for.
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            if (!FitsInImage(AnswerBoxArea(LayAnswerBox(row, letter)), image))
                return std::nullopt;
    }
    return grid;
}

std::optional<GradingGrid> LayGradingGridOrRefuse(const SheetImage& image, const EngineState& engine)
{
    std::optional<GradingGrid> grid = LayGradingGrid(image, engine.g_skew);
    if (!grid)
        engine.Show(RefusalMessage(SheetCheck::OutsideImage));
    return grid;
}
