#pragma once

#include "framework/status.h"

class QByteArray;
class SheetImage;

// Encodes the image as a single-picture GIF through giflib (Qt cannot write GIF).
Status EncodeGif(const SheetImage& image, QByteArray& bytes);
