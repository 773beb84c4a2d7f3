#pragma once

#include <cstdint>
#include <cstring>

// Colour-table index of pixel x in a row of 1-, 4- or 8-bit pixels; the leftmost
// pixel of a byte sits in its most significant bits.
inline uint8_t PackedIndex(const uint8_t* row, int x, int depth)
{
    switch (depth) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 0x01;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    default:
        return row[x];
    }
}

struct Rgb8 {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// A 16-bit 5-6-5 pixel (native byte order) widened to 8 bits per channel, the low
// bits repeating the high ones so that full intensity stays 255.
inline Rgb8 ExpandRgb565(const uint8_t* pixel)
{
    uint16_t value;
    std::memcpy(&value, pixel, sizeof value);
    const unsigned red = value >> 11, green = (value >> 5) & 0x3F, blue = value & 0x1F;
    return { static_cast<uint8_t>((red << 3) | (red >> 2)), static_cast<uint8_t>((green << 2) | (green >> 4)),
        static_cast<uint8_t>((blue << 3) | (blue >> 2)) };
}
