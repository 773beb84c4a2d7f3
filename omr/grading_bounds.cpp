#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"

SheetCheck SheetImage::CheckGradingBounds() const
{
    const IdBandLayout bands = LayIdBands(g_skew);
    for (const float top : bands.tops)
        if (!FitsInImage(IdBandArea(top, bands.left), *this))
            return SheetCheck::OutsideImage;
    for (const GridBox& row : LayQuestionRows(g_skew)) {
        // The painted part of a strip lies within its scanned part.
        if (!FitsInImage(RowScanArea(row), *this))
            return SheetCheck::OutsideImage;
        // Every letter's box, whichever the key asks for.
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            if (!FitsInImage(AnswerBoxArea(LayAnswerBox(row, letter)), *this))
                return SheetCheck::OutsideImage;
    }
    return SheetCheck::Accepted;
}
