#pragma once

#include "engine_grid.h"
#include "sheet_random.h"

#include <QImage>
#include <vector>

// Adds what a scanner adds: grey noise on every pixel (level = its standard
// deviation in grey levels), light dust and small dark specks. Dust stays out of
// the mark windows, whose only dark pixels must be the marks; dark specks also stay
// out of the other read areas (ID bands, answer rows), so the sheet still carries
// exactly what was drawn. Level 0 leaves the image alone.
void AddScanNoise(QImage& image, double level, const std::vector<PixelRect>& markWindows,
    const std::vector<PixelRect>& readAreas, SheetRandom& random);
