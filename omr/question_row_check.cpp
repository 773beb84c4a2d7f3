#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/pixel_rules.h"
#include "omr/row_mark_tracker.h"
#include "omr/sheet_layout.h"

// The strip always spans 95 columns from the row's left edge, so its right edge is
// not needed.
void SheetImage::CheckQuestionRow(float rowTop, float rowBottom, float rowLeft, float /*rowRight*/)
{
    const GridBox row { rowTop, rowBottom, rowLeft, rowLeft };
    const PixelArea scan = ReadablePart(RowScanArea(row), *this);
    RowMarkTracker tracker;
    for (int column = scan.columns.first; column < scan.columns.end && !tracker.IsFlagged(); ++column) {
        int black = 0;
        int other = 0;
        for (int r = scan.rows.first; r < scan.rows.end; ++r)
            ++(IsBlack(GetPixelAddress(column, r)) ? black : other);
        tracker.AddColumn(black, other);
    }
    g_rowFlagged = tracker.IsFlagged() ? 1 : 0;
    if (!tracker.IsFlagged())
        return;
    const PixelArea paint = ReadablePart(RowPaintArea(row), *this);
    for (int r = paint.rows.first; r < paint.rows.end; ++r)
        for (int column = paint.columns.first; column < paint.columns.end; ++column)
            if (!IsBlack(GetPixelAddress(column, r)))
                SetPixel(column, r, kFlaggedOrange);
}
