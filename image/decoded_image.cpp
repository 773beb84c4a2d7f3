#include "image/decoded_image.h"

#include "image/sheet_image.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace {

enum class Layout { Mono, Indexed, Grey, Rgb565, Colour, ColourWithAlpha, DeepColour };

Layout LayoutOf(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return Layout::Mono;
    case QImage::Format_Indexed8:
        return Layout::Indexed; // a palette with alpha stays indexed; its alpha is dropped
    case QImage::Format_Grayscale8:
        return Layout::Grey;
    case QImage::Format_RGB16:
        return Layout::Rgb565;
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBX64:
    case QImage::Format_BGR30:
    case QImage::Format_RGB30:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBX32FPx4:
        return Layout::DeepColour;
    default:
        return image.hasAlphaChannel() ? Layout::ColourWithAlpha : Layout::Colour;
    }
}

Status OutOfMemory()
{
    return Status::Failure("not enough memory to convert the image");
}

void CopyPalette(const QImage& decoded, SheetImage& image)
{
    const int count = std::min(static_cast<int>(decoded.colorCount()), image.GetColorTableSize());
    for (int i = 0; i < count; ++i) {
        const QRgb color = decoded.color(i);
        const RgbQuad entry { static_cast<uint8_t>(qBlue(color)), static_cast<uint8_t>(qGreen(color)),
            static_cast<uint8_t>(qRed(color)), 0 };
        image.SetColorTable(i, 1, &entry);
    }
}

void SetGreyRamp(SheetImage& image)
{
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        const RgbQuad entry { level, level, level, 0 };
        image.SetColorTable(i, 1, &entry);
    }
}

// Rows whose bytes are already laid out as stored.
void CopyRows(const QImage& decoded, SheetImage& image)
{
    const size_t rowBytes = (static_cast<size_t>(image.GetWidth()) * image.GetBitsPerPixel() + 7) / 8;
    for (int y = 0; y < image.GetHeight(); ++y)
        std::memcpy(image.GetPixelAddress(0, y), decoded.constScanLine(y), rowBytes);
}

// 32-bit Qt pixels (RGB32 or ARGB32) to blue, green, red and alpha or an ignored zero.
void CopyWords(const QImage& decoded, SheetImage& image, bool keepAlpha)
{
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    for (int y = 0; y < image.GetHeight(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        uint8_t* to = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x, to += bytesPerPixel) {
            to[0] = static_cast<uint8_t>(qBlue(from[x]));
            to[1] = static_cast<uint8_t>(qGreen(from[x]));
            to[2] = static_cast<uint8_t>(qRed(from[x]));
            if (bytesPerPixel == 4)
                to[3] = keepAlpha ? static_cast<uint8_t>(qAlpha(from[x])) : 0;
        }
    }
}

Status StoreWords(const QImage& decoded, SheetImage& image, QImage::Format wordFormat, bool keepAlpha)
{
    if (decoded.format() == wordFormat) {
        CopyWords(decoded, image, keepAlpha);
        return {};
    }
    const QImage words = decoded.convertToFormat(wordFormat);
    if (words.isNull())
        return OutOfMemory();
    CopyWords(words, image, keepAlpha);
    return {};
}

int DepthOf(Layout layout)
{
    switch (layout) {
    case Layout::Mono:
        return 1;
    case Layout::Indexed:
    case Layout::Grey:
        return 8;
    case Layout::Rgb565:
        return 16;
    case Layout::Colour:
        return 24;
    case Layout::ColourWithAlpha:
    case Layout::DeepColour:
        return 32;
    }
    return 32;
}

} // namespace

Status StoreDecodedImage(const QImage& decoded, SheetImage& image)
{
    if (decoded.isNull())
        return Status::Failure("the decoded image holds no pixels");
    const Layout layout = LayoutOf(decoded);
    if (Status created
        = image.Create(decoded.width(), decoded.height(), DepthOf(layout), layout == Layout::ColourWithAlpha);
        !created)
        return created;

    switch (layout) {
    case Layout::Mono: {
        const QImage msbFirst = decoded.convertToFormat(QImage::Format_Mono);
        if (msbFirst.isNull())
            return OutOfMemory();
        CopyRows(msbFirst, image);
        CopyPalette(msbFirst, image);
        return {};
    }
    case Layout::Indexed:
        CopyRows(decoded, image);
        CopyPalette(decoded, image);
        return {};
    case Layout::Grey:
        CopyRows(decoded, image);
        SetGreyRamp(image);
        return {};
    case Layout::Rgb565:
        CopyRows(decoded, image);
        return {};
    case Layout::Colour:
        if (decoded.format() == QImage::Format_BGR888) {
            CopyRows(decoded, image);
            return {};
        }
        return StoreWords(decoded, image, QImage::Format_RGB32, false);
    case Layout::ColourWithAlpha:
        return StoreWords(decoded, image, QImage::Format_ARGB32, true);
    case Layout::DeepColour:
        return StoreWords(decoded, image, QImage::Format_RGB32, false);
    }
    return {};
}
