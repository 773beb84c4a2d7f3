#include "omr/sheet_cuts.h"

#include "image/sheet_image.h"

PixelArea WithCutMargin(const PixelArea& area)
{
    return { { area.columns.first - kCutMargin, area.columns.end + kCutMargin },
        { area.rows.first - kCutMargin, area.rows.end + kCutMargin } };
}

QImage CutFromSheet(const SheetImage& scan, const PixelArea& wanted, int zoom)
{
    const PixelArea area = ReadablePart(wanted, scan);
    if (area.IsEmpty())
        return {};
    QImage cut(area.columns.end - area.columns.first, area.rows.end - area.rows.first, QImage::Format_RGB888);
    const int bytesPerPixel = scan.GetBitsPerPixel() / 8;
    for (int r = area.rows.first; r < area.rows.end; ++r) {
        const uint8_t* pixel = scan.GetPixelAddress(area.columns.first, r);
        uchar* out = cut.scanLine(r - area.rows.first);
        for (int c = area.columns.first; c < area.columns.end; ++c, pixel += bytesPerPixel, out += 3) {
            out[0] = pixel[2];
            out[1] = pixel[1];
            out[2] = pixel[0];
        }
    }
    return zoom == 1
        ? cut
        : cut.scaled(cut.width() * zoom, cut.height() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage CutIdArea(const SheetImage& sheet, const IdBandLayout& bands)
{
    const PixelArea first = IdBandArea(bands.tops.front(), bands.left);
    const PixelArea last = IdBandArea(bands.tops.back(), bands.left);
    return sheet.GetBitsPerPixel() < 24
        ? QImage()
        : CutFromSheet(sheet, WithCutMargin({ first.columns, { first.rows.first, last.rows.end } }), 1);
}
