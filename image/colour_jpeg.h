#pragma once

#include "framework/status.h"
#include "image/sheet_image.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// Decodes a colour (YCbCr or RGB) JPEG with libjpeg-turbo straight into the image's
// bottom-up blue, green and red rows: the pixels Qt's reader gives (the same
// library, the same accurate DCT and smooth upsampling) without its two copies.
// Only the needed rows are decoded; the others are left white.
// Refuses, like the Qt path, an image over the pixel limit, a header announcing
// more pixels than the file could code, a truncated stream, and data libjpeg warns
// about. Returns nothing, and leaves the image alone, for any other stream (grey,
// CMYK, a header libjpeg cannot read): Qt decodes those.
std::optional<Status> DecodeColourJpeg(
    const uint8_t* data, size_t size, SheetImage& image, NeededRows needed);

// A JPEG's bytes as the engine's image, without Qt: a colour one as above; a grey one
// whole, at depth 8 with a grey ramp and the resolution Qt's reader gives it (the
// desktop decodes grey JPEGs through Qt: the same pixels). Returns nothing for any
// other stream (CMYK, no JPEG).
std::optional<Status> DecodeJpeg(const uint8_t* data, size_t size, SheetImage& image, NeededRows needed = {});
