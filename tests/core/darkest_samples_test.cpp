#include "image/sheet_image.h"
#include "omr/second_reading/darkest_samples.h"
#include "omr/second_reading/grey_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace {

// A box's 25 samples as scans give them: blank, one dark pixel, an even grey, a line
// through noise with ties at every rank that counts.
const std::vector<std::vector<uint8_t>> kBoxes = { {}, { 200 }, std::vector<uint8_t>(25, 9),
    { 1, 250, 3, 250, 7, 7, 7, 90, 90, 0, 12, 12, 12, 12, 255, 40, 41, 40, 39, 7, 7, 6, 5, 250, 12 } };

class DarkestSamplesTest : public testing::TestWithParam<std::vector<uint8_t>> { };

TEST_P(DarkestSamplesTest, AgreeWithASort)
{
    BoxSamples samples {};
    std::copy(GetParam().begin(), GetParam().end(), samples.begin());
    std::vector<int> sorted(samples.begin(), samples.begin() + 25);
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    const BoxSamples darker = CountDarker(samples);
    for (const size_t k : { 0, 2, 11, 24 }) {
        EXPECT_EQ(DarkestAt(samples, darker, k), sorted[k]) << k;
        EXPECT_EQ(
            SumOfDarkest(samples, darker, k + 1), std::accumulate(sorted.begin(), sorted.begin() + k + 1, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, DarkestSamplesTest, testing::ValuesIn(kBoxes));

// Read well inside the page, a point falls on the pixel Near rounds it to, halves included.
TEST(GreyPageTest, ReadsInsideAsNear)
{
    SheetImage image;
    ASSERT_TRUE(image.Create(8, 8, 24).ok());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.SetPixel(x, y, static_cast<ColorRef>(x + 8 * y)); // the red byte
    const GreyPage page(image, { 0, 8 });
    for (const auto& [x, y] : { std::pair { 2.5, 3.4999999 }, { 1.0, 1.5 }, { 3.49999999999, 2.5000001 },
             { 5.5, 6.5 }, { 1.2, 6.9 } }) {
        ASSERT_TRUE(page.Inside(x, y, x, y));
        EXPECT_EQ(page.NearInside(x, y), page.Near(x, y)) << x << "," << y;
    }
}

} // namespace
