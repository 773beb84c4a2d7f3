#include "image/half_turn.h"

#include "image/sheet_image.h"

#include <algorithm>
#include <cstring>
#include <vector>

void TurnHalf(SheetImage& image)
{
    image.ConvertTo24Bits();
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const int bytes = image.GetBitsPerPixel() / 8;
    if (width <= 0 || height <= 0 || bytes <= 0)
        return;
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bytes);
    std::vector<uint8_t> top(rowBytes);
    std::vector<uint8_t> bottom(rowBytes);
    // Row y and row height-1-y trade places, each read right to left.
    const auto reversed = [&](const uint8_t* row, std::vector<uint8_t>& out) {
        for (int x = 0; x < width; ++x)
            std::memcpy(&out[static_cast<size_t>(width - 1 - x) * static_cast<size_t>(bytes)],
                row + static_cast<size_t>(x) * static_cast<size_t>(bytes), static_cast<size_t>(bytes));
    };
    for (int y = 0; y < (height + 1) / 2; ++y) {
        uint8_t* upper = image.GetPixelAddress(0, y);
        uint8_t* lower = image.GetPixelAddress(0, height - 1 - y);
        reversed(upper, top);
        reversed(lower, bottom);
        std::copy(bottom.begin(), bottom.end(), upper);
        std::copy(top.begin(), top.end(), lower);
    }
}
