#include "image/compression_bound.h"

#include <algorithm>

namespace {

// JPEG (Huffman-coded): every 8 x 8 block of the first component codes at least
// its DC difference, one bit at the shortest. Arithmetic coding can go below a
// bit a block, but no scanner writes it and no sheet is that empty.
constexpr int64_t kJpegPixelsPerByte = 64 * 8;

// GIF: an LZW code takes at least two bits and stands for at most 4096 pixels,
// the size of the whole code table.
constexpr int64_t kGifPixelsPerByte = 4 * 4096;

// PNG: deflate's best is 1032 bytes from one (258-byte matches in under two
// bits), and a byte of filtered rows holds at most 8 one-bit pixels.
constexpr int64_t kPngPixelsPerByte = 1032 * 8;

// TIFF: group 4 codes a row like the one above it in one bit, whatever its width;
// zstd, the strongest of libtiff's byte coders, makes a 128 KiB block of one value
// from 4 bytes, 32768 bytes of 8 one-bit pixels a byte.
constexpr int64_t kTiffRowsPerByte = 8;
constexpr int64_t kTiffBytePixelsPerByte = 32768 * 8;

} // namespace

bool CouldHoldPixels(ImageType type, int64_t width, int64_t height, int64_t fileBytes)
{
    const int64_t pixels = width * height;
    switch (type) {
    case ImageType::Jpeg:
        return pixels <= fileBytes * kJpegPixelsPerByte;
    case ImageType::Gif:
        return pixels <= fileBytes * kGifPixelsPerByte;
    case ImageType::Png:
        return pixels <= fileBytes * kPngPixelsPerByte;
    case ImageType::Tiff:
        return pixels <= fileBytes * std::max(kTiffRowsPerByte * width, kTiffBytePixelsPerByte);
    default:
        // Uncompressed bitmaps are held to their rows by the completeness check;
        // a run-length bitmap may end early and leave the rest unset, so it has no
        // floor; icons are left to the pixel limit.
        return true;
    }
}
