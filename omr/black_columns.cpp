#include "omr/black_columns.h"

#include "image/sheet_image.h"

#include <algorithm>

namespace {

// Every byte position of a row counts the rows in which three zero bytes start
// there, sixteen positions at a time (one vector step); a pixel's count is the one
// at its first byte. The last few pixels of a row go one by one, so that no read
// leaves the row.
template <size_t kBytesPerPixel>
ColumnCounts Count(const SheetImage& image, const PixelArea& area, size_t columns)
{
    constexpr size_t kStep = 16;
    const size_t rowBytes = columns * kBytesPerPixel;
    ColumnCounts black {};
    // 255 rows at a time, so that a byte holds each count.
    constexpr int kRowsPerPass = 255;
    for (int first = area.rows.first; first < area.rows.end; first += kRowsPerPass) {
        std::array<uint8_t, kBytesPerPixel * kMaxCountedColumns> zeroStarts {};
        const int end = std::min(area.rows.end, first + kRowsPerPass);
        for (int r = first; r < end; ++r) {
            const uint8_t* row = image.GetPixelAddress(area.columns.first, r);
            size_t i = 0;
            for (; i + kStep + 2 <= rowBytes; i += kStep) {
                const uint8_t* bytes = row + i;
                uint8_t* counts = zeroStarts.data() + i;
                for (size_t k = 0; k < kStep; ++k)
                    counts[k] += (bytes[k] | bytes[k + 1] | bytes[k + 2]) == 0 ? 1 : 0;
            }
            for (i = (i + kBytesPerPixel - 1) / kBytesPerPixel * kBytesPerPixel; i < rowBytes;
                 i += kBytesPerPixel)
                zeroStarts[i] += (row[i] | row[i + 1] | row[i + 2]) == 0 ? 1 : 0;
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
