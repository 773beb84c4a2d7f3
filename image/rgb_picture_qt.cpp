#include "image/rgb_picture_qt.h"

#include <cstring>

RgbPicture PictureOf(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    RgbPicture picture { rgb.width(), rgb.height(), {} };
    const size_t rowBytes = static_cast<size_t>(rgb.width()) * 3;
    picture.rgb.resize(rowBytes * static_cast<size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(picture.rgb.data() + rowBytes * static_cast<size_t>(y), rgb.constScanLine(y), rowBytes);
    return picture;
}

QImage ImageOf(const RgbPicture& picture)
{
    if (picture.IsEmpty())
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.rgb.data() + rowBytes * static_cast<size_t>(y), rowBytes);
    return image;
}
