#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SheetImage;

// The scan as the second reading sees it, taken before the first reading
// thresholds it: one brightness byte a pixel, from the red channel, in which the
// form's drop-out ink nearly vanishes while graphite stays dark.
class GreyPage {
public:
    // Any depth the image holds (colour table, 5-6-5, 24 or 32 bits).
    explicit GreyPage(const SheetImage& image);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Brightness at a pixel inside the page.
    uint8_t At(int x, int y) const
    {
        return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    }
    // Brightness at a point rounded to its pixel (halves away from zero, as
    // std::lround); paper white outside the page.
    uint8_t Near(double x, double y) const
    {
        const long column = RoundHalfAway(x);
        const long row = RoundHalfAway(y);
        return column >= 0 && row >= 0 && column < m_width && row < m_height
            ? At(static_cast<int>(column), static_cast<int>(row))
            : 255;
    }

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
    int m_height = 0;
    std::vector<uint8_t> m_pixels;
};
