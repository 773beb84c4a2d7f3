#include "omr/black_columns.h"

#include "image/sheet_image.h"

#include <algorithm>
#include <cstring>

namespace {

// Each row is copied into a line padded with white, and every byte position counts
// the rows in which three zero bytes start there: a whole-vector loop over the
// line, where a pixel's count is the one at its first byte.
template <size_t kBytesPerPixel>
ColumnCounts Count(const SheetImage& image, const PixelArea& area, size_t columns)
{
    constexpr size_t kLineBytes = kBytesPerPixel * kMaxCountedColumns;
    std::array<uint8_t, kLineBytes + 2> line;
    line.fill(0xFF);
    ColumnCounts black {};
    // 255 rows at a time, so that a byte holds each count.
    constexpr int kRowsPerPass = 255;
    for (int first = area.rows.first; first < area.rows.end; first += kRowsPerPass) {
        std::array<uint8_t, kLineBytes> zeroStarts {};
        const int end = std::min(area.rows.end, first + kRowsPerPass);
        for (int r = first; r < end; ++r) {
            std::memcpy(line.data(), image.GetPixelAddress(area.columns.first, r), columns * kBytesPerPixel);
            for (size_t i = 0; i < kLineBytes; ++i)
                zeroStarts[i] += (line[i] | line[i + 1] | line[i + 2]) == 0 ? 1 : 0;
        }
        for (size_t c = 0; c < columns; ++c)
            black[c] += zeroStarts[c * kBytesPerPixel];
    }
    return black;
}

} // namespace

ColumnCounts CountBlackByColumn(const SheetImage& image, const PixelArea& area)
{
    if (area.IsEmpty())
        return {};
    const auto columns
        = static_cast<size_t>(std::min(area.columns.end - area.columns.first, kMaxCountedColumns));
    return image.GetBitsPerPixel() == 32 ? Count<4>(image, area, columns) : Count<3>(image, area, columns);
}
