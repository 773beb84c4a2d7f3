#include "omr/sheet_layout.h"

#include <cmath>

namespace {

constexpr int kBlocksPerBand = 5;
constexpr int kRowsPerBlock = 10;
constexpr int kBlockColumnOffsets[kBlocksPerBand] = { 12, 146, 277, 407, 539 };
constexpr int kUpperBandOffset = 132;
constexpr int kLowerBandOffset = 349;
constexpr double kRowStep = 19.3;
constexpr double kRowHeight = 13.5;
constexpr double kBoxWidth = 14;
constexpr double kLetterOffsets[kLettersPerRow] = { 0, 19.5, 39, 58.5, 78 };

constexpr double kIdBandLeftOffset = 223 - 4;
constexpr double kIdBandTopOffset = -193 + 96;
constexpr double kIdBandStep = 19;
constexpr double kIdBandWidth = 198;
constexpr double kIdBandHeight = 14;
constexpr double kIdDigitOriginOffset = 230;

float Store(double value)
{
    return static_cast<float>(value);
}

// The strip's end is worked out in double: in float, 124.99999237 + 95 rounds up to 220.
PixelSpan RowStripColumns(const GridBox& row)
{
    return SpanToTruncated(row.left, static_cast<double>(row.left) + kRowStripColumns);
}

} // namespace

QuestionRows LayQuestionRows(const SkewMeasurement& skew)
{
    const double x = skew.leftMarkX;
    const double y = skew.leftMarkY;
    const double t = std::tan(skew.angleRadians);
    const float lowerBandTop = Store(y + kLowerBandOffset);
    QuestionRows rows;
    for (int block = 0; block < 2 * kBlocksPerBand; ++block) {
        const bool lower = block >= kBlocksPerBand;
        const int bandOffset = lower ? kLowerBandOffset : kUpperBandOffset;
        const float origin = Store(x + kBlockColumnOffsets[block % kBlocksPerBand] - 5);
        float top = Store(bandOffset - (origin - x) * t + y);
        float left = lower ? Store(origin + (lowerBandTop - y) * t) : Store(origin + bandOffset * t);
        float right = Store(left + kBoxWidth);
        for (int k = 1; k <= kRowsPerBlock; ++k) {
            // Accumulated from the stored top, so rounding carries from row to row.
            const double stepped = top + kRowStep;
            top = Store(stepped);
            const float bottom = Store(stepped + kRowHeight);
            if (k == 6) {
                // Questions 6 to 10 sit lower in the block: set their columns right
                // once more for the tilt (by 344 rows' worth in the lower band).
                const double shift = lower ? t * (lowerBandTop - 5.0 - y) : t * (top - y);
                left = Store(left + shift);
                right = Store(left + kBoxWidth);
            }
            rows[static_cast<size_t>(block * kRowsPerBlock + k - 1)] = { top, bottom, left, right };
        }
    }
    return rows;
}

GridBox LayAnswerBox(const GridBox& row, int letter)
{
    if (letter == 0)
        return row;
    const double offset = kLetterOffsets[letter];
    return { row.top, row.bottom, Store(row.left + offset), Store(row.left + offset + kBoxWidth) };
}

PixelArea RowScanArea(const GridBox& row)
{
    return { RowStripColumns(row), SpanThrough(row.top, row.bottom) };
}

PixelArea RowPaintArea(const GridBox& row)
{
    return { RowStripColumns(row), SpanBefore(row.top, row.bottom) };
}

PixelArea AnswerBoxArea(const GridBox& box)
{
    return { SpanBefore(box.left, box.right), SpanBefore(box.top, box.bottom) };
}

IdBandLayout LayIdBands(const SkewMeasurement& skew)
{
    const double x = skew.leftMarkX;
    const double y = skew.leftMarkY;
    const double t = std::tan(skew.angleRadians);
    IdBandLayout layout;
    layout.left = Store(x + kIdBandLeftOffset);
    float top = Store((y + kIdBandTopOffset) - t * (layout.left - x));
    for (float& bandTop : layout.tops) {
        bandTop = top;
        top = Store(top + kIdBandStep);
    }
    return layout;
}

PixelArea IdBandArea(float bandTop, float bandLeft)
{
    return { SpanBefore(bandLeft, bandLeft + kIdBandWidth), SpanBefore(bandTop, bandTop + kIdBandHeight) };
}

int IdDigitOrigin(const SkewMeasurement& skew)
{
    return TruncateToIndex(skew.leftMarkX + kIdDigitOriginOffset);
}
