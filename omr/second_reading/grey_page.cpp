#include "omr/second_reading/grey_page.h"

#include "image/pixel_access.h"
#include "image/sheet_image.h"

#include <algorithm>

GreyPage::GreyPage(const SheetImage& image, PixelSpan rows)
    : m_width(image.GetWidth())
    , m_rows { std::clamp(rows.first, 0, image.GetHeight()), std::clamp(rows.end, 0, image.GetHeight()) }
{
    if (image.IsEmpty())
        return;
    const int depth = image.GetBitsPerPixel();
    if (depth == 24 || depth == 32) {
        m_red = image.GetPixelAddress(0, 0) + 2;
        m_rowStep = image.GetPitch();
        m_pixelStep = depth / 8;
        return;
    }
    std::vector<RgbQuad> table(static_cast<size_t>(image.GetColorTableSize()));
    image.GetColorTable(0, image.GetColorTableSize(), table.data());
    m_copy.resize(static_cast<size_t>(m_width) * static_cast<size_t>(image.GetHeight()), 255);
    for (int y = m_rows.first; y < m_rows.end; ++y) {
        uint8_t* out = &m_copy[static_cast<size_t>(y) * static_cast<size_t>(m_width)];
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < m_width; ++x) {
            if (depth == 16)
                out[x] = ExpandRgb565(row + 2 * x).red;
            else if (const size_t index = PackedIndex(row, x, depth); index < table.size())
                out[x] = table[index].rgbRed;
        }
    }
    m_red = m_copy.data();
    m_rowStep = m_width;
    m_pixelStep = 1;
}

BrightnessCounts GreyPage::CountBrightness(const PixelArea& area, int rowStep, int columnStep) const
{
    // Four tallies taken in turn: paper pixels all fall in a few bins, and one tally
    // would wait on its own last increment.
    std::array<BrightnessCounts, 4> tallies {};
    const int top = std::max(area.rows.first, m_rows.first);
    const int bottom = std::min(area.rows.end, m_rows.end);
    const int left = std::max(area.columns.first, 0);
    const int right = std::min(area.columns.end, m_width);
    for (int y = top; y < bottom; y += rowStep) {
        size_t turn = 0;
        for (int x = left; x < right; x += columnStep)
            ++tallies[turn++ % tallies.size()][At(x, y)];
    }
    BrightnessCounts counts {};
    for (const BrightnessCounts& tally : tallies)
        for (size_t level = 0; level < counts.size(); ++level)
            counts[level] += tally[level];
    return counts;
}

int BrightnessAtShare(const BrightnessCounts& counts, double share)
{
    int total = 0;
    for (const int count : counts)
        total += count;
    const int wanted = static_cast<int>(total * share);
    int seen = 0;
    for (size_t level = 0; level < counts.size(); ++level)
        if ((seen += counts[level]) > wanted)
            return static_cast<int>(level);
    return 255;
}
