#pragma once

#include "image/sheet_image.h"

#include <cstdint>

// Grey level of a pixel given as blue, green, red bytes; black is 0, white 255.
inline int GreyLevel(const uint8_t* pixel)
{
    return (pixel[0] + pixel[1] + pixel[2]) / 3;
}

// Every mark test counts only pixels of grey level 0: bytes summing to 0, 1 or 2.
inline bool IsBlack(const uint8_t* pixel)
{
    return pixel[0] + pixel[1] + pixel[2] < 3;
}

// SetPixel for a pixel already known to lie inside a 24- or 32-bit image.
inline void PaintPixel(uint8_t* pixel, ColorRef color)
{
    pixel[0] = static_cast<uint8_t>(color >> 16); // blue
    pixel[1] = static_cast<uint8_t>(color >> 8); // green
    pixel[2] = static_cast<uint8_t>(color); // red
}

// Black pixels that make an answer box count as marked.
constexpr int kMarkedBoxBlack = 70;

// Overlay colours (0x00BBGGRR). None is black, so marks stay readable under them.
constexpr ColorRef kSearchedWindowCyan = 0x00FFFF00; // white pixels of the mark windows
constexpr ColorRef kReadGreen = 0x0000FF00; // ID bands, and a correct key box
constexpr ColorRef kWrongRed = 0x000000FF; // the key box of a wrong answer
constexpr ColorRef kFlaggedOrange = 0x000066FF; // the strip of a rejected row
