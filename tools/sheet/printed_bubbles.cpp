#include "printed_bubbles.h"

#include "form_layout.h"

using namespace form_layout;

namespace
{

QRectF CentredBubble(double centreX, double centreY)
{
    return { centreX - kBubbleWidth / 2, centreY - kBubbleHeight / 2, kBubbleWidth, kBubbleHeight };
}

} // namespace

QRectF AnswerBubble(int question, int letter)
{
    const Block block = kBlocks[static_cast<size_t>(question / kQuestionsPerBlock)];
    const int row = question % kQuestionsPerBlock + 1;
    const double left
        = kLeftMarkX + block.columnOffset - kBlockLeftInset + kLetterOffsets[static_cast<size_t>(letter)];
    const double top = kLeftMarkY + block.bandOffset + row * kRowStep;
    return CentredBubble(left + kBoxWidth / 2, top + kRowHeight / 2);
}

QRectF IdBubble(int band, int digit)
{
    const DigitColumns columns = kDigitColumns[static_cast<size_t>(digit)];
    const double origin = kLeftMarkX + kIdDigitOrigin;
    const double top = kLeftMarkY + kIdBandTopOffset + band * kIdBandStep;
    return CentredBubble(origin + (columns.first + columns.last + 1) / 2.0, top + kIdBandHeight / 2.0);
}
