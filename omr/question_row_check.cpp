#include "image/sheet_image.h"
#include "omr/black_columns.h"
#include "omr/engine_state.h"
#include "omr/pixel_rules.h"
#include "omr/row_mark_tracker.h"
#include "omr/sheet_layout.h"

#include <algorithm>

// The strip always spans 95 columns from the row's left edge, so its right edge is
// not needed.
void SheetImage::CheckQuestionRow(
    EngineState& engine, float rowTop, float rowBottom, float rowLeft, float /*rowRight*/)
{
    const GridBox row { rowTop, rowBottom, rowLeft, rowLeft };
    const PixelArea scan = ReadablePart(RowScanArea(row), *this);
    static_assert(kRowStripColumns <= kMaxCountedColumns);
    const int columns = std::clamp(scan.columns.end - scan.columns.first, 0, kRowStripColumns);
    const int rows = std::max(scan.rows.end - scan.rows.first, 0);
    RowMarkTracker tracker;
    const ColumnCounts black = CountBlackByColumn(*this, scan);
    for (size_t c = 0; c < static_cast<size_t>(columns) && !tracker.IsFlagged(); ++c)
        tracker.AddColumn(black[c], rows - black[c]);
    engine.g_rowFlagged = tracker.IsFlagged() ? 1 : 0;
    if (!tracker.IsFlagged())
        return;
    const int bytesPerPixel = GetBitsPerPixel() / 8;
    const PixelArea paint = ReadablePart(RowPaintArea(row), *this);
    for (int r = paint.rows.first; r < paint.rows.end; ++r) {
        uint8_t* pixel = GetPixelAddress(paint.columns.first, r);
        for (int column = paint.columns.first; column < paint.columns.end; ++column, pixel += bytesPerPixel)
            if (!IsBlack(pixel))
                PaintPixel(pixel, kFlaggedOrange);
    }
}
