#include "engine_test_support.h"

#include "omr/examinee_id.h"

namespace {

// With the left point at (100, 450) and no tilt, the bands span columns 319 to 516,
// band a rows 353 + 19 (a - 1) to 13 further, and the digit ranges start at 330.
int BandTop(int band)
{
    return 353 + 19 * (band - 1);
}

// A mark three columns wide over the band's full height: its count of 30 black
// pixels is completed in its last column, at this offset from the digit origin.
void MarkCompletedAt(SheetImage& image, int band, int offset)
{
    Fill(image, 330 + offset - 2, BandTop(band), 330 + offset, BandTop(band) + 13, kBlack);
}

TEST_F(EngineTest, BandsAreReadAndPaintedGreen)
{
    SheetImage image = MeasuredSheet();
    engine.g_tally = { 5, 6, 7, 8 };
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    for (int y = 340; y <= 510; ++y) {
        const Rgb expected = y >= 353 && y <= 499 && (y - 353) % 19 <= 13 ? kGreen : kWhite;
        ASSERT_EQ(PixelAt(image, 319, y), expected) << y;
        ASSERT_EQ(PixelAt(image, 516, y), expected) << y;
        ASSERT_EQ(PixelAt(image, 318, y), kWhite) << y;
        ASSERT_EQ(PixelAt(image, 517, y), kWhite) << y;
    }
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 0 });
    // The sheet's counts start here.
    EXPECT_EQ(engine.g_tally.examineeId, 0);
    EXPECT_EQ(engine.g_tally.correctCount, 0);
    EXPECT_EQ(engine.g_tally.wrongCount, 0);
    EXPECT_EQ(engine.g_tally.errorCount, 0);
}

// A block over rows 393 to 402 of band 3, from column 368: ten black pixels and four
// others a column. Counts of 30 are completed every five columns from 372 (offset
// 42, a 2); the last one decides, 398 (offset 68, a 3) for the wider block. In the
// units band, the 336 white pixels of the 24 columns before column 343 make 16 rounds
// of 21 others exactly, so three columns of ten from there complete a count of 30 at
// column 345 (offset 15, a 1), though the twelve others among them do not clear it.
TEST_F(EngineTest, LastCountOfThirtyCompletedGivesTheDigit)
{
    for (const auto& [x0, x1, y0, y1, band, value] : { std::tuple { 368, 379, 393, 402, 3, 200000 },
             { 368, 400, 393, 402, 3, 300000 }, { 343, 345, 486, 495, 8, 1 } }) {
        recorder.ids.clear();
        SheetImage image = MeasuredSheet();
        Fill(image, x0, y0, x1, y1, kBlack);
        image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
        EXPECT_EQ(engine.g_idDigitValues[static_cast<size_t>(band)], value);
        EXPECT_EQ(recorder.ids, std::vector<int32_t> { value });
        EXPECT_EQ(PixelAt(image, x0, y1 + 1), kGreen);
        EXPECT_EQ(PixelAt(image, x0, y1), kBlack);
    }
}

class DigitOffsetTest : public EngineTest, public ::testing::WithParamInterface<std::pair<int, int>> { };

TEST_P(DigitOffsetTest, ColumnOffsetGivesTheDigit)
{
    SheetImage image = MeasuredSheet();
    MarkCompletedAt(image, 8, GetParam().first);
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_tally.examineeId, GetParam().second);
}

// Offset, digit.
INSTANTIATE_TEST_SUITE_P(Ranges, DigitOffsetTest,
    ::testing::Values(std::pair { -1, 0 }, std::pair { 0, 0 }, std::pair { 13, 0 }, std::pair { 14, 0 },
        std::pair { 15, 1 }, std::pair { 32, 1 }, std::pair { 33, 2 }, std::pair { 51, 2 },
        std::pair { 52, 3 }, std::pair { 70, 3 }, std::pair { 71, 4 }, std::pair { 165, 8 },
        std::pair { 166, 9 }, std::pair { 184, 9 }, std::pair { 185, 0 }));

// A mark five columns into each digit's range; the eighth digit hands on the whole ID.
TEST_F(EngineTest, EightBandsMakeTheId)
{
    for (const int32_t id : { 12345678, 123456, 99999999 }) {
        recorder.ids.clear();
        SheetImage image = MeasuredSheet();
        const std::string digits = std::to_string(100000000 + id).substr(1);
        for (int band = 1; band <= 8; ++band) {
            const int digit = digits[static_cast<size_t>(band - 1)] - '0';
            MarkCompletedAt(image, band, digit == 0 ? 5 : 15 + 19 * (digit - 1) + 5);
        }
        image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
        EXPECT_EQ(engine.g_tally.examineeId, id);
        EXPECT_EQ(recorder.ids, std::vector<int32_t> { id });
    }
    EXPECT_TRUE(recorder.scores.empty());
}

TEST_F(EngineTest, StoreIdDigitIgnoresWhatIsNoDigit)
{
    for (int band = 1; band <= 7; ++band)
        StoreIdDigit(engine, 1, band);
    StoreIdDigit(engine, 5, 0);
    StoreIdDigit(engine, 5, 9);
    EXPECT_TRUE(recorder.ids.empty());
    StoreIdDigit(engine, 12, 8);
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 11111110 });
}

} // namespace
