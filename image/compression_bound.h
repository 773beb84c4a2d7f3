#pragma once

#include "image/image_type.h"

#include <cstdint>

// Whether a file of `fileBytes` bytes could hold a width x height picture of its
// type at the best compression the type allows. A header announcing more is
// corrupt, and refused before any pixel memory is taken for it.
bool CouldHoldPixels(ImageType type, int64_t width, int64_t height, int64_t fileBytes);
