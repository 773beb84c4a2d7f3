#pragma once

#include <QImage>

class SheetImage;

// Rows [firstRow, endRow) of the image as a QImage in memory order, that is upside
// down: its row 0 is the image's row endRow - 1. Shares the image's memory where Qt
// has the same pixel layout (depths 1, 8, 16, 24, and 32 with alpha); depth 4 and
// 32 without alpha are copied, the latter made opaque. Null when out of memory.
QImage UpsideDownRows(const SheetImage& image, int firstRow, int endRow);

// The whole image as an independent QImage, top row first.
QImage ToQImage(const SheetImage& image);
