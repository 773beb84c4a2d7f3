#include "omr/second_reading/registration_blob.h"

#include "omr/mark_shape.h"
#include "omr/second_reading/grey_page.h"
#include "omr/sheet_layout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// A blob smaller than this share of the printed mark is dust, not the mark.
constexpr double kLeastMarkShare = 0.4;
// Paper and ink closer than this leave nothing to find.
constexpr int kLeastContrast = 60;

struct MarkShape {
    double centreX = 0;
    double centreY = 0;
    int pixels = 0;
};

MarkShape PrintedMark()
{
    MarkShape shape;
    double sumX = 0;
    double sumY = 0;
    for (int v = -kMarkHeight; v <= 0; ++v)
        for (int u = -kMarkWidth; u <= 0; ++u)
            if (InsideRegistrationMark(u, v)) {
                sumX += u;
                sumY += v;
                ++shape.pixels;
            }
    shape.centreX = sumX / shape.pixels;
    shape.centreY = sumY / shape.pixels;
    return shape;
}

const MarkShape& Printed()
{
    static const MarkShape shape = PrintedMark();
    return shape;
}

} // namespace

double MarkCentreOffsetX()
{
    return Printed().centreX;
}

double MarkCentreOffsetY()
{
    return Printed().centreY;
}

std::optional<RegistrationBlob> FindRegistrationBlob(const GreyPage& page, const PixelArea& window)
{
    const int left = std::max(window.columns.first, 0);
    const int top = std::max(window.rows.first, page.Rows().first);
    const int width = std::min(window.columns.end, page.Width()) - left;
    const int height = std::min(window.rows.end, page.Rows().end) - top;
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const BrightnessCounts counts
        = page.CountBrightness({ { left, left + width }, { top, top + height } }, 1, 1);
    const int paper = BrightnessAtShare(counts, 0.9);
    const int ink = BrightnessAtShare(counts, 0.005);
    if (paper - ink < kLeastContrast)
        return std::nullopt;
    const int split = (paper + ink) / 2;

    // Four-connected blobs, flooded one at a time; the largest wins.
    std::vector<uint8_t> flooded(static_cast<size_t>(width * height), 0);
    std::vector<int> stack;
    RegistrationBlob best;
    for (int startY = 0; startY < height; ++startY)
        for (int startX = 0; startX < width; ++startX) {
            const int start = startY * width + startX;
            if (flooded[static_cast<size_t>(start)] != 0 || page.At(left + startX, top + startY) > split)
                continue;
            flooded[static_cast<size_t>(start)] = 1;
            stack.assign(1, start);
            RegistrationBlob blob;
            while (!stack.empty()) {
                const int at = stack.back();
                stack.pop_back();
                const int x = at % width;
                const int y = at / width;
                blob.centreX += left + x;
                blob.centreY += top + y;
                ++blob.pixels;
                const std::array<std::array<int, 2>, 4> steps { { { -1, 0 }, { 1, 0 }, { 0, -1 },
                    { 0, 1 } } };
                for (const auto& [dx, dy] : steps) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                        continue;
                    const int neighbour = ny * width + nx;
                    if (flooded[static_cast<size_t>(neighbour)] == 0
                        && page.At(left + nx, top + ny) <= split) {
                        flooded[static_cast<size_t>(neighbour)] = 1;
                        stack.push_back(neighbour);
                    }
                }
            }
            if (blob.pixels > best.pixels)
                best = blob;
        }
    if (best.pixels < kLeastMarkShare * Printed().pixels)
        return std::nullopt;
    best.centreX /= best.pixels;
    best.centreY /= best.pixels;
    best.ink = paper - ink;
    return best;
}
