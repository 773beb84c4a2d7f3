#pragma once

class SheetImage;

// Pixel indices first to end - 1; empty when end <= first.
struct PixelSpan {
    int first = 0;
    int end = 0;

    bool IsEmpty() const { return end <= first; }
};

// A rectangle of pixels.
struct PixelArea {
    PixelSpan columns;
    PixelSpan rows;

    bool IsEmpty() const { return columns.IsEmpty() || rows.IsEmpty(); }
};

// A coordinate truncated toward zero; NaN and far-off values become an index that
// lies outside every image.
int TruncateToIndex(double coordinate);

// Indices i with trunc(from) <= i < before, compared as coordinates.
PixelSpan SpanBefore(double from, double before);
// Indices i with trunc(from) <= i <= last, compared as coordinates.
PixelSpan SpanThrough(double from, double last);
// Indices i with trunc(from) <= i < trunc(to).
PixelSpan SpanToTruncated(double from, double to);

// Whether the area holds pixels and all of them lie inside the image.
bool FitsInImage(const PixelArea& area, const SheetImage& image);

// The part of the area the engine may read as blue, green, red bytes: the pixels
// inside the image, and none at all when the image has fewer than 24 bits a pixel.
PixelArea ReadablePart(const PixelArea& area, const SheetImage& image);
