#include "scan_noise.h"

#include <algorithm>
#include <cmath>

namespace {

// A table of normal samples, indexed at random: far cheaper per pixel than fresh
// samples and just as shapeless to the eye.
class NormalTable {
public:
    explicit NormalTable(SheetRandom& random)
        : m_values(1 << 16)
    {
        for (float& value : m_values)
            value = static_cast<float>(random.Gaussian());
    }
    float Pick(uint64_t bits) const { return m_values[bits & (m_values.size() - 1)]; }

private:
    std::vector<float> m_values;
};

void AddGrain(QImage& image, double level, SheetRandom& random)
{
    const NormalTable normal(random);
    const float common = static_cast<float>(level);
    const float perChannel = common / 3;
    for (int y = 0; y < image.height(); ++y) {
        uchar* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += 3) {
            const uint64_t bits = random.Next();
            const float shift = common * normal.Pick(bits);
            for (int channel = 0; channel < 3; ++channel) {
                const float value
                    = pixel[channel] + shift + perChannel * normal.Pick(bits >> (16 * (channel + 1)));
                pixel[channel] = static_cast<uchar>(std::clamp(std::lround(value), 0l, 255l));
            }
        }
    }
}

void DrawSpeck(QImage& image, double cx, double cy, double radius, int grey)
{
    const int reach = static_cast<int>(std::ceil(radius));
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
                continue;
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > radius)
                continue;
            uchar* pixel = image.scanLine(y) + 3 * x;
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<uchar>(std::min<int>(pixel[channel], grey));
        }
}

bool NearKeepClear(const std::vector<PixelRect>& keepClear, int x, int y)
{
    return std::any_of(keepClear.begin(), keepClear.end(),
        [&](const PixelRect& area) { return area.Grown(4).Contains(x, y); });
}

void AddSpecks(QImage& image, int count, int minGrey, int maxGrey, const std::vector<PixelRect>& keepClear,
    SheetRandom& random)
{
    for (int i = 0; i < count; ++i) {
        const double x = random.Uniform(0, image.width());
        const double y = random.Uniform(0, image.height());
        const double radius = random.Uniform(0.5, 1.6);
        const int grey = random.Between(minGrey, maxGrey);
        if (NearKeepClear(keepClear, static_cast<int>(x), static_cast<int>(y)))
            continue;
        DrawSpeck(image, x, y, radius, grey);
    }
}

} // namespace

void AddScanNoise(QImage& image, double level, const std::vector<PixelRect>& markWindows,
    const std::vector<PixelRect>& readAreas, SheetRandom& random)
{
    if (level <= 0)
        return;
    AddSpecks(image, static_cast<int>(20 * level), 170, 225, markWindows, random);
    AddSpecks(image, static_cast<int>(4 * level), 20, 110, readAreas, random);
    AddGrain(image, level, random);
}
