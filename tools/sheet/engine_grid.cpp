#include "engine_grid.h"

#include "form_layout.h"

#include <cmath>

using namespace form_layout;

namespace {

// Last pixel index strictly below a float bound.
int LastBelow(double bound)
{
    return static_cast<int>(std::ceil(bound)) - 1;
}

int Trunc(double value)
{
    return static_cast<int>(value);
}

float IdBandTop(const EngineFrame& frame, int band)
{
    const float left = static_cast<float>(static_cast<double>(frame.x) + kIdBandLeftOffset);
    float top = static_cast<float>((static_cast<double>(frame.y) + kIdBandTopOffset)
                                   - frame.tangent * (static_cast<double>(left) - frame.x));
    for (int a = 0; a < band; ++a)
        top = static_cast<float>(static_cast<double>(top) + kIdBandStep);
    return top;
}

} // namespace

EngineFrame FrameFromReferencePoints(const ReferencePoints& points)
{
    const long double slope = static_cast<long double>(points.rightY - points.leftY)
        / static_cast<long double>(points.rightX - points.leftX);
    const double angle = static_cast<double>(-std::atan(slope));
    return {static_cast<float>(points.leftX), static_cast<float>(points.leftY), std::tan(angle)};
}

PixelRect AnswerRow::Box(int letter) const
{
    const double offset = kLetterOffsets[static_cast<size_t>(letter)];
    const float boxLeft = letter == 0 ? left : static_cast<float>(static_cast<double>(left) + offset);
    const float boxRight = static_cast<float>(static_cast<double>(left) + offset + kBoxWidth);
    return {Trunc(boxLeft), Trunc(top), LastBelow(boxRight), LastBelow(bottom)};
}

PixelRect AnswerRow::Strip() const
{
    return {Trunc(left), Trunc(top), Trunc(static_cast<double>(left) + kStripWidth) - 1,
            static_cast<int>(std::floor(bottom))};
}

std::array<AnswerRow, 100> AnswerRows(const EngineFrame& frame)
{
    const double x = frame.x;
    const double y = frame.y;
    const double t = frame.tangent;
    std::array<AnswerRow, 100> rows;
    for (size_t b = 0; b < kBlocks.size(); ++b) {
        const Block block = kBlocks[b];
        const bool lower = block.bandOffset == kLowerBandOffset;
        const float origin = static_cast<float>(x + block.columnOffset - kBlockLeftInset);
        const float lowerBand = static_cast<float>(y + kLowerBandOffset);
        float rowTop = static_cast<float>(block.bandOffset - (static_cast<double>(origin) - x) * t + y);
        float rowLeft = lower ? static_cast<float>(origin + (static_cast<double>(lowerBand) - y) * t)
                              : static_cast<float>(origin + block.bandOffset * t);
        for (int k = 1; k <= kQuestionsPerBlock; ++k) {
            const double sum = static_cast<double>(rowTop) + kRowStep;
            rowTop = static_cast<float>(sum);
            const float rowBottom = static_cast<float>(sum + kRowHeight);
            if (k == 6) {
                // The grader corrects the columns once more half way down a block.
                rowLeft = lower ? static_cast<float>(rowLeft + t * (static_cast<double>(lowerBand) - 5 - y))
                                : static_cast<float>(rowLeft + t * (static_cast<double>(rowTop) - y));
            }
            rows[b * kQuestionsPerBlock + static_cast<size_t>(k - 1)] = {rowTop, rowBottom, rowLeft};
        }
    }
    return rows;
}

PixelRect IdDigitBox(const EngineFrame& frame, int band, int digit)
{
    const float top = IdBandTop(frame, band);
    const int origin = Trunc(static_cast<double>(frame.x) + kIdDigitOrigin);
    const DigitColumns columns = kDigitColumns[static_cast<size_t>(digit)];
    return {origin + columns.first, Trunc(top), origin + columns.last,
            LastBelow(static_cast<double>(top) + kIdBandHeight)};
}

PixelRect IdBandsArea(const EngineFrame& frame)
{
    const float left = static_cast<float>(static_cast<double>(frame.x) + kIdBandLeftOffset);
    const float firstTop = IdBandTop(frame, 0);
    const float lastTop = IdBandTop(frame, kIdDigits - 1);
    return {Trunc(left), Trunc(firstTop), LastBelow(static_cast<double>(left) + kIdBandWidth),
            LastBelow(static_cast<double>(lastTop) + kIdBandHeight)};
}
