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
        // The usual depths get a loop of their own, without a test per pixel.
        if (depth == 24 || depth == 32) {
            const size_t step = static_cast<size_t>(depth / 8);
            for (int x = 0; x < m_width; ++x)
                out[x] = row[static_cast<size_t>(x) * step + 2];
            continue;
        }
        for (int x = 0; x < m_width; ++x) {
            if (depth == 16)
                out[x] = ExpandRgb565(row + 2 * x).red;
            else if (const size_t index = PackedIndex(row, x, depth); index < table.size())
                out[x] = table[index].rgbRed;
            else
                out[x] = 255;
        }
    }
}
