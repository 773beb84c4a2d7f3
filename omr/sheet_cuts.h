#pragma once

#include "omr/pixel_area.h"
#include "omr/sheet_layout.h"

#include <QImage>

class SheetImage;

// Pixels of the scan kept around a part cut out for a person to look at.
constexpr int kCutMargin = 6;

// The area with kCutMargin more pixels on every side.
PixelArea WithCutMargin(const PixelArea& area);

// The part of a 24- or 32-bit sheet within the area, `zoom` times its size; null
// when none of it lies on the sheet.
QImage CutFromSheet(const SheetImage& scan, const PixelArea& wanted, int zoom);
// The eight ID bands and a little around them; null for a sheet of fewer than 24 bits.
QImage CutIdArea(const SheetImage& sheet, const IdBandLayout& bands);
