#pragma once

#include "framework/status.h"

class QByteArray;
class SheetImage;

// Encodes the image with Qt's writer for the named format at its default settings.
Status EncodeWithQt(const SheetImage& image, const char* qtFormat, QByteArray& bytes);
