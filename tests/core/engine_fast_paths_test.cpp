// The engine's whole-run and row-by-row shortcuts give what the pixel rules give
// one pixel at a time, on content no hand-made case would think of.

#include "engine_test_support.h"

#include "omr/black_columns.h"
#include "omr/pixel_rules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <random>
#include <utility>

namespace {

using Random = std::mt19937;

uint8_t Byte(Random& random, int low, int high)
{
    return static_cast<uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
}

// Stretches of paper, ink, grey near the threshold and noise, mixed within and
// across the runs the thresholding judges together.
void FillScanLike(SheetImage& image, Random& random)
{
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    for (int y = 0; y < image.GetHeight(); ++y) {
        uint8_t* pixel = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth();) {
            const int stretch = std::uniform_int_distribution<int>(1, 40)(random);
            const auto [low, high] = std::array<std::pair<int, int>, 4> { { { 200, 255 }, { 0, 100 },
                { 125, 155 }, { 0, 255 } } }[random() % 4];
            for (int i = 0; i < stretch && x < image.GetWidth(); ++i, ++x, pixel += bytesPerPixel)
                for (int b = 0; b < bytesPerPixel; ++b)
                    pixel[b] = Byte(random, low, high);
        }
    }
}

struct ImageShape {
    int width;
    int depth;
};

class ThresholdShortcutTest : public EngineTest, public ::testing::WithParamInterface<ImageShape> { };

TEST_P(ThresholdShortcutTest, EveryPixelFollowsItsGreyLevel)
{
    Random random(GetParam().width);
    SheetImage image;
    ASSERT_TRUE(image.Create(GetParam().width, 520, GetParam().depth).ok());
    FillScanLike(image, random);
    Fill(image, 25, 400, 169, 499, kWhite); // a fresh scan's mark window
    SheetImage before;
    ASSERT_TRUE(before.Create(image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel()).ok());
    for (int y = 0; y < image.GetHeight(); ++y)
        std::memcpy(before.GetPixelAddress(0, y), image.GetPixelAddress(0, y),
            static_cast<size_t>(image.GetWidth() * image.GetBitsPerPixel() / 8));

    ASSERT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);

    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const uint8_t* was = before.GetPixelAddress(x, y);
            const uint8_t* now = image.GetPixelAddress(x, y);
            const uint8_t level = GreyLevel(was) >= 140 ? 255 : 0;
            ASSERT_TRUE(now[0] == level && now[1] == level && now[2] == level) << x << ", " << y;
            if (GetParam().depth == 32) {
                ASSERT_EQ(now[3], was[3]) << x << ", " << y;
            }
        }
}

// Widths a whole number of runs, one short of it, and one past it.
INSTANTIATE_TEST_SUITE_P(Shapes, ThresholdShortcutTest,
    ::testing::Values(
        ImageShape { 800, 24 }, ImageShape { 783, 24 }, ImageShape { 785, 24 }, ImageShape { 787, 32 }));

// The window is counted row by row; the verdict must be that of its pixels taken
// column by column. Each round ends the window in a cyan pixel followed by a random
// number of others, so that both verdicts turn up; every third round has 19
// (mod 40) cyan pixels before it, where a cyan pixel is cleared by exactly the
// fortieth other one after it.
TEST_F(EngineTest, MeasuredWindowVerdictFollowsTheColumnOrder)
{
    Random random(5);
    std::vector<std::pair<int, int>> order; // the window in visiting order
    for (int x = 25; x < 170; ++x)
        for (int y = 400; y < 500; ++y)
            order.emplace_back(x, y);
    int measuredVerdicts = 0;
    constexpr int kRounds = 90;
    for (int round = 0; round < kRounds; ++round) {
        SheetImage image = WhiteImage(800, 600);
        const auto paintCyan = [&](size_t i) {
            Fill(image, order[i].first, order[i].second, order[i].first, order[i].second,
                { Byte(random, 0, 127), Byte(random, 200, 255), Byte(random, 200, 255) });
        };
        const int earlierCyan
            = round % 3 == 0 ? 19 + 40 * static_cast<int>(random() % 3) : static_cast<int>(random() % 100);
        std::vector<size_t> early(order.size() - 200);
        std::iota(early.begin(), early.end(), size_t { 0 });
        std::shuffle(early.begin(), early.end(), random);
        for (int i = 0; i < earlierCyan; ++i)
            paintCyan(early[static_cast<size_t>(i)]);
        paintCyan(order.size() - 1 - random() % 120);
        bool cyan = false;
        int others = 0;
        for (const auto& [x, y] : order) {
            const uint8_t* pixel = image.GetPixelAddress(x, y);
            if (pixel[2] < 128 && pixel[1] >= 200 && pixel[0] >= 200) {
                cyan = true;
            } else if (++others == 40) {
                others = 0;
                cyan = false;
            }
        }
        measuredVerdicts += cyan ? 1 : 0;
        Fill(image, 400, 550, 400, 550, { 100, 100, 100 });

        image.PrepareSheet(engine);

        const Rgb untouched { 100, 100, 100 };
        ASSERT_EQ(PixelAt(image, 400, 550), cyan ? untouched : kBlack) << "round " << round;
    }
    EXPECT_GT(measuredVerdicts, 0);
    EXPECT_LT(measuredVerdicts, kRounds);
}

struct CountCase {
    int depth;
    int columns;
    int rows;
};

class ColumnCountTest : public ::testing::TestWithParam<CountCase> { };

// The area ends at the image's right edge and bottom, so a read past it would show
// under the address sanitizer.
TEST_P(ColumnCountTest, CountsWhatThePixelRuleCallsBlack)
{
    const CountCase& c = GetParam();
    Random random(c.columns * 1000 + c.rows);
    SheetImage image;
    ASSERT_TRUE(image.Create(c.columns + 7, c.rows + 3, c.depth).ok());
    const int bytesPerPixel = c.depth / 8;
    for (int y = 0; y < image.GetHeight(); ++y) {
        uint8_t* pixel = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x, pixel += bytesPerPixel) {
            // Black, white, or black but for one channel (or the alpha byte).
            const int kind = static_cast<int>(random() % 4);
            for (int b = 0; b < bytesPerPixel; ++b)
                pixel[b] = kind == 1 ? 255 : 0;
            if (kind == 2)
                pixel[random() % bytesPerPixel] = Byte(random, 1, 255);
        }
    }
    const PixelArea area { { 7, 7 + c.columns }, { 3, 3 + c.rows } };

    const ColumnCounts counts = CountBlackByColumn(image, area);

    for (int column = 0; column < kMaxCountedColumns; ++column) {
        int expected = 0;
        if (column < c.columns)
            for (int y = area.rows.first; y < area.rows.end; ++y)
                expected += IsBlack(image.GetPixelAddress(7 + column, y)) ? 1 : 0;
        ASSERT_EQ(counts[static_cast<size_t>(column)], expected) << "column " << column;
    }
}

// A strip, the five boxes of a row, one column, and more rows than a byte counts.
INSTANTIATE_TEST_SUITE_P(Areas, ColumnCountTest,
    ::testing::Values(CountCase { 24, 95, 15 }, CountCase { 24, 93, 14 }, CountCase { 32, 95, 15 },
        CountCase { 24, 1, 1 }, CountCase { 24, 96, 600 }, CountCase { 32, 40, 300 }));

class MarkWindowSearchTest : public EngineTest, public ::testing::WithParamInterface<int> { };

// Walked row by row, the search still finds the last black pixel in column order
// and paints exactly the pure white pixels cyan.
TEST_P(MarkWindowSearchTest, FindsTheLastBlackPixelInColumnOrder)
{
    Random random(static_cast<unsigned>(GetParam()));
    SheetImage image = WhiteImage(800, 600);
    for (int y = 400; y < 500; ++y)
        for (int x = 25; x < 770; ++x) {
            const auto roll = random() % 100;
            if (roll < 2)
                Fill(image, x, y, x, y, kBlack);
            else if (roll < 10)
                Fill(image, x, y, x, y, { 255, 255, Byte(random, 1, 254) });
        }
    std::vector<Rgb> before;
    for (int y = 400; y < 500; ++y)
        for (int x = 25; x < 770; ++x)
            before.push_back(PixelAt(image, x, y));
    const auto lastBlack = [&](int first, int end) {
        std::pair<int, int> point { 0, 0 };
        for (int x = first; x < end; ++x)
            for (int y = 400; y < 500; ++y)
                if (PixelAt(image, x, y) == kBlack)
                    point = { x, y };
        return point;
    };
    const auto left = lastBlack(25, 170);
    const auto right = lastBlack(675, 770);

    ASSERT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);

    EXPECT_EQ(engine.g_skew.leftMarkX, static_cast<float>(left.first));
    EXPECT_EQ(engine.g_skew.leftMarkY, static_cast<float>(left.second));
    EXPECT_EQ(engine.g_skew.rightMarkX, static_cast<float>(right.first));
    EXPECT_EQ(engine.g_skew.rightMarkY, static_cast<float>(right.second));
    size_t i = 0;
    for (int y = 400; y < 500; ++y)
        for (int x = 25; x < 770; ++x, ++i) {
            const bool inWindow = x < 170 || x >= 675;
            const Rgb expected = inWindow && before[i] == kWhite ? kCyan : before[i];
            ASSERT_EQ(PixelAt(image, x, y), expected) << x << ", " << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MarkWindowSearchTest, ::testing::Values(1, 2, 3));

} // namespace
