#pragma once

#include "image/image_result.h"

class QByteArray;
class SheetImage;

// Encodes the image with Qt's writer for the named format at its default settings.
ImageResult EncodeWithQt(const SheetImage& image, const char* qtFormat, QByteArray& bytes);
