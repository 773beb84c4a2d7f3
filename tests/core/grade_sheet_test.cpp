#include "engine_test_support.h"

#include "omr/grading_grid.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"

#include <algorithm>
#include <cmath>

namespace {

SkewMeasurement Untilted(float x, float y)
{
    return { x, y, x + 600, y, 0.0, 0.0 };
}

std::string ReportText(int id, int correct, int wrong)
{
    return "รหัสผู้ทำ = " + std::to_string(id) + "\nจำนวนข้อที่ทำถูก = " + std::to_string(correct)
        + "\nจำนวนข้อที่ทำผิด = " + std::to_string(wrong);
}

bool SameScores(const SheetScores& a, const SheetScores& b)
{
    return a.correct == b.correct && a.wrong == b.wrong && a.errors == b.errors && a.reported == b.reported;
}

TEST(SheetLayoutTest, StripSpansNinetyFiveColumnsWhateverTheLeftEdgesFraction)
{
    for (const float left : { 107.0f, 124.99999237f, 124.5f, 0.99999994f }) {
        const GridBox row { 601.3f, 614.8f, left, left };
        const int first = static_cast<int>(left);
        for (const PixelArea& area : { RowScanArea(row), RowPaintArea(row) }) {
            EXPECT_EQ(area.columns.first, first) << left;
            EXPECT_EQ(area.columns.end, first + 95) << left;
        }
    }
}

TEST(SheetLayoutTest, UntiltedGridAccumulatesRowTopsAsFloats)
{
    const QuestionRows rows = LayQuestionRows(Untilted(100, 450));
    EXPECT_EQ(rows[4].top, 678.49994f);
    EXPECT_EQ(rows[4].bottom, 691.99994f);
    // So row 692 lies outside question 5's box and its strip.
    EXPECT_EQ(AnswerBoxArea(rows[4]).rows.end, 692);
    EXPECT_EQ(RowScanArea(rows[4]).rows.end, 692);

    const PixelArea first = AnswerBoxArea(rows[0]);
    EXPECT_EQ(first.rows.first, 601);
    EXPECT_EQ(first.rows.end, 615);
    EXPECT_EQ(first.columns.first, 107);
    EXPECT_EQ(first.columns.end, 121);
    EXPECT_EQ(rows[50].top, 818.3f);

    // Block origins: X + D - 5 for D = 12, 146, 277, 407, 539, in both bands.
    const float lefts[] = { 107, 241, 372, 502, 634 };
    for (int block = 0; block < 10; ++block)
        EXPECT_EQ(rows[static_cast<size_t>(block * 10 + 9)].left, lefts[block % 5]) << block;
}

TEST(SheetLayoutTest, LetterBoxesSitAtTheirOffsets)
{
    const GridBox row { 601.3f, 614.8f, 107.0f, 121.0f };
    const int firstColumns[] = { 107, 126, 146, 165, 185 };
    const int ends[] = { 121, 141, 160, 180, 199 };
    for (int letter = 0; letter < 5; ++letter) {
        const PixelArea box = AnswerBoxArea(LayAnswerBox(row, letter));
        EXPECT_EQ(box.columns.first, firstColumns[letter]) << letter;
        EXPECT_EQ(box.columns.end, ends[letter]) << letter;
    }
}

TEST(SheetLayoutTest, LowerQuestionsOfABlockAreSetRightForTilt)
{
    SkewMeasurement skew = Untilted(100, 450);
    skew.angleRadians = std::atan(0.01);
    const QuestionRows rows = LayQuestionRows(skew);
    // Upper band: by the sixth row's depth below the mark (which shrinks as the block
    // lies further right); lower band: by 344 rows.
    for (const auto& [block, shift] : { std::pair { 0, 2.4773 }, { 4, 2.4246 }, { 5, 3.44 }, { 9, 3.44 } }) {
        const size_t first = static_cast<size_t>(block * 10);
        for (size_t k = 1; k < 5; ++k) {
            EXPECT_EQ(rows[first + k].left, rows[first].left);
            EXPECT_EQ(rows[first + 5 + k].left, rows[first + 5].left);
        }
        EXPECT_NEAR(rows[first + 5].left - rows[first].left, shift, 0.0002) << block;
    }
    // The block's first row starts lower where the block lies further right.
    EXPECT_NEAR(rows[0].top - 601.3f, -0.07, 0.001);
}

TEST(SheetLayoutTest, RowBottomIsRoundedFromTheUnroundedTop)
{
    SkewMeasurement skew = Untilted(100, 464);
    skew.angleRadians = std::atan(-0.01);
    const GridBox last = LayQuestionRows(skew)[99];
    EXPECT_EQ(last.top, 1011.3399f);
    // 1024.83984f when added to the stored top instead.
    EXPECT_EQ(last.bottom, 1024.83997f);
}

TEST(SheetLayoutTest, IdBandsFollowTheTilt)
{
    SkewMeasurement skew = Untilted(100, 450);
    skew.angleRadians = std::atan(0.01);
    const IdBandLayout bands = LayIdBands(skew);
    EXPECT_EQ(bands.left, 319.0f);
    EXPECT_EQ(bands.tops[0], 350.81f);
    EXPECT_EQ(bands.tops[7], 483.81f);
    EXPECT_EQ(IdDigitOrigin(skew), 330);
}

AnswerList KeyOf(std::initializer_list<std::pair<int, const char*>> entries)
{
    AnswerList answers;
    for (const auto& [question, letter] : entries)
        answers[static_cast<size_t>(question - 1)] = letter;
    return answers;
}

struct BoxCase {
    int blackPixels;
    bool correct;
    Rgb boxColour;
};

class KeyBoxTest : public EngineTest, public ::testing::WithParamInterface<BoxCase> { };

TEST_P(KeyBoxTest, SeventyBlackPixelsMarkABox)
{
    SheetImage image = MeasuredSheet();
    MarkBox(image, 3, 1, 10, 7);
    if (GetParam().blackPixels == 69)
        Fill(image, 137, 647, 137, 647, kWhite);

    EXPECT_EQ(image.GradeSheet(engine, KeyOf({ { 3, "b" } }), 3), SheetCheck::Accepted);

    const int correct = GetParam().correct ? 1 : 0;
    EXPECT_EQ(messages.texts, std::vector<std::string> { ReportText(0, correct, 1 - correct) });
    ASSERT_EQ(recorder.scores.size(), 1u);
    EXPECT_TRUE(SameScores(recorder.scores[0], { correct, 1 - correct, 0, true }));
    // Question 3's b box: columns 126 to 140, rows 639 to 653.
    for (const auto& [x, y] : { std::pair { 126, 639 }, { 140, 653 }, { 127, 645 } })
        EXPECT_EQ(PixelAt(image, x, y), GetParam().boxColour) << x << ", " << y;
    EXPECT_EQ(PixelAt(image, 137, 647), GetParam().correct ? kBlack : kRed);
    EXPECT_EQ(PixelAt(image, 128, 641), kBlack);
    for (const auto& [x, y] : { std::pair { 125, 645 }, { 141, 645 }, { 130, 638 }, { 130, 654 } })
        EXPECT_EQ(PixelAt(image, x, y), kWhite) << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(
    Threshold, KeyBoxTest, ::testing::Values(BoxCase { 70, true, kGreen }, BoxCase { 69, false, kRed }));

struct QuestionCase {
    const char* name;
    const char* key;
    std::vector<std::pair<int, int>> marks; // letter, width
    SheetScores expected;
};

class QuestionOutcomeTest : public EngineTest, public ::testing::WithParamInterface<QuestionCase> { };

TEST_P(QuestionOutcomeTest, CountsTheKeysBoxOrTheRejectedRow)
{
    SheetImage image = MeasuredSheet();
    for (const auto& [letter, width] : GetParam().marks)
        MarkBox(image, 7, letter, width);
    image.GradeSheet(engine, KeyOf({ { 7, GetParam().key }, { 8, "a" } }), 8);
    ASSERT_EQ(recorder.scores.size(), 1u);
    SheetScores expected = GetParam().expected;
    ++expected.wrong; // question 8, left blank
    const SheetScores& got = recorder.scores[0];
    EXPECT_TRUE(SameScores(got, expected))
        << got.correct << " " << got.wrong << " " << got.errors << " " << got.reported;
}

INSTANTIATE_TEST_SUITE_P(Rows, QuestionOutcomeTest,
    ::testing::Values(QuestionCase { "MarkedKeyBox", "c", { { 2, 10 } }, { 1, 0, 0, true } },
        QuestionCase { "OtherBoxMarked", "c", { { 3, 10 } }, { 0, 1, 0, true } },
        QuestionCase { "WholeWidthMarkIsRejected", "b", { { 1, 13 } }, { 0, 0, 1, true } },
        QuestionCase { "TwoMarksAreRejected", "c", { { 0, 10 }, { 2, 10 } }, { 0, 0, 1, true } },
        QuestionCase { "UpperCaseKeyIsSkipped", "C", { { 2, 10 } }, { 0, 0, 0, true } },
        QuestionCase { "EmptyKeyIsSkipped", "", { { 0, 10 }, { 2, 10 } }, { 0, 0, 0, true } }),
    [](const auto& info) { return std::string(info.param.name); });

// Checking a checked sheet again reads what the first check read, wherever the left
// mark lies in its window: at its very end the mark's black pixels follow the cyan.
TEST_F(EngineTest, SecondCheckOfACheckedSheetCountsTheSame)
{
    for (const auto& [x, y] : { std::pair { 100, 450 }, { 169, 499 }, { 80, 405 } }) {
        recorder.scores.clear();
        SheetImage image = WhiteImage(800, 1100);
        DrawMark(image, x, y);
        DrawMark(image, x + 600, y);
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::Accepted);
            ASSERT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted) << x << ", " << y;
            if (pass == 0) {
                MarkBox(image, 1, 0);
                MarkBox(image, 2, 3);
                MarkBox(image, 3, 0);
                MarkBox(image, 3, 2);
            }
            image.GradeSheet(engine, KeyOf({ { 1, "a" }, { 2, "a" }, { 3, "a" } }), 3);
        }
        ASSERT_EQ(recorder.scores.size(), 2u);
        EXPECT_TRUE(SameScores(recorder.scores[0], { 1, 1, 1, true })) << x << ", " << y;
        EXPECT_TRUE(SameScores(recorder.scores[1], recorder.scores[0])) << x << ", " << y;
    }
}

// A key with gaps still counts its last keyed questions: the report comes after the
// last valid key answer, not at the question whose number is the count.
TEST_F(EngineTest, ReportComesAfterTheLastKeyedQuestion)
{
    for (const std::vector<int>& gaps : { std::vector<int> { 1 }, { 5 }, { 10 }, { 1, 5, 10 } }) {
        SheetImage image = MeasuredSheet();
        AnswerList key;
        int keyed = 0;
        for (int question = 1; question <= 10; ++question) {
            MarkBox(image, question, 0);
            if (std::find(gaps.begin(), gaps.end(), question) == gaps.end()) {
                key[static_cast<size_t>(question - 1)] = "a";
                ++keyed;
            }
        }
        messages.texts.clear();
        recorder.scores.clear();
        image.GradeSheet(engine, key, keyed);
        EXPECT_EQ(messages.texts, std::vector<std::string> { ReportText(0, keyed, 0) })
            << "gap at " << gaps[0];
        ASSERT_EQ(recorder.scores.size(), 1u);
        EXPECT_TRUE(SameScores(recorder.scores[0], { keyed, 0, 0, true }));
    }
}

TEST_F(EngineTest, ReportShowsTheIdAndThenClearsIt)
{
    SheetImage image = MeasuredSheet();
    Fill(image, 368, 486, 379, 499, kBlack); // units band: digit 2
    image.GradeSheet(engine, KeyOf({ { 1, "a" } }), 1);
    EXPECT_EQ(messages.texts, std::vector<std::string> { ReportText(2, 0, 1) });
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 2 });
    EXPECT_EQ(engine.g_tally.examineeId, 0);
}

struct UnreportedCase {
    const char* name;
    int questionCount;
    AnswerList key;
};

class UnreportedSheetTest : public EngineTest, public ::testing::WithParamInterface<UnreportedCase> { };

TEST_P(UnreportedSheetTest, HandsOnItsCountsAtTheEndOfTheWalk)
{
    SheetImage image = MeasuredSheet();
    Fill(image, 368, 486, 379, 499, kBlack);
    MarkBox(image, 1, 0);
    MarkBox(image, 3, 0);
    MarkBox(image, 3, 2);
    image.GradeSheet(engine, GetParam().key, GetParam().questionCount);

    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 2 });
    ASSERT_EQ(recorder.scores.size(), 1u);
    EXPECT_TRUE(SameScores(recorder.scores[0], { 1, 1, 1, false }));
    EXPECT_EQ(engine.g_tally.examineeId, 2);
}

INSTANTIATE_TEST_SUITE_P(Sheets, UnreportedSheetTest,
    ::testing::Values(UnreportedCase { "CountZero", 0, KeyOf({ { 1, "a" }, { 2, "a" }, { 3, "a" } }) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, EverySheetHandsOnOneIdAndOneSetOfCounts)
{
    for (const int questionCount : { 0, 1, 0, 1 }) {
        SheetImage image = MeasuredSheet();
        image.GradeSheet(engine, KeyOf({ { 1, "a" } }), questionCount);
    }
    EXPECT_EQ(recorder.ids.size(), 4u);
    ASSERT_EQ(recorder.scores.size(), 4u);
    EXPECT_FALSE(recorder.scores[0].reported);
    EXPECT_TRUE(recorder.scores[1].reported);
    EXPECT_EQ(messages.texts.size(), 2u);
}

TEST_F(EngineTest, SheetReportsAtMostOnce)
{
    SheetImage image = MeasuredSheet();
    image.GradeSheet(engine, KeyOf({ { 1, "a" } }), 1);
    engine.g_questionCount = 1;
    image.ScoreAnswerBox(engine, 601.3f, 614.8f, 107.0f, 121.0f, 1);
    EXPECT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(recorder.scores.size(), 1u);
}

TEST_F(EngineTest, GradingLeavesItsOverlay)
{
    SheetImage image = MeasuredSheet();
    MarkBox(image, 1, 0); // correct
    MarkBox(image, 11, 0); // key d: wrong
    MarkBox(image, 51, 0); // and a second mark: rejected
    MarkBox(image, 51, 3);
    image.GradeSheet(engine, KeyOf({ { 1, "a" }, { 11, "d" }, { 51, "a" } }), 51);

    EXPECT_EQ(PixelAt(image, 107, 601), kGreen);
    const PixelArea wrongBox = AnswerBoxArea(LayAnswerBox(LayQuestionRows(engine.g_skew)[10], 3));
    EXPECT_EQ(PixelAt(image, wrongBox.columns.first, wrongBox.rows.first), kRed);
    // Question 51's whole strip, columns 107 to 201 from row 818, is orange.
    EXPECT_EQ(PixelAt(image, 107, 818), kOrange);
    EXPECT_EQ(PixelAt(image, 201, 831), kOrange);
    EXPECT_EQ(PixelAt(image, 202, 831), kWhite);
    EXPECT_EQ(PixelAt(image, 319, 353), kGreen);
    EXPECT_EQ(PixelAt(image, 25, 400), kCyan);
    EXPECT_EQ(PixelAt(image, 769, 499), kCyan);
    // An unkeyed row is checked but not painted.
    EXPECT_EQ(PixelAt(image, 107, 620), kWhite);
    ASSERT_EQ(recorder.scores.size(), 1u);
    EXPECT_TRUE(SameScores(recorder.scores[0], { 1, 1, 1, true }));
}

struct BoundsCase {
    const char* name;
    SkewMeasurement skew;
    int width;
    int height;
    SheetCheck expected;
};

class GradingBoundsTest : public EngineTest, public ::testing::WithParamInterface<BoundsCase> { };

TEST_P(GradingBoundsTest, EveryReadMustLieInsideTheImage)
{
    SheetImage image = WhiteImage(GetParam().width, GetParam().height);
    const bool fits = LayGradingGrid(image, GetParam().skew).has_value();
    EXPECT_EQ(fits ? SheetCheck::Accepted : SheetCheck::OutsideImage, GetParam().expected);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// At (100, 450) question 100's strip reaches row 1005 (bottom bound included) and
// column 728; at X = 169 the last strip ends at column 797.
INSTANTIATE_TEST_SUITE_P(Sheets, GradingBoundsTest,
    ::testing::Values(BoundsCase { "TallEnough", Untilted(100, 450), 800, 1006, SheetCheck::Accepted },
        BoundsCase { "OneRowShort", Untilted(100, 450), 800, 1005, SheetCheck::OutsideImage },
        BoundsCase { "WideEnough", Untilted(169, 450), 798, 1100, SheetCheck::Accepted },
        BoundsCase { "OneColumnShort", Untilted(169, 450), 797, 1100, SheetCheck::OutsideImage },
        BoundsCase { "BandsFromRowZero", Untilted(100, 97), 800, 1100, SheetCheck::Accepted },
        BoundsCase { "BandsAboveTheImage", Untilted(100, 96), 800, 1100, SheetCheck::OutsideImage },
        BoundsCase { "NoMeasurement", SkewMeasurement {}, 800, 1100, SheetCheck::OutsideImage },
        BoundsCase { "NotANumber", { 100, 450, 700, 450, kNaN, kNaN }, 800, 1100, SheetCheck::OutsideImage }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SheetOutsideTheImageIsNotGraded)
{
    SheetImage image = MeasuredSheet(800, 1005);
    engine.g_questionCount = 77;
    engine.g_tally = { 1, 2, 3, 4 };
    EXPECT_EQ(image.GradeSheet(engine, KeyOf({ { 1, "a" } }), 1), SheetCheck::OutsideImage);
    EXPECT_EQ(messages.texts, std::vector<std::string> { RefusalMessage(SheetCheck::OutsideImage) });
    EXPECT_TRUE(recorder.ids.empty());
    EXPECT_TRUE(recorder.scores.empty());
    EXPECT_EQ(engine.g_questionCount, 77);
    EXPECT_EQ(engine.g_tally.correctCount, 2);
    EXPECT_EQ(PixelAt(image, 319, 353), kWhite);
    EXPECT_EQ(PixelAt(image, 107, 601), kWhite);
}

} // namespace
