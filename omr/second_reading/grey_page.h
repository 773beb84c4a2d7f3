#pragma once

#include "omr/pixel_area.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class SheetImage;

// How many pixels there are of each brightness.
using BrightnessCounts = std::array<int, 256>;

// The brightness below which more than `share` of the counted pixels lie.
int BrightnessAtShare(const BrightnessCounts& counts, double share);

// The scan as the second reading sees it, before the first reading thresholds it:
// one brightness byte a pixel, from the red channel, in which the form's drop-out
// ink nearly vanishes while graphite stays dark. Only the rows given are seen
// (the reading band); the others read as paper white.
class GreyPage {
public:
    // A 24- or 32-bit image is read where it lies, so it must stay unchanged while
    // the page is read; an image of another depth (colour table, 5-6-5) is copied.
    GreyPage(const SheetImage& image, PixelSpan rows);

    int Width() const { return m_width; }
    PixelSpan Rows() const { return m_rows; }
    // Brightness at a pixel inside the page's rows.
    uint8_t At(int x, int y) const
    {
        return m_red[static_cast<std::ptrdiff_t>(y) * m_rowStep
            + static_cast<std::ptrdiff_t>(x) * m_pixelStep];
    }
    // Brightness at a point rounded to its pixel (halves away from zero, as
    // std::lround); paper white outside the page's rows.
    uint8_t Near(double x, double y) const
    {
        const long column = RoundHalfAway(x);
        const long row = RoundHalfAway(y);
        return column >= 0 && column < m_width && row >= m_rows.first && row < m_rows.end
            ? At(static_cast<int>(column), static_cast<int>(row))
            : 255;
    }

    // Whether the area lies a pixel or more inside the page's rows and columns, where
    // NearInside reads.
    bool Inside(double left, double top, double right, double bottom) const
    {
        return left >= 1 && top >= 1 && top >= m_rows.first && right <= m_width - 1
            && bottom <= m_rows.end - 1;
    }
    // Near for a point of an area Inside: for x of 1 or more, x + 1/2 cut to a whole
    // rounds halves away from zero exactly as Near does, with no test of the fraction.
    uint8_t NearInside(double x, double y) const
    {
        return At(static_cast<int>(x + 0.5), static_cast<int>(y + 0.5));
    }

    // The pixels of every rowStep-th row and columnStep-th column of the area, within
    // the page's rows.
    BrightnessCounts CountBrightness(const PixelArea& area, int rowStep, int columnStep) const;

private:
    // std::lround for the page's coordinates, without its library call: the cut-off
    // fraction x - trunc(x) is exact in double.
    static long RoundHalfAway(double x)
    {
        const auto whole = static_cast<long>(x);
        const double fraction = x - static_cast<double>(whole);
        return whole + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
    }

    int m_width = 0;
    PixelSpan m_rows;
    std::vector<uint8_t> m_copy; // the red bytes of an image of another depth
    const uint8_t* m_red = nullptr; // the red byte of pixel (0, 0)
    std::ptrdiff_t m_rowStep = 0;
    std::ptrdiff_t m_pixelStep = 0;
};
