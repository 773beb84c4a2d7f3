#pragma once

#include "framework/status.h"
#include "image/sheet_image.h"

#include <cstdint>
#include <vector>

// Pixels as one colour-table index per byte, top row first, with their colours.
struct PaletteImage {
    std::vector<uint8_t> indices;
    std::vector<RgbQuad> palette; // 1 to 256 entries
};

// Indexed images keep their colour table. True-colour images keep their exact
// colours when there are at most 256, as scans after a check usually have;
// otherwise giflib's median cut picks 256. Alpha is ignored.
Status ToPaletteImage(const SheetImage& image, PaletteImage& result);
