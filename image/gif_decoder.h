#pragma once

#include "framework/status.h"

#include <cstddef>
#include <cstdint>

class SheetImage;

// Decodes the first picture of a GIF with giflib into an 8-bit image with the
// picture's colours, on a canvas of the logical screen filled with the background
// colour. Unlike Qt's reader, giflib tells codes that run short or point nowhere,
// and such a file is refused instead of being filled out. The screen's announced
// size is held against the pixel limit and the file's size before any pixel
// memory is taken. The image is left alone on failure.
Status DecodeGif(const uint8_t* data, size_t size, SheetImage& image);
