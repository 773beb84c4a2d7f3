#include "omr/second_reading/grey_page.h"

#include "image/pixel_access.h"
#include "image/sheet_image.h"

#include <algorithm>

GreyPage::GreyPage(const SheetImage& image, PixelSpan rows)
    : m_width(image.GetWidth())
    , m_rows { std::clamp(rows.first, 0, image.GetHeight()), std::clamp(rows.end, 0, image.GetHeight()) }
{
    if (image.IsEmpty())
        return;
    const int depth = image.GetBitsPerPixel();
    if (depth == 24 || depth == 32) {
        m_red = image.GetPixelAddress(0, 0) + 2;
        m_rowStep = image.GetPitch();
        m_pixelStep = depth / 8;
        return;
    }
    std::vector<RgbQuad> table(static_cast<size_t>(image.GetColorTableSize()));
    image.GetColorTable(0, image.GetColorTableSize(), table.data());
    m_copy.resize(static_cast<size_t>(m_width) * static_cast<size_t>(image.GetHeight()), 255);
    for (int y = m_rows.first; y < m_rows.end; ++y) {
        uint8_t* out = &m_copy[static_cast<size_t>(y) * static_cast<size_t>(m_width)];
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < m_width; ++x) {
            if (depth == 16)
                out[x] = ExpandRgb565(row + 2 * x).red;
            else if (const size_t index = PackedIndex(row, x, depth); index < table.size())
                out[x] = table[index].rgbRed;
        }
    }
    m_red = m_copy.data();
    m_rowStep = m_width;
    m_pixelStep = 1;
}
