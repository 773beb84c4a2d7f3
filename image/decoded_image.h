#pragma once

#include "framework/status.h"

class QImage;
class SheetImage;

// Stores a decoded picture in the sheet image, choosing the depth by what the
// pixels hold: opaque colour 24, alpha 32 with alpha, greyscale or indexed 8,
// two-colour 1, 5-6-5 16, and more than 8 bits per channel 32 without alpha.
Status StoreDecodedImage(const QImage& decoded, SheetImage& image);
