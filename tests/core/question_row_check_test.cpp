#include "engine_test_support.h"

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

// The strip of an untilted question 1 at (100, 450): columns 107 to 201, scan rows
// 601 to 614 (bottom 614.8), so 14 rows a column.
constexpr float kTop = 601.3f;
constexpr float kBottom = 614.8f;
constexpr float kLeft = 107.0f;
constexpr int kFirstColumn = 107;
constexpr int kLastColumn = 201;

class QuestionRowTest : public EngineTest, public ::testing::WithParamInterface<RowCase> { };

TEST_P(QuestionRowTest, FlagsSecondAndOverWideMarks)
{
    SheetImage image = WhiteImage(400, 700);
    for (const ColumnRun& run : GetParam().runs)
        Fill(image, kFirstColumn + run.first, 601, kFirstColumn + run.last, 601 + run.black - 1, kBlack);
    engine.g_rowFlagged = GetParam().flagged ? 0 : 1;

    image.CheckQuestionRow(engine, kTop, kBottom, kLeft, kLeft + 14);

    EXPECT_EQ(engine.g_rowFlagged, GetParam().flagged ? 1 : 0);
    // A flagged row is orange across the whole strip, apart from its black pixels.
    const Rgb paper = GetParam().flagged ? kOrange : kWhite;
    for (int y = 601; y <= 614; ++y)
        for (int x = kFirstColumn; x <= kLastColumn; ++x)
            if (PixelAt(image, x, y) != kBlack) {
                ASSERT_EQ(PixelAt(image, x, y), paper) << x << ", " << y;
            }
    for (int y = 600; y <= 615; ++y) {
        EXPECT_EQ(PixelAt(image, kFirstColumn - 1, y), kWhite);
        EXPECT_EQ(PixelAt(image, kLastColumn + 1, y), kWhite);
    }
    for (int x = kFirstColumn; x <= kLastColumn; ++x) {
        EXPECT_EQ(PixelAt(image, x, 600), kWhite);
        EXPECT_EQ(PixelAt(image, x, 615), kWhite);
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
        RowCase { "TwoWhiteColumnsForgetAStart", { { 0, 1, 8 }, { 20, 29, 8 } }, false },
        RowCase { "FivePartlyDarkColumnsForgetAStart", { { 0, 1, 8 }, { 2, 4, 2 }, { 5, 15, 8 } }, false },
        RowCase { "PartlyDarkColumnDoesNotEndAMark", { { 0, 9, 8 }, { 10, 10, 2 }, { 11, 13, 8 } }, true },
        RowCase { "PartlyDarkColumnsForgetASecondMark",
            { { 0, 9, 8 }, { 20, 21, 5 }, { 22, 23, 2 }, { 24, 24, 5 } }, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, RowScanTakesTheBottomRowThatPaintingLeaves)
{
    // Integral bottom: scan rows 600 to 614 (15), painting rows 600 to 613.
    SheetImage image = WhiteImage(400, 700);
    Fill(image, kFirstColumn, 610, kFirstColumn + 12, 614, kBlack); // 5 a column only with row 614
    image.CheckQuestionRow(engine, 600.0f, 614.0f, kLeft, kLeft + 14);
    EXPECT_EQ(engine.g_rowFlagged, 1);
    EXPECT_EQ(PixelAt(image, kFirstColumn + 20, 613), kOrange);
    EXPECT_EQ(PixelAt(image, kFirstColumn + 20, 614), kWhite);
    EXPECT_EQ(PixelAt(image, kFirstColumn + 20, 600), kOrange);
}

TEST_F(EngineTest, RowCheckStaysInsideTheImage)
{
    SheetImage image = WhiteImage(150, 20);
    Fill(image, 140, 0, 149, 19, kBlack);
    image.CheckQuestionRow(engine, -5.0f, 30.0f, 100.0f, 114.0f);
    EXPECT_EQ(engine.g_rowFlagged, 0);
}

} // namespace
