#include "omr/black_columns.h"

#include "image/sheet_image.h"
#include "omr/pixel_rules.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr size_t kStep = 16;

// Adds one row's black-pixel starts at sixteen byte positions to their counts.
inline void CountBlackStarts(const uint8_t* bytes, std::array<uint8_t, kStep>& counts)
{
#if defined(__SSE2__)
    // The three bytes' sum below 3, with sums saturating at 255 (so never below 3
    // once they reach it); a black start's mask is -1, subtracted to add one.
    const auto load = [](const uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
    const __m128i sum = _mm_adds_epu8(_mm_adds_epu8(load(bytes), load(bytes + 1)), load(bytes + 2));
    const __m128i black = _mm_cmpeq_epi8(_mm_min_epu8(sum, _mm_set1_epi8(2)), sum);
    const __m128i total
        = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(counts.data())), black);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(counts.data()), total);
#else
    for (size_t k = 0; k < kStep; ++k)
        counts[k] += IsBlack(bytes + k) ? 1 : 0;
#endif
}

// Every byte position of the area's rows counts the rows in which three bytes of a
// black pixel start there, sixteen positions at a time (one vector) down all the rows; a
// pixel's count is the one at its first byte. The last few pixels of the rows go
// one by one, so that no read leaves a row.
template <size_t kBytesPerPixel>
ColumnCounts Count(const SheetImage& image, const PixelArea& area, size_t columns)
{
    const size_t rowBytes = columns * kBytesPerPixel;
    const std::ptrdiff_t pitch = image.GetPitch();
    ColumnCounts black {};
    // 255 rows at a time, so that a byte holds each count.
    constexpr int kRowsPerPass = 255;
    for (int first = area.rows.first; first < area.rows.end; first += kRowsPerPass) {
        const int rows = std::min(area.rows.end - first, kRowsPerPass);
        const uint8_t* top = image.GetPixelAddress(area.columns.first, first);
        std::array<uint8_t, kBytesPerPixel * kMaxCountedColumns> zeroStarts;
        size_t i = 0;
        for (; i + kStep + 2 <= rowBytes; i += kStep) {
            std::array<uint8_t, kStep> counts {};
            const uint8_t* bytes = top + i;
            for (int r = 0; r < rows; ++r, bytes += pitch)
                CountBlackStarts(bytes, counts);
            std::copy(counts.begin(), counts.end(), zeroStarts.begin() + static_cast<std::ptrdiff_t>(i));
        }
        for (i = (i + kBytesPerPixel - 1) / kBytesPerPixel * kBytesPerPixel; i < rowBytes;
             i += kBytesPerPixel) {
            uint8_t count = 0;
            const uint8_t* bytes = top + i;
            for (int r = 0; r < rows; ++r, bytes += pitch)
                count += IsBlack(bytes) ? 1 : 0;
            zeroStarts[i] = count;
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
