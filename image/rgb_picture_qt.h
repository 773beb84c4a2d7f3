#pragma once

#include "image/rgb_picture.h"

#include <QImage>

// Between the reading's plain picture and Qt's, row by row, the pixels unchanged.
// A null image is an empty picture and back.
RgbPicture PictureOf(const QImage& image);
QImage ImageOf(const RgbPicture& picture);
