#include "engine_test_support.h"

#include "omr/sheet_check.h"

namespace {

constexpr const char* kNotIndexedWarning = "ภาพไม่เป็นindex \n  โปรแกรมจะแสดงผลผิดพลาดได้!!";

struct ThresholdCase {
    Rgb before;
    Rgb after;
};

class ThresholdTest : public EngineTest, public ::testing::WithParamInterface<ThresholdCase> { };

TEST_P(ThresholdTest, GreyLevel140IsTheFirstWhite)
{
    SheetImage image = WhiteImage(800, 600);
    Fill(image, 300, 550, 300, 550, GetParam().before);
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
    EXPECT_EQ(PixelAt(image, 300, 550), GetParam().after);
    EXPECT_TRUE(messages.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(GreyLevels, ThresholdTest,
    ::testing::Values(ThresholdCase { { 139, 139, 139 }, kBlack },
        ThresholdCase { { 140, 140, 140 }, kWhite },
        // (141 + 140 + 139) / 3 = 140 exactly
        ThresholdCase { { 141, 140, 139 }, kWhite },
        // 418 / 3 truncates to 139
        ThresholdCase { { 140, 139, 139 }, kBlack }, ThresholdCase { { 255, 0, 0 }, kBlack },
        ThresholdCase { { 0, 255, 255 }, kWhite }));

TEST_F(EngineTest, ThirtyTwoBitSheetKeepsItsFourthByte)
{
    SheetImage image;
    ASSERT_TRUE(image.Create(800, 600, 32).ok());
    Fill(image, 0, 0, 799, 599, kWhite);
    Fill(image, 10, 10, 10, 10, { 100, 100, 100 });
    image.GetPixelAddress(10, 10)[3] = 0x7F;
    image.GetPixelAddress(11, 10)[3] = 0x80;
    image.PrepareSheet(engine);
    EXPECT_EQ(PixelAt(image, 10, 10), kBlack);
    EXPECT_EQ(image.GetPixelAddress(10, 10)[3], 0x7F);
    EXPECT_EQ(image.GetPixelAddress(11, 10)[3], 0x80);
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
}

// A cyan pixel in the left mark window (visited column by column) keeps the sheet
// from being thresholded unless a fortieth other pixel, counted over the whole
// window, follows it. Dark or grey paper never does: noisy scans must be thresholded.
struct WindowCase {
    int x;
    int y;
    Rgb colour;
    bool thresholded;
};

class AlreadyMeasuredTest : public EngineTest, public ::testing::WithParamInterface<WindowCase> { };

TEST_P(AlreadyMeasuredTest, CyanEndOfWindowLeavesTheSheet)
{
    const WindowCase& c = GetParam();
    SheetImage image = WhiteImage(800, 600);
    Fill(image, c.x, c.y, c.x, c.y, c.colour);
    Fill(image, 400, 550, 400, 550, { 100, 100, 100 });
    image.PrepareSheet(engine);
    const Rgb untouched { 100, 100, 100 };
    EXPECT_EQ(PixelAt(image, 400, 550), c.thresholded ? kBlack : untouched);
}

// The window holds 14500 pixels. A pixel after 14479 others is followed by the
// fortieth; after 14480 by only 19.
INSTANTIATE_TEST_SUITE_P(VisitingOrder, AlreadyMeasuredTest,
    ::testing::Values(WindowCase { 100, 450, kCyan, true }, WindowCase { 169, 479, kCyan, true },
        WindowCase { 169, 480, kCyan, false }, WindowCase { 169, 499, kCyan, false },
        // cyan after a JPEG round trip
        WindowCase { 169, 499, { 12, 247, 251 }, false },
        // dark, grey and reddish paper at the very end
        WindowCase { 169, 499, kBlack, true }, WindowCase { 169, 499, { 150, 150, 150 }, true },
        WindowCase { 169, 499, { 199, 255, 255 }, true }));

TEST_F(EngineTest, DimNoisyPaperIsStillThresholded)
{
    SheetImage image = WhiteImage(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const int level = 170 + (x * 7 + y * 13) % 40; // paper from 170 to 209
            Fill(image, x, y, x, y, { level, level, level });
        }
    Fill(image, 400, 550, 400, 550, { 100, 100, 100 });
    image.PrepareSheet(engine);
    EXPECT_EQ(PixelAt(image, 400, 550), kBlack);
    EXPECT_EQ(PixelAt(image, 169, 499), kWhite);
}

TEST_F(EngineTest, MeasuredSheetIsNotThresholdedAgain)
{
    SheetImage image = MeasuredSheet();
    Fill(image, 300, 700, 300, 700, kOrange);
    Fill(image, 301, 700, 301, 700, { 100, 100, 100 });
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
    EXPECT_EQ(PixelAt(image, 300, 700), kOrange);
    EXPECT_EQ(PixelAt(image, 301, 700), (Rgb { 100, 100, 100 }));
    EXPECT_EQ(PixelAt(image, 50, 420), kCyan);
}

uint16_t Pack565(int red5, int green6, int blue5)
{
    return static_cast<uint16_t>((red5 << 11) | (green6 << 5) | blue5);
}

void Put16(SheetImage& image, int x, int y, uint16_t value)
{
    uint8_t* p = image.GetPixelAddress(x, y);
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

TEST_F(EngineTest, SixteenBitSheetIsWarnedAboutThenConvertedAndThresholded)
{
    SheetImage image;
    ASSERT_TRUE(image.Create(801, 600, 16).ok());
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 801; ++x)
            Put16(image, x, y, 0xFFFF);
    Put16(image, 300, 550, Pack565(16, 33, 16)); // grey 132
    Put16(image, 301, 550, Pack565(17, 35, 17)); // grey 140
    Put16(image, 800, 599, Pack565(0, 0, 0));

    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
    EXPECT_EQ(messages.texts, std::vector<std::string> { kNotIndexedWarning });
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(PixelAt(image, 300, 550), kBlack);
    EXPECT_EQ(PixelAt(image, 301, 550), kWhite);
    EXPECT_EQ(PixelAt(image, 800, 599), kBlack);
    EXPECT_EQ(PixelAt(image, 799, 599), kWhite);
}

TEST_F(EngineTest, IndexedSheetsAreConvertedWithoutWarning)
{
    for (const int depth : { 1, 4, 8 }) {
        SCOPED_TRACE(depth);
        SheetImage image;
        ASSERT_TRUE(image.Create(800, 600, depth).ok());
        // Index 0 (every pixel so far) is white paper, index 1 a dark grey.
        const RgbQuad table[2] = { { 255, 255, 255, 0 }, { 120, 130, 139, 0 } };
        image.SetColorTable(0, 2, table);
        // Pixel (8, 5) is index 1: the leftmost pixel sits in a byte's high bits.
        const int bit = 8 * depth;
        image.GetPixelAddress(0, 5)[bit / 8] = static_cast<uint8_t>(1 << (8 - depth - bit % 8));

        EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(image.GetBitsPerPixel(), 24);
        EXPECT_EQ(PixelAt(image, 8, 5), kBlack);
        EXPECT_EQ(PixelAt(image, 7, 5), kWhite);
        EXPECT_EQ(PixelAt(image, 9, 5), kWhite);
        EXPECT_EQ(PixelAt(image, 8, 4), kWhite);
    }
}

struct SizeCase {
    int width;
    int height;
    int depth;
};

class TooSmallTest : public EngineTest, public ::testing::WithParamInterface<SizeCase> { };

TEST_P(TooSmallTest, IsRefusedBeforeAnythingElse)
{
    const SizeCase& c = GetParam();
    SheetImage image;
    ASSERT_TRUE(image.Create(c.width, c.height, c.depth).ok());
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::TooSmall);
    EXPECT_EQ(messages.texts, std::vector<std::string> { RefusalMessage(SheetCheck::TooSmall) });
    EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
    if (c.depth == 24) {
        EXPECT_EQ(PixelAt(image, 0, 0), kBlack);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TooSmallTest,
    ::testing::Values(SizeCase { 769, 500, 24 }, SizeCase { 770, 499, 24 }, SizeCase { 1, 1, 24 },
        SizeCase { 300, 300, 16 }, SizeCase { 300, 300, 8 }));

TEST_F(EngineTest, EmptyImageIsTooSmall)
{
    SheetImage image;
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::TooSmall);
    EXPECT_EQ(image.MeasureSkew(engine, 0), SheetCheck::TooSmall);
}

TEST_F(EngineTest, SmallestSheetIsAccepted)
{
    SheetImage image = WhiteImage(770, 500);
    Fill(image, 769, 499, 769, 499, { 100, 100, 100 });
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
    EXPECT_EQ(PixelAt(image, 769, 499), kBlack);
}

} // namespace
