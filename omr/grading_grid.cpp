#include "omr/grading_grid.h"

#include "image/sheet_image.h"

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
