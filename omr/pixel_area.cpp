#include "omr/pixel_area.h"

#include "image/sheet_image.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any image (at most 100 megapixels), yet safe to add one to.
constexpr int kFarOff = 1 << 30;

PixelSpan Clip(const PixelSpan& span, int size)
{
    return { std::max(span.first, 0), std::min(span.end, size) };
}

bool SpanFits(const PixelSpan& span, int size)
{
    return !span.IsEmpty() && span.first >= 0 && span.end <= size;
}

} // namespace

int TruncateToIndex(double coordinate)
{
    if (!(coordinate > -kFarOff))
        return -kFarOff;
    if (coordinate > kFarOff)
        return kFarOff;
    return static_cast<int>(coordinate);
}

PixelSpan SpanBefore(double from, double before)
{
    const int first = TruncateToIndex(from);
    return { first, std::max(first, TruncateToIndex(std::ceil(before))) };
}

PixelSpan SpanThrough(double from, double last)
{
    const int first = TruncateToIndex(from);
    return { first, std::max(first, TruncateToIndex(std::floor(last)) + 1) };
}

PixelSpan SpanToTruncated(double from, double to)
{
    const int first = TruncateToIndex(from);
    return { first, std::max(first, TruncateToIndex(to)) };
}

bool FitsInImage(const PixelArea& area, const SheetImage& image)
{
    return SpanFits(area.columns, image.GetWidth()) && SpanFits(area.rows, image.GetHeight());
}

PixelArea ReadablePart(const PixelArea& area, const SheetImage& image)
{
    if (image.GetBitsPerPixel() < 24)
        return {};
    return { Clip(area.columns, image.GetWidth()), Clip(area.rows, image.GetHeight()) };
}
