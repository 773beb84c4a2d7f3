#include "image/upside_down_rows.h"

#include "image/pixel_access.h"
#include "image/sheet_image.h"

#include <QList>

#include <vector>

// QImage's ARGB32 and RGB16 hold native-order words; they match the stored bytes
// (blue, green, red, alpha) only on little-endian machines.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pixel views assume little-endian words");

namespace {

QList<QRgb> QtColorTable(const SheetImage& image)
{
    std::vector<RgbQuad> table(static_cast<size_t>(image.GetColorTableSize()));
    image.GetColorTable(0, image.GetColorTableSize(), table.data());
    QList<QRgb> colors;
    colors.reserve(static_cast<qsizetype>(table.size()));
    for (const RgbQuad& entry : table)
        colors.append(qRgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue));
    return colors;
}

// Qt's format with exactly the stored layout, or Invalid when there is none.
QImage::Format SharedFormat(const SheetImage& image)
{
    switch (image.GetBitsPerPixel()) {
    case 1:
        return QImage::Format_Mono;
    case 8:
        return QImage::Format_Indexed8;
    case 16:
        return QImage::Format_RGB16;
    case 24:
        return QImage::Format_BGR888;
    case 32:
        // Without alpha the fourth byte is ignored and may be anything; Qt's RGB32
        // wants it 0xFF, so that case is copied.
        return image.HasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_Invalid;
    default:
        return QImage::Format_Invalid;
    }
}

QImage CopiedRows(const SheetImage& image, const uint8_t* lowest, qsizetype stride, int rowCount)
{
    const int width = image.GetWidth();
    const bool indexed = image.GetBitsPerPixel() == 4;
    QImage copy(width, rowCount, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (copy.isNull())
        return copy;
    for (int r = 0; r < rowCount; ++r) {
        const uint8_t* from = lowest + r * stride;
        if (indexed) {
            uint8_t* to = copy.scanLine(r);
            for (int x = 0; x < width; ++x)
                to[x] = PackedIndex(from, x, 4);
        } else {
            auto* to = reinterpret_cast<QRgb*>(copy.scanLine(r));
            for (int x = 0; x < width; ++x, from += 4)
                to[x] = qRgb(from[2], from[1], from[0]);
        }
    }
    if (indexed)
        copy.setColorTable(QtColorTable(image));
    return copy;
}

} // namespace

QImage UpsideDownRows(const SheetImage& image, int firstRow, int endRow)
{
    if (image.IsEmpty() || firstRow < 0 || endRow > image.GetHeight() || firstRow >= endRow)
        return {};
    const int rowCount = endRow - firstRow;
    // Rows are stored bottom-up, so the last wanted row has the lowest address.
    const uint8_t* lowest = image.GetPixelAddress(0, endRow - 1);
    const qsizetype stride = -static_cast<qsizetype>(image.GetPitch());
    const QImage::Format format = SharedFormat(image);
    if (format == QImage::Format_Invalid)
        return CopiedRows(image, lowest, stride, rowCount);
    QImage view(lowest, image.GetWidth(), rowCount, stride, format);
    if (image.GetBitsPerPixel() <= 8)
        view.setColorTable(QtColorTable(image));
    return view;
}

QImage ToQImage(const SheetImage& image)
{
    return UpsideDownRows(image, 0, image.GetHeight()).mirrored(false, true);
}
