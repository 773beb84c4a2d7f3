// Thresholding, and the test of a measured sheet that keeps it from being thresholded again.

#include "engine_test_support.h"

#include "omr/pixel_rules.h"

#include <random>

namespace {

struct ImageShape {
    int width;
    int depth;
};

class ThresholdTest : public EngineTest, public ::testing::WithParamInterface<ImageShape> { };

// Stretches of paper, ink, grey near 140 and noise, mixed within and across the runs
// the thresholding judges together, and hand-worked pixels: every pixel follows its
// grey level, and a fourth (alpha) byte is left alone.
TEST_P(ThresholdTest, EveryPixelFollowsItsGreyLevel)
{
    const int bytesPerPixel = GetParam().depth / 8;
    const int rowBytes = GetParam().width * bytesPerPixel;
    std::mt19937 random(GetParam().width);
    SheetImage image;
    ASSERT_TRUE(image.Create(GetParam().width, 520, GetParam().depth).ok());
    constexpr std::pair<int, int> kStretches[] = { { 200, 255 }, { 0, 100 }, { 125, 155 }, { 0, 255 } };
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int i = 0; i < rowBytes;) {
            const auto [low, high] = kStretches[random() % 4];
            std::uniform_int_distribution<int> byte(low, high);
            for (const int end = std::min(rowBytes, i + bytesPerPixel * static_cast<int>(1 + random() % 40));
                 i < end;)
                image.GetPixelAddress(0, y)[i++] = static_cast<uint8_t>(byte(random));
        }
    Fill(image, 25, 400, 169, 499, kWhite); // a fresh scan's mark window
    // (141 + 140 + 139) / 3 is 140, the first white; 418 / 3 truncates to 139.
    const std::pair<Rgb, Rgb> worked[]
        = { { { 139, 139, 139 }, kBlack }, { { 140, 140, 140 }, kWhite }, { { 141, 140, 139 }, kWhite },
              { { 140, 139, 139 }, kBlack }, { { 255, 0, 0 }, kBlack }, { { 0, 255, 255 }, kWhite } };
    for (int i = 0; i < 6; ++i)
        Dot(image, 300 + i, 510, worked[i].first);
    std::vector<std::vector<uint8_t>> before;
    for (int y = 0; y < image.GetHeight(); ++y)
        before.emplace_back(image.GetPixelAddress(0, y), image.GetPixelAddress(0, y) + rowBytes);

    ASSERT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);

    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(image.GetBitsPerPixel(), GetParam().depth);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(PixelAt(image, 300 + i, 510), worked[i].second) << worked[i].first;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const uint8_t* was = &before[static_cast<size_t>(y)][static_cast<size_t>(x * bytesPerPixel)];
            const uint8_t* now = image.GetPixelAddress(x, y);
            const uint8_t level = GreyLevel(was) >= 140 ? 255 : 0;
            ASSERT_TRUE(now[0] == level && now[1] == level && now[2] == level) << x << ", " << y;
            ASSERT_EQ(now[bytesPerPixel - 1], bytesPerPixel == 4 ? was[3] : level) << x << ", " << y;
        }
}

// Widths a whole number of runs, one short of it, and one past it.
INSTANTIATE_TEST_SUITE_P(Shapes, ThresholdTest,
    ::testing::Values(
        ImageShape { 800, 24 }, ImageShape { 783, 24 }, ImageShape { 785, 24 }, ImageShape { 787, 32 }));

// A cyan pixel in the left mark window (visited column by column) keeps the sheet
// from being thresholded unless a fortieth other pixel follows it, the others being
// counted in forties over the whole window, cyan or not before them. Dark or grey
// paper never stops it: noisy scans must be thresholded.
struct WindowCase {
    std::vector<std::pair<int, int>> cyan;
    Rgb last;
    bool thresholded;
};

class AlreadyMeasuredTest : public EngineTest, public ::testing::WithParamInterface<WindowCase> { };

TEST_P(AlreadyMeasuredTest, CyanEndOfWindowLeavesTheSheet)
{
    SheetImage image = WhiteImage(800, 600);
    for (const auto& [x, y] : GetParam().cyan)
        Dot(image, x, y, kCyan);
    Dot(image, 169, 499, GetParam().last);
    Dot(image, 400, 550, kDarkGrey);
    image.PrepareSheet(engine);
    EXPECT_EQ(PixelAt(image, 400, 550), GetParam().thresholded ? kBlack : kDarkGrey);
}

// The window holds 14500 pixels. The pixel after 14479 others is followed by the
// fortieth; after 14480 by only 19, unless a cyan pixel first in the window leaves
// 14479 others before it (39 past the last forty).
INSTANTIATE_TEST_SUITE_P(VisitingOrder, AlreadyMeasuredTest,
    ::testing::Values(WindowCase { { { 100, 450 } }, kWhite, true },
        WindowCase { { { 169, 479 } }, kWhite, true }, WindowCase { { { 169, 480 } }, kWhite, false },
        WindowCase { { { 25, 400 }, { 169, 480 } }, kWhite, true }, WindowCase { {}, kCyan, false },
        // cyan after a JPEG round trip
        WindowCase { {}, { 12, 247, 251 }, false },
        // dark, grey and reddish paper at the very end
        WindowCase { {}, kBlack, true }, WindowCase { {}, { 150, 150, 150 }, true },
        WindowCase { {}, { 199, 255, 255 }, true }));

// Whatever its depth, a sheet is thresholded as 24-bit colour; only a 16-bit one,
// which has no palette, is warned about.
TEST_F(EngineTest, LowDepthSheetIsConvertedThenThresholded)
{
    for (const int depth : { 1, 4, 8, 16 }) {
        SCOPED_TRACE(depth);
        messages.texts.clear();
        SheetImage image;
        ASSERT_TRUE(image.Create(800, 600, depth).ok());
        // Index 0 (every pixel so far) is white paper, index 1 a dark grey.
        const RgbQuad table[2] = { { 255, 255, 255, 0 }, { 120, 130, 139, 0 } };
        if (depth < 16)
            image.SetColorTable(0, 2, table);
        for (int y = 0; depth == 16 && y < 600; ++y)
            std::fill_n(image.GetPixelAddress(0, y), 1600, 0xFF);
        // Pixel (8, 5): in a byte's high bits, or the 565 pixel 0x8430 (grey 132).
        uint8_t* dark = image.GetPixelAddress(0, 5) + depth;
        dark[0] = depth == 16 ? 0x30 : static_cast<uint8_t>(1 << (8 - depth));
        dark[1] = depth == 16 ? 0x84 : dark[1];

        EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
        EXPECT_EQ(messages.texts.size(), depth == 16 ? 1u : 0u);
        EXPECT_EQ(image.GetBitsPerPixel(), 24);
        for (const auto& [x, y] : { std::pair { 7, 5 }, { 8, 5 }, { 9, 5 }, { 8, 4 } })
            EXPECT_EQ(PixelAt(image, x, y), x == 8 && y == 5 ? kBlack : kWhite) << x << ", " << y;
    }
    EXPECT_EQ(messages.texts, std::vector<std::string> { "ภาพไม่เป็นindex \n  โปรแกรมจะแสดงผลผิดพลาดได้!!" });
}

struct SizeCase {
    int width;
    int height;
    int depth;
    SheetCheck expected;
};

class SheetSizeTest : public EngineTest, public ::testing::WithParamInterface<SizeCase> { };

// Refused before anything else: not converted, not warned about, not thresholded.
TEST_P(SheetSizeTest, TooSmallIsRefusedFirst)
{
    const SizeCase& c = GetParam();
    SheetImage image;
    ASSERT_TRUE(image.Create(c.width, c.height, c.depth).ok());
    if (c.depth == 24)
        Fill(image, 0, 0, c.width - 1, c.height - 1, kDarkGrey);
    const bool accepted = c.expected == SheetCheck::Accepted;
    EXPECT_EQ(image.PrepareSheet(engine), c.expected);
    const std::vector<std::string> refusal { RefusalMessage(SheetCheck::TooSmall) };
    EXPECT_EQ(messages.texts, accepted ? std::vector<std::string> {} : refusal);
    EXPECT_EQ(image.GetBitsPerPixel(), accepted ? 24 : c.depth);
    if (c.depth == 24) {
        EXPECT_EQ(PixelAt(image, c.width - 1, c.height - 1), accepted ? kBlack : kDarkGrey);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SheetSizeTest,
    ::testing::Values(SizeCase { 770, 500, 24, SheetCheck::Accepted },
        SizeCase { 769, 500, 24, SheetCheck::TooSmall }, SizeCase { 770, 499, 24, SheetCheck::TooSmall },
        SizeCase { 1, 1, 24, SheetCheck::TooSmall }, SizeCase { 300, 300, 16, SheetCheck::TooSmall },
        SizeCase { 300, 300, 8, SheetCheck::TooSmall }));

} // namespace
