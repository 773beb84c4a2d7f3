#include "image/pixel_access.h"
#include "image/sheet_image.h"

void SheetImage::ConvertTo24Bits()
{
    if (IsEmpty() || m_depth > 16)
        return;
    SheetImage converted;
    if (!converted.Create(m_width, m_height, 24))
        return; // out of memory: keep the image as it is
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* from = GetPixelAddress(0, y);
        uint8_t* to = converted.GetPixelAddress(0, y);
        for (int x = 0; x < m_width; ++x, to += 3) {
            if (m_depth == 16) {
                const Rgb8 color = ExpandRgb565(from + 2 * x);
                to[0] = color.blue;
                to[1] = color.green;
                to[2] = color.red;
            } else {
                // The table holds 2^depth entries, so every index is inside it.
                const RgbQuad& color = m_colorTable[PackedIndex(from, x, m_depth)];
                to[0] = color.rgbBlue;
                to[1] = color.rgbGreen;
                to[2] = color.rgbRed;
            }
        }
    }
    *this = std::move(converted);
}
