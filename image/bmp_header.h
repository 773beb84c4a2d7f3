#pragma once

#include <cstdint>
#include <optional>

class QIODevice;

// What a BMP file's headers announce.
struct BmpHeader {
    uint32_t dataOffset = 0; // where the rows start
    int64_t width = 0;
    int64_t height = 0; // negative for rows stored top-down
    int64_t bitsPerPixel = 0;
    int64_t compression = 0;

    bool IsUncompressed() const;
    // Bytes from the file's start to the end of the last row; uncompressed only.
    int64_t EndOfRows() const;
};

// Reads the headers from the device's start; nothing when they are cut short.
std::optional<BmpHeader> ReadBmpHeader(QIODevice& device);
