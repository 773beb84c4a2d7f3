#pragma once

#include "image/image_result.h"

class QByteArray;
class SheetImage;

// Encodes the image as a single-picture GIF through giflib (Qt cannot write GIF).
ImageResult EncodeGif(const SheetImage& image, QByteArray& bytes);
