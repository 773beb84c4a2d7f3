#include "omr/examinee_id.h"

#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/pixel_rules.h"
#include "omr/score_recorder.h"
#include "omr/sheet_layout.h"
#include "omr/sheet_report.h"

#include <algorithm>
#include <array>

namespace {

// Black pixels that make a mark, and other pixels after which a count starts over.
constexpr int kMarkBlackCount = 30;
constexpr int kOtherPixelsToForget = 20;

int32_t PlaceValue(int digitIndex)
{
    int32_t value = 1;
    for (int i = digitIndex; i < kIdDigitCount; ++i)
        value *= 10;
    return value;
}

} // namespace

void StoreIdDigit(EngineState& engine, int digit, int digitIndex)
{
    if (digitIndex < 1 || digitIndex > kIdDigitCount)
        return;
    const int32_t storedDigit = digit >= 0 && digit <= 9 ? digit : 0;
    engine.g_idDigitValues[static_cast<size_t>(digitIndex)] = storedDigit * PlaceValue(digitIndex);
    if (digitIndex != kIdDigitCount)
        return;
    int32_t id = 0;
    for (int i = 1; i <= kIdDigitCount; ++i)
        id += engine.g_idDigitValues[static_cast<size_t>(i)];
    engine.g_tally.examineeId = id;
    if (engine.services.recorder)
        engine.services.recorder->RecordId(id);
}

void SheetImage::ReadExamineeId(EngineState& engine, const IdBandLayout& bands)
{
    BeginSheetReport(engine);
    for (int digitIndex = 1; digitIndex <= kIdDigitCount; ++digitIndex)
        ReadIdDigit(engine, bands.tops[static_cast<size_t>(digitIndex - 1)], bands.left, digitIndex);
}

void SheetImage::ReadIdDigit(EngineState& engine, float bandTop, float bandLeft, int digitIndex)
{
    // The sheet's counts start here.
    engine.g_tally.correctCount = 0;
    engine.g_tally.wrongCount = 0;
    engine.g_tally.errorCount = 0;

    const PixelArea band = ReadablePart(IdBandArea(bandTop, bandLeft), *this);
    // Which pixels are black, read row by row for the cache; the counts then walk
    // them column by column. A band is 198 or 199 columns by 14 or 15 rows.
    constexpr int kMaxColumns = 200;
    constexpr int kMaxRows = 16;
    const int columns = std::clamp(band.columns.end - band.columns.first, 0, kMaxColumns);
    const int rows = std::clamp(band.rows.end - band.rows.first, 0, kMaxRows);
    const int bytesPerPixel = GetBitsPerPixel() / 8;
    std::array<std::array<bool, kMaxRows>, kMaxColumns> black;
    for (int r = 0; r < rows; ++r) {
        uint8_t* pixel = GetPixelAddress(band.columns.first, band.rows.first + r);
        for (int c = 0; c < columns; ++c, pixel += bytesPerPixel) {
            const bool isBlack = IsBlack(pixel);
            black[static_cast<size_t>(c)][static_cast<size_t>(r)] = isBlack;
            if (!isBlack)
                PaintPixel(pixel, kReadGreen);
        }
    }
    int blackCount = 0;
    int other = 0;
    int foundColumn = 0;
    // Column by column, the counts carrying over: the last count of 30 black pixels
    // since the counts were last cleared decides the digit.
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            if (black[static_cast<size_t>(c)][static_cast<size_t>(r)]) {
                if (++blackCount == kMarkBlackCount)
                    foundColumn = band.columns.first + c;
            } else if (++other > kOtherPixelsToForget) {
                blackCount = 0;
                other = 0;
            }
        }
    }
    StoreIdDigit(engine, IdDigitAtOffset(foundColumn - IdDigitOrigin(engine.g_skew)), digitIndex);
}
