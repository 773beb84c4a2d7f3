#include "engine_test_support.h"

#include "omr/examinee_id.h"

namespace {

// With the left point at (100, 450) and no tilt, the bands span columns 319 to 516,
// band a rows 353 + 19 (a - 1) to 13 further, and the digit ranges start at 330.
constexpr int kBandLeft = 319;
constexpr int kBandRight = 516;
constexpr int kDigitOrigin = 330;

int BandTop(int band)
{
    return 353 + 19 * (band - 1);
}

// A mark three columns wide over the band's full height: its count of 30 black
// pixels is completed in its last column.
void MarkCompletedAt(SheetImage& image, int band, int column)
{
    Fill(image, column - 2, BandTop(band), column, BandTop(band) + 13, kBlack);
}

void MarkDigit(SheetImage& image, int band, int digit)
{
    const int offset = digit == 0 ? 5 : 15 + 19 * (digit - 1) + 5;
    MarkCompletedAt(image, band, kDigitOrigin + offset);
}

TEST_F(EngineTest, BandsAreReadAndPaintedGreen)
{
    SheetImage image = MeasuredSheet();
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    for (int y = 340; y <= 510; ++y) {
        const bool inBand = y >= 353 && y <= 499 && (y - 353) % 19 <= 13;
        const Rgb expected = inBand ? kGreen : kWhite;
        ASSERT_EQ(PixelAt(image, kBandLeft, y), expected) << y;
        ASSERT_EQ(PixelAt(image, kBandRight, y), expected) << y;
        ASSERT_EQ(PixelAt(image, kBandLeft - 1, y), kWhite) << y;
        ASSERT_EQ(PixelAt(image, kBandRight + 1, y), kWhite) << y;
    }
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 0 });
    EXPECT_EQ(engine.g_tally.examineeId, 0);
}

TEST_F(EngineTest, MarkInBandThreeReadsAsTwo)
{
    SheetImage image = MeasuredSheet();
    // Counts of 30 are completed at columns 372 and 377; the last one, offset 47, decides.
    Fill(image, 368, 393, 379, 402, kBlack);
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_idDigitValues[3], 200000);
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 200000 });
    EXPECT_EQ(PixelAt(image, 368, 392), kGreen);
    EXPECT_EQ(PixelAt(image, 368, 393), kBlack);
}

TEST_F(EngineTest, WideMarkReadsWhereItsLastCountOfThirtyEnds)
{
    SheetImage image = MeasuredSheet();
    // Counts are completed every five columns from 372 (offset 42, a 2) to 398
    // (offset 68, a 3).
    Fill(image, 368, 393, 400, 402, kBlack);
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_idDigitValues[3], 300000);
}

struct OffsetCase {
    int offset;
    int digit;
};

class DigitOffsetTest : public EngineTest, public ::testing::WithParamInterface<OffsetCase> { };

TEST_P(DigitOffsetTest, ColumnOffsetGivesTheDigit)
{
    SheetImage image = MeasuredSheet();
    MarkCompletedAt(image, 8, kDigitOrigin + GetParam().offset);
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_tally.examineeId, GetParam().digit);
}

INSTANTIATE_TEST_SUITE_P(Ranges, DigitOffsetTest,
    ::testing::Values(OffsetCase { -1, 0 }, OffsetCase { 0, 0 }, OffsetCase { 13, 0 }, OffsetCase { 14, 0 },
        OffsetCase { 15, 1 }, OffsetCase { 32, 1 }, OffsetCase { 33, 2 }, OffsetCase { 51, 2 },
        OffsetCase { 52, 3 }, OffsetCase { 70, 3 }, OffsetCase { 71, 4 }, OffsetCase { 165, 8 },
        OffsetCase { 166, 9 }, OffsetCase { 184, 9 }, OffsetCase { 185, 0 }));

struct IdCase {
    std::array<int, 8> digits;
    int32_t id;
};

class ExamineeIdTest : public EngineTest, public ::testing::WithParamInterface<IdCase> { };

TEST_P(ExamineeIdTest, EighthDigitHandsOnTheWholeId)
{
    SheetImage image = MeasuredSheet();
    for (int band = 1; band <= 8; ++band)
        MarkDigit(image, band, GetParam().digits[static_cast<size_t>(band - 1)]);
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_tally.examineeId, GetParam().id);
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { GetParam().id });
    EXPECT_TRUE(recorder.scores.empty());
}

INSTANTIATE_TEST_SUITE_P(Ids, ExamineeIdTest,
    ::testing::Values(IdCase { { 1, 2, 3, 4, 5, 6, 7, 8 }, 12345678 },
        IdCase { { 0, 0, 1, 2, 3, 4, 5, 6 }, 123456 }, IdCase { { 9, 9, 9, 9, 9, 9, 9, 9 }, 99999999 }));

TEST_F(EngineTest, ReadingTheIdStartsTheSheetsCounts)
{
    SheetImage image = MeasuredSheet();
    engine.g_tally = { 5, 6, 7, 8 };
    image.ReadExamineeId(engine, LayIdBands(engine.g_skew));
    EXPECT_EQ(engine.g_tally.correctCount, 0);
    EXPECT_EQ(engine.g_tally.wrongCount, 0);
    EXPECT_EQ(engine.g_tally.errorCount, 0);
}

TEST_F(EngineTest, StoreIdDigitIgnoresWhatIsNoDigit)
{
    for (int a = 1; a <= 7; ++a)
        StoreIdDigit(engine, 1, a);
    StoreIdDigit(engine, 5, 0);
    StoreIdDigit(engine, 5, 9);
    EXPECT_TRUE(recorder.ids.empty());
    StoreIdDigit(engine, 12, 8);
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 11111110 });
}

} // namespace
