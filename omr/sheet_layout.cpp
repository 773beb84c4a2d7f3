#include "omr/sheet_layout.h"

#include <cmath>

namespace {

float Store(double value)
{
    return static_cast<float>(value);
}

// The strip's end is worked out in double: in float, 124.99999237 + 95 rounds up to 220.
PixelSpan RowStripColumns(const GridBox& row)
{
    return SpanToTruncated(row.left, static_cast<double>(row.left) + kRowStripColumns);
}

// 180 / 3.14159, the factor the angle has always been shown with.
constexpr double kDegreesPerRadian = 57.29582790879778;

} // namespace

SkewMeasurement SkewFromMarkPoints(int leftX, int leftY, int rightX, int rightY)
{
    SkewMeasurement skew;
    skew.leftMarkX = static_cast<float>(leftX);
    skew.leftMarkY = static_cast<float>(leftY);
    skew.rightMarkX = static_cast<float>(rightX);
    skew.rightMarkY = static_cast<float>(rightY);
    // Rows grow downwards: a right mark lower than the left one gives a negative angle.
    // The rise is taken upwards rather than negating the arctangent, so a level sheet
    // reads 0 and not -0.
    const long double rise = static_cast<long double>(skew.leftMarkY) - skew.rightMarkY;
    const long double run = static_cast<long double>(skew.rightMarkX) - skew.leftMarkX;
    skew.angleRadians = static_cast<double>(std::atan(rise / run));
    skew.angleDegrees = skew.angleRadians * kDegreesPerRadian;
    return skew;
}

QuestionRows LayQuestionRows(const SkewMeasurement& skew)
{
    const double x = skew.leftMarkX;
    const double y = skew.leftMarkY;
    const double t = std::tan(skew.angleRadians);
    const float lowerBandTop = Store(y + kLowerBandOffset);
    QuestionRows rows;
    for (size_t block = 0; block < kAnswerBlocks.size(); ++block) {
        const int bandOffset = kAnswerBlocks[block].bandOffset;
        const bool lower = bandOffset == kLowerBandOffset;
        const float origin = Store(x + kAnswerBlocks[block].columnOffset - kBlockLeftInset);
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
            rows[block * kRowsPerBlock + static_cast<size_t>(k - 1)] = { top, bottom, left, right };
        }
    }
    return rows;
}

GridBox LayAnswerBox(const GridBox& row, int letter)
{
    if (letter == 0)
        return row;
    const double offset = kLetterOffsets[static_cast<size_t>(letter)];
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

int IdDigitAtOffset(int offset)
{
    for (size_t digit = 0; digit < kIdDigitColumns.size(); ++digit)
        if (offset >= kIdDigitColumns[digit].first && offset <= kIdDigitColumns[digit].last)
            return static_cast<int>(digit);
    return 0;
}
