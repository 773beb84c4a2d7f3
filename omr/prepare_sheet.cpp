#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"
#include "omr/sheet_check.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kWhiteFromGrey = 140;
// Other pixels that clear an earlier cyan one.
constexpr int kOtherPixelsToClear = 40;

// The search colour of a measured window, with room for a lossy save in between.
// Only cyan counts: grey or speckled paper must never stop a fresh scan from
// being thresholded, or it would be graded as blank.
bool IsSearchCyan(const uint8_t* pixel)
{
    return pixel[2] < 128 && pixel[1] >= 200 && pixel[0] >= 200;
}

// Paper that clears an earlier cyan pixel: bright, as the unpainted white of a
// fresh scan is. Dark pixels neither stop nor clear: a measured window's own mark
// may end it, and stays black.
bool IsBrightPaper(const uint8_t* pixel)
{
    return pixel[2] >= 200;
}

// Whether the left mark window, visited column by column, ends in cyan pixels not
// followed by a fortieth bright one (the bright ones are counted in forties over the
// whole window): true on a sheet measured before, whose window was painted cyan.
// Counted row by row for the cache: the last cyan pixel in visiting order stands
// when the bright pixels before it, past their last forty, and those after it add
// up to fewer than forty.
bool LooksMeasured(const SheetImage& image)
{
    constexpr int kColumns = kLeftMarkWindow.columns.end - kLeftMarkWindow.columns.first;
    const PixelArea window = ReadablePart(kLeftMarkWindow, image);
    const int columns = std::min(window.columns.end - window.columns.first, kColumns);
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    std::array<int, kColumns> others {};
    std::array<int, kColumns> othersAboveLastCyan {};
    std::array<bool, kColumns> hasCyan {};
    for (int r = window.rows.first; r < window.rows.end; ++r) {
        const uint8_t* pixel = image.GetPixelAddress(window.columns.first, r);
        for (size_t c = 0; c < static_cast<size_t>(columns); ++c, pixel += bytesPerPixel) {
            if (IsSearchCyan(pixel)) {
                hasCyan[c] = true;
                othersAboveLastCyan[c] = others[c];
            } else if (IsBrightPaper(pixel)) {
                ++others[c];
            }
        }
    }
    int lastCyanColumn = columns - 1;
    while (lastCyanColumn >= 0 && !hasCyan[static_cast<size_t>(lastCyanColumn)])
        --lastCyanColumn;
    if (lastCyanColumn < 0)
        return false;
    const auto last = static_cast<size_t>(lastCyanColumn);
    int before = othersAboveLastCyan[last];
    int after = others[last] - othersAboveLastCyan[last];
    for (size_t c = 0; c < last; ++c)
        before += others[c];
    for (size_t c = last + 1; c < static_cast<size_t>(columns); ++c)
        after += others[c];
    return before % kOtherPixelsToClear + after < kOtherPixelsToClear;
}

uint8_t Level(const uint8_t* pixel)
{
    return GreyLevel(pixel) >= kWhiteFromGrey ? 255 : 0;
}

// Pixels of a 24-bit row judged together: when all their bytes lie on one side of
// 140, so do their grey levels, and the run is set in one go. Scans are mostly
// plain paper, so most runs are.
constexpr int kRunPixels = 16;
constexpr int kRunBytes = 3 * kRunPixels;

// Settled: already pure white or pure black, so nothing to write. Clean paper is
// often exactly white, and leaving its memory unwritten halves the traffic.
enum class RunShade { Settled, White, Black, Mixed };

RunShade ShadeOfRun(const uint8_t* run)
{
#if defined(__SSE2__)
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + 16));
    const __m128i third = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + 32));
    const __m128i lowest = _mm_min_epu8(first, _mm_min_epu8(second, third));
    const __m128i highest = _mm_max_epu8(first, _mm_max_epu8(second, third));
    const auto all = [](__m128i equal) { return _mm_movemask_epi8(equal) == 0xFFFF; };
    // lowest >= 140 where max(lowest, 140) is lowest; highest < 140 where min(highest, 139) is highest.
    if (all(_mm_cmpeq_epi8(_mm_max_epu8(lowest, _mm_set1_epi8(char(kWhiteFromGrey))), lowest)))
        return all(_mm_cmpeq_epi8(lowest, _mm_set1_epi8(char(255)))) ? RunShade::Settled : RunShade::White;
    if (all(_mm_cmpeq_epi8(_mm_min_epu8(highest, _mm_set1_epi8(char(kWhiteFromGrey - 1))), highest)))
        return all(_mm_cmpeq_epi8(highest, _mm_setzero_si128())) ? RunShade::Settled : RunShade::Black;
    return RunShade::Mixed;
#else
    const auto [lowest, highest] = std::minmax_element(run, run + kRunBytes);
    if (*lowest >= kWhiteFromGrey)
        return *lowest == 255 ? RunShade::Settled : RunShade::White;
    if (*highest < kWhiteFromGrey)
        return *highest == 0 ? RunShade::Settled : RunShade::Black;
    return RunShade::Mixed;
#endif
}

void ThresholdRun(uint8_t* run)
{
    switch (ShadeOfRun(run)) {
    case RunShade::Settled:
        return;
    case RunShade::White:
        std::memset(run, 255, kRunBytes);
        return;
    case RunShade::Black:
        std::memset(run, 0, kRunBytes);
        return;
    case RunShade::Mixed:
        for (uint8_t* pixel = run; pixel < run + kRunBytes; pixel += 3)
            pixel[0] = pixel[1] = pixel[2] = Level(pixel);
        return;
    }
}

void ThresholdRow24(uint8_t* row, int width)
{
    if (width < kRunPixels) {
        for (uint8_t* pixel = row; pixel < row + 3 * width; pixel += 3)
            pixel[0] = pixel[1] = pixel[2] = Level(pixel);
        return;
    }
    for (int x = 0; x + kRunPixels <= width; x += kRunPixels)
        ThresholdRun(row + 3 * x);
    // The last run ends at the row's end, overlapping pixels already done: a black
    // or white pixel stays what it is.
    ThresholdRun(row + 3 * (width - kRunPixels));
}

void Threshold(SheetImage& image)
{
    const PixelArea whole = ReadablePart({ { 0, image.GetWidth() }, { 0, image.GetHeight() } }, image);
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    // Bottom row first: rows lie bottom-up, so this walks the memory in one
    // ascending stream, which the processor prefetches.
    for (int r = whole.rows.end - 1; r >= whole.rows.first; --r) {
        uint8_t* pixel = image.GetPixelAddress(whole.columns.first, r);
        if (bytesPerPixel == 3) {
            ThresholdRow24(pixel, whole.columns.end - whole.columns.first);
            continue;
        }
        // A fourth (alpha) byte is left alone.
        for (int column = whole.columns.first; column < whole.columns.end; ++column, pixel += bytesPerPixel)
            pixel[0] = pixel[1] = pixel[2] = Level(pixel);
    }
}

} // namespace

SheetCheck SheetImage::PrepareSheet(EngineState& engine)
{
    if (!HoldsMarkWindows(*this)) {
        engine.Show(RefusalMessage(SheetCheck::TooSmall));
        return SheetCheck::TooSmall;
    }
    const int depth = GetBitsPerPixel();
    if (depth > 8 && depth < 24)
        engine.Show("ภาพไม่เป็นindex \n  โปรแกรมจะแสดงผลผิดพลาดได้!!");
    ConvertTo24Bits();
    if (!LooksMeasured(*this))
        Threshold(*this);
    return SheetCheck::Accepted;
}
