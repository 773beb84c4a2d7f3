// The row check that rejects a second or over-wide mark, and the column counts it
// stands on.

#include "engine_test_support.h"

#include "omr/black_columns.h"
#include "omr/pixel_rules.h"

#include <random>

namespace {

// Columns first..last of the strip (numbered 0 to 94) with `black` black pixels each,
// from the strip's top row down.
struct ColumnRun {
    int first;
    int last;
    int black;
};

struct RowCase {
    const char* name;
    std::vector<ColumnRun> runs;
    bool flagged;
};

class QuestionRowTest : public EngineTest, public ::testing::WithParamInterface<RowCase> { };

// The strip of an untilted question 1 at (100, 450): columns 107 to 201, scan rows
// 601 to 614 (bottom 614.8), so 14 rows a column. A flagged row is orange across
// the whole strip, apart from its black pixels.
TEST_P(QuestionRowTest, FlagsSecondAndOverWideMarks)
{
    SheetImage image = WhiteImage(400, 700);
    for (const ColumnRun& run : GetParam().runs)
        Fill(image, 107 + run.first, 601, 107 + run.last, 601 + run.black - 1, kBlack);
    engine.g_rowFlagged = GetParam().flagged ? 0 : 1;

    image.CheckQuestionRow(engine, 601.3f, 614.8f, 107.0f, 121.0f);

    EXPECT_EQ(engine.g_rowFlagged, GetParam().flagged ? 1 : 0);
    for (int y = 600; y <= 615; ++y)
        for (int x = 106; x <= 202; ++x) {
            const bool inStrip = x >= 107 && x <= 201 && y >= 601 && y <= 614;
            if (PixelAt(image, x, y) != kBlack) {
                ASSERT_EQ(PixelAt(image, x, y), inStrip && GetParam().flagged ? kOrange : kWhite)
                    << x << ", " << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Columns, QuestionRowTest,
    ::testing::Values(RowCase { "AllWhite", {}, false }, RowCase { "OneMarkTenWide", { { 0, 9, 8 } }, false },
        RowCase { "OneMarkTwelveWide", { { 0, 11, 8 } }, false },
        RowCase { "ThirteenWideIsTooWide", { { 0, 12, 8 } }, true },
        RowCase { "WideMarkInBoxE", { { 78, 91, 10 } }, true },
        RowCase { "FourBlackContinueAMark", { { 0, 2, 5 }, { 3, 12, 4 } }, true },
        RowCase { "FourBlackNeverStartAMark", { { 0, 30, 4 } }, false },
        RowCase { "MarksInBoxesAAndB", { { 0, 9, 8 }, { 20, 29, 8 } }, true },
        RowCase { "SecondMarkThreeColumns", { { 0, 9, 8 }, { 20, 22, 5 } }, true },
        RowCase { "SecondMarkTwoColumns", { { 0, 9, 8 }, { 20, 21, 5 } }, false },
        RowCase { "FaintSecondMark", { { 0, 9, 8 }, { 20, 29, 3 } }, false },
        // Unforgotten, the start would make the twelve columns after the gap too wide.
        RowCase { "TwoWhiteColumnsForgetAStart", { { 0, 1, 8 }, { 4, 15, 8 } }, false },
        RowCase { "FivePartlyDarkColumnsForgetAStart", { { 0, 1, 8 }, { 2, 4, 2 }, { 5, 15, 8 } }, false },
        RowCase { "PartlyDarkColumnDoesNotEndAMark", { { 0, 9, 8 }, { 10, 10, 2 }, { 11, 13, 8 } }, true },
        RowCase { "PartlyDarkColumnsForgetASecondMark",
            { { 0, 9, 8 }, { 20, 21, 5 }, { 22, 23, 2 }, { 24, 24, 5 } }, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, RowScanTakesTheBottomRowThatPaintingLeaves)
{
    // Integral bottom: scan rows 600 to 614 (15), painting rows 600 to 613.
    SheetImage image = WhiteImage(400, 700);
    Fill(image, 107, 610, 119, 614, kBlack); // 5 a column only with row 614
    image.CheckQuestionRow(engine, 600.0f, 614.0f, 107.0f, 121.0f);
    EXPECT_EQ(engine.g_rowFlagged, 1);
    EXPECT_EQ(PixelAt(image, 127, 613), kOrange);
    EXPECT_EQ(PixelAt(image, 127, 614), kWhite);
    EXPECT_EQ(PixelAt(image, 127, 600), kOrange);
}

TEST_F(EngineTest, RowCheckStaysInsideTheImage)
{
    SheetImage image = WhiteImage(150, 20);
    Fill(image, 140, 0, 149, 19, kBlack);
    image.CheckQuestionRow(engine, -5.0f, 30.0f, 100.0f, 114.0f);
    EXPECT_EQ(engine.g_rowFlagged, 0);
}

struct CountCase {
    int depth;
    int columns;
    int rows;
};

class ColumnCountTest : public ::testing::TestWithParam<CountCase> { };

// Black, white, or black but for one byte (maybe the alpha byte). The area ends at
// the image's right edge and bottom, so a read past it shows under the sanitizer.
TEST_P(ColumnCountTest, CountsWhatThePixelRuleCallsBlack)
{
    const CountCase& c = GetParam();
    std::mt19937 random(c.columns * 1000 + c.rows);
    SheetImage image;
    ASSERT_TRUE(image.Create(c.columns + 7, c.rows + 3, c.depth).ok());
    const int bytesPerPixel = c.depth / 8;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (uint8_t* pixel = image.GetPixelAddress(0, y);
             pixel < image.GetPixelAddress(image.GetWidth() - 1, y) + bytesPerPixel; pixel += bytesPerPixel) {
            const auto kind = random() % 4;
            std::fill_n(pixel, bytesPerPixel, kind == 1 ? 255 : 0);
            if (kind == 2)
                pixel[random() % bytesPerPixel] = static_cast<uint8_t>(1 + random() % 255);
        }
    const PixelArea area { { 7, 7 + c.columns }, { 3, 3 + c.rows } };

    const ColumnCounts counts = CountBlackByColumn(image, area);

    for (int column = 0; column < kMaxCountedColumns; ++column) {
        int expected = 0;
        for (int y = area.rows.first; column < c.columns && y < area.rows.end; ++y)
            expected += IsBlack(image.GetPixelAddress(7 + column, y)) ? 1 : 0;
        ASSERT_EQ(counts[static_cast<size_t>(column)], expected) << "column " << column;
    }
}

// A strip, the five boxes of a row, one column, and more rows than a byte counts.
INSTANTIATE_TEST_SUITE_P(Areas, ColumnCountTest,
    ::testing::Values(CountCase { 24, 95, 15 }, CountCase { 24, 93, 14 }, CountCase { 32, 95, 15 },
        CountCase { 24, 1, 1 }, CountCase { 24, 96, 600 }, CountCase { 32, 40, 300 }));

} // namespace
