#pragma once

#include <cstdint>
#include <vector>

// A picture as red, green, blue bytes, rows top-down with no padding: what the reading
// keeps of a scan (a sheet's ID area for the slips) without Qt. The desktop turns it
// into a QImage where it draws (image/rgb_picture_qt.h).
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3 bytes

    bool IsEmpty() const { return rgb.empty(); }
};
