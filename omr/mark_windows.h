#pragma once

#include "omr/pixel_area.h"

class SheetImage;

// Where the registration marks are looked for; the left window also serves to
// tell whether a sheet has been measured already.
constexpr PixelArea kLeftMarkWindow { { 25, 170 }, { 400, 500 } };
constexpr PixelArea kRightMarkWindow { { 675, 770 }, { 400, 500 } };

// Whether the image is large enough to hold both mark windows.
bool HoldsMarkWindows(const SheetImage& image);
