#include "printed_bubbles.h"

#include "form_layout.h"

using namespace form_layout;

namespace {

QRectF CentredBubble(double centreX, double centreY)
{
    return { centreX - kBubbleWidth / 2, centreY - kBubbleHeight / 2, kBubbleWidth, kBubbleHeight };
}

} // namespace

QRectF AnswerBubble(int question, int letter)
{
    const AnswerBlock block = kAnswerBlocks[static_cast<size_t>(question / kRowsPerBlock)];
    const int row = question % kRowsPerBlock + 1;
    const double left
        = kFormLeftMarkX + block.columnOffset - kBlockLeftInset + kLetterOffsets[static_cast<size_t>(letter)];
    const double top = kFormLeftMarkY + block.bandOffset + row * kRowStep;
    return CentredBubble(left + kBoxWidth / 2, top + kRowHeight / 2);
}

QRectF IdBubble(int band, int digit)
{
    const IdDigitColumns columns = kIdDigitColumns[static_cast<size_t>(digit)];
    const double origin = kFormLeftMarkX + kIdDigitOriginOffset;
    const double top = kFormLeftMarkY + kIdBandTopOffset + band * kIdBandStep;
    return CentredBubble(origin + (columns.first + columns.last + 1) / 2.0, top + kIdBandHeight / 2.0);
}
