#include "pencil_mark.h"

#include <algorithm>

namespace {

// Keeps the darker of what is there and the new grey, like graphite on paper.
void Darken(QImage& image, int x, int y, int grey)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    uchar* pixel = image.scanLine(y) + 3 * x;
    const int tint[3] = { grey, grey, grey + 6 }; // graphite is faintly blue
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = static_cast<uchar>(std::min<int>(pixel[channel], std::clamp(tint[channel], 0, 255)));
}

// Columns left out at each end of a row: rounded corners with a little wobble.
int RowInset(int row, int height, SheetRandom& random)
{
    const int fromEdge = std::min(row, height - 1 - row);
    if (fromEdge == 0)
        return 1 + random.Below(2);
    if (fromEdge == 1)
        return random.Below(2);
    return 0;
}

} // namespace

void DrawPencilMark(
    QImage& image, const PixelRect& area, int width, int height, int baseGrey, SheetRandom& random)
{
    const int left = area.left + (area.Width() - width) / 2;
    const int top = area.top + (area.Height() - height) / 2;
    for (int row = 0; row < height; ++row) {
        const int insetLeft = RowInset(row, height, random);
        const int insetRight = RowInset(row, height, random);
        const int first = left + insetLeft;
        const int last = left + width - 1 - insetRight;
        for (int x = first; x <= last; ++x) {
            const bool rim = x == first || x == last;
            Darken(image, x, top + row, baseGrey + random.Between(-15, 15) + (rim ? 20 : 0));
        }
        // Smudge just outside the stroke; far too light to survive thresholding.
        if (random.Chance(0.5))
            Darken(image, first - 1, top + row, random.Between(185, 225));
        if (random.Chance(0.5))
            Darken(image, last + 1, top + row, random.Between(185, 225));
    }
}
