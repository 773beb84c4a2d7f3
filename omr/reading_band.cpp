#include "omr/reading_band.h"

#include "omr/grading_grid.h"
#include "omr/mark_windows.h"
#include "omr/review_measures.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

PixelSpan Union(const PixelSpan& a, const PixelSpan& b)
{
    return { std::min(a.first, b.first), std::max(a.end, b.end) };
}

// The corners of a window: its first and last pixels each way.
std::array<std::pair<int, int>, 4> Corners(const PixelArea& window)
{
    const int left = window.columns.first;
    const int right = window.columns.end - 1;
    const int top = window.rows.first;
    const int bottom = window.rows.end - 1;
    return { { { left, top }, { left, bottom }, { right, top }, { right, bottom } } };
}

} // namespace

PixelSpan RowsReadOnGrid(const GradingGrid& grid)
{
    PixelSpan rows = Union(kLeftMarkWindow.rows, kRightMarkWindow.rows);
    for (const float top : grid.idBands.tops)
        rows = Union(rows, IdBandArea(top, grid.idBands.left).rows);
    for (const GridBox& row : grid.rows)
        rows = Union(rows, RowScanArea(row).rows);
    return { rows.first - kDriftReach, rows.end + kDriftReach };
}

PixelSpan ReadingBand()
{
    // Every row of the grid moves one way as a mark moves one way, so the grids
    // of the windows' corners reach furthest.
    static const PixelSpan band = [] {
        PixelSpan rows = kLeftMarkWindow.rows;
        for (const auto& [leftX, leftY] : Corners(kLeftMarkWindow))
            for (const auto& [rightX, rightY] : Corners(kRightMarkWindow)) {
                const SkewMeasurement skew = SkewFromMarkPoints(leftX, leftY, rightX, rightY);
                rows = Union(rows, RowsReadOnGrid({ LayIdBands(skew), LayQuestionRows(skew) }));
            }
        return rows;
    }();
    return band;
}
