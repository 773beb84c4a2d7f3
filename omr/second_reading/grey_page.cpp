#include "omr/second_reading/grey_page.h"

#include "image/pixel_access.h"
#include "image/sheet_image.h"

#include <cmath>

GreyPage::GreyPage(const SheetImage& image)
    : m_width(image.GetWidth())
    , m_height(image.GetHeight())
    , m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height))
{
    std::vector<RgbQuad> table(static_cast<size_t>(image.GetColorTableSize()));
    image.GetColorTable(0, image.GetColorTableSize(), table.data());
    const int depth = image.GetBitsPerPixel();
    for (int y = 0; y < m_height; ++y) {
        uint8_t* out = &m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width)];
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < m_width; ++x) {
            if (depth >= 24)
                out[x] = row[static_cast<size_t>(x) * static_cast<size_t>(depth / 8) + 2];
            else if (depth == 16)
                out[x] = ExpandRgb565(row + 2 * x).red;
            else if (const size_t index = PackedIndex(row, x, depth); index < table.size())
                out[x] = table[index].rgbRed;
            else
                out[x] = 255;
        }
    }
}

uint8_t GreyPage::Near(double x, double y) const
{
    const int column = static_cast<int>(std::lround(x));
    const int row = static_cast<int>(std::lround(y));
    return Contains(column, row) ? At(column, row) : 255;
}
