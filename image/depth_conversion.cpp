#include "image/sheet_image.h"

#include <new>

namespace {

// Expands a 5- or 6-bit channel to 8 bits, so full intensity stays 255.
uint8_t Expand5(unsigned value)
{
    return static_cast<uint8_t>((value << 3) | (value >> 2));
}

uint8_t Expand6(unsigned value)
{
    return static_cast<uint8_t>((value << 2) | (value >> 4));
}

} // namespace

void SheetImage::ConvertTo24Bits()
{
    if (m_depth != 1 && m_depth != 4 && m_depth != 8 && m_depth != 16)
        return;
    const std::ptrdiff_t stride = ((static_cast<std::ptrdiff_t>(m_width) * 24 + 31) / 32) * 4;
    std::vector<uint8_t> converted;
    try {
        converted.assign(static_cast<size_t>(stride * m_height), 0);
    } catch (const std::bad_alloc&) {
        // The image stays as it was; the engine reads nothing from it.
        return;
    }
    uint8_t* top = converted.data() + stride * (m_height - 1);
    const unsigned indexMask = (1u << m_depth) - 1;
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* source = GetPixelAddress(0, y);
        uint8_t* target = top - stride * y;
        for (int x = 0; x < m_width; ++x, target += 3) {
            if (m_depth == 16) {
                // 5-6-5, stored low byte first.
                const unsigned value = source[2 * x] | (source[2 * x + 1] << 8);
                target[0] = Expand5(value & 0x1F);
                target[1] = Expand6((value >> 5) & 0x3F);
                target[2] = Expand5(value >> 11);
                continue;
            }
            // The leftmost pixel sits in the high bits of its byte.
            const int bit = x * m_depth;
            const unsigned index = (source[bit / 8] >> (8 - m_depth - bit % 8)) & indexMask;
            const RgbQuad colour = index < m_colorTable.size() ? m_colorTable[index] : RgbQuad{};
            target[0] = colour.rgbBlue;
            target[1] = colour.rgbGreen;
            target[2] = colour.rgbRed;
        }
    }
    m_pixels.swap(converted);
    m_colorTable.clear();
    m_bits = top;
    m_pitch = -static_cast<int>(stride);
    m_depth = 24;
    m_hasAlpha = false;
}
