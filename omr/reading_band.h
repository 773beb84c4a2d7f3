#pragma once

#include "omr/pixel_area.h"

struct GradingGrid;

// Most of a scan is never looked at: above the ID bands and below the last answer
// row lie only the form's print and the paper. Leaving those rows out of the
// decode saves a good part of a sheet's time.

// The rows the reading of this grid looks at: the mark windows, the ID bands, the
// question rows, and the reach of the review's measures around them.
PixelSpan RowsReadOnGrid(const GradingGrid& grid);

// The rows the reading looks at on any sheet: the union of RowsReadOnGrid over
// every grid the two marks can lay from anywhere in their windows. The second
// reading sees only these rows.
PixelSpan ReadingBand();
