// The grid by hand-worked numbers, and whole sheets graded on it.

#include "engine_test_support.h"

#include "omr/marked_letters.h"
#include "omr/question_observer.h"

#include <cmath>

namespace {

SkewMeasurement Untilted(float x, float y)
{
    return { x, y, x + 600, y, 0.0, 0.0 };
}

TEST(SheetLayoutTest, StripSpansNinetyFiveColumnsWhateverTheLeftEdgesFraction)
{
    for (const float left : { 107.0f, 124.99999237f, 124.5f, 0.99999994f })
        for (const PixelArea& area :
            { RowScanArea({ 601.3f, 614.8f, left, left }), RowPaintArea({ 601.3f, 614.8f, left, left }) }) {
            EXPECT_EQ(area.columns.first, static_cast<int>(left)) << left;
            EXPECT_EQ(area.columns.end, static_cast<int>(left) + 95) << left;
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
    EXPECT_EQ(rows[50].top, 818.3f);
    EXPECT_EQ(AnswerBoxArea(rows[0]).rows.first, 601);
    EXPECT_EQ(AnswerBoxArea(rows[0]).rows.end, 615);
    // The letters' boxes: columns 107 to 120, 126 to 140, 146 to 159, 165 to 179, 185 to 198.
    const int firstColumns[] = { 107, 126, 146, 165, 185 };
    const int ends[] = { 121, 141, 160, 180, 199 };
    for (int letter = 0; letter < 5; ++letter) {
        EXPECT_EQ(AnswerBoxArea(LayAnswerBox(rows[0], letter)).columns.first, firstColumns[letter]) << letter;
        EXPECT_EQ(AnswerBoxArea(LayAnswerBox(rows[0], letter)).columns.end, ends[letter]) << letter;
    }
    // Block origins: X + D - 5 for D = 12, 146, 277, 407, 539, in both bands.
    const float lefts[] = { 107, 241, 372, 502, 634 };
    for (int block = 0; block < 10; ++block)
        EXPECT_EQ(rows[static_cast<size_t>(block * 10 + 9)].left, lefts[block % 5]) << block;
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
    const IdBandLayout bands = LayIdBands(skew);
    EXPECT_EQ(bands.left, 319.0f);
    EXPECT_EQ(bands.tops[0], 350.81f);
    EXPECT_EQ(bands.tops[7], 483.81f);
    EXPECT_EQ(IdDigitOrigin(skew), 330);
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

class RecordingObserver : public QuestionObserver {
public:
    void QuestionScored(int32_t questionNumber, QuestionScore score) override
    {
        told.emplace_back(questionNumber, score);
    }
    std::vector<std::pair<int32_t, QuestionScore>> told;
};

constexpr auto C = QuestionScore::Correct;
constexpr auto W = QuestionScore::Wrong;
constexpr auto E = QuestionScore::RowRejected;

struct Drawn {
    int question;
    int letter;
    int width = 10;
    int height = 8;
};

struct SheetCase {
    const char* name;
    std::vector<Drawn> marks;
    AnswerList key;
    int questionCount;
    SheetScores expected;
    std::vector<std::pair<int32_t, QuestionScore>> told;
    const char* letters; // read in question 7
};

class GradeSheetTest : public EngineTest, public ::testing::WithParamInterface<SheetCase> { };

// The ID reads 2. The letters read the same before and after grading: painting never
// turns a pixel black, nor a black one into a colour.
TEST_P(GradeSheetTest, CountsReportsAndTellsEveryGradedQuestion)
{
    const SheetCase& c = GetParam();
    SheetImage image = MeasuredSheet();
    Fill(image, 368, 486, 379, 499, kBlack); // units band: digit 2
    for (const Drawn& mark : c.marks)
        MarkBox(image, mark.question, mark.letter, mark.width, mark.height);
    const MarkedLetters letters = ReadMarkedLetters(image, LayQuestionRows(engine.g_skew));
    RecordingObserver observer;
    engine.services.observer = &observer;

    EXPECT_EQ(image.GradeSheet(engine, c.key, c.questionCount), SheetCheck::Accepted);

    EXPECT_EQ(recorder.ids, std::vector<int32_t> { 2 });
    EXPECT_EQ(recorder.scores, std::vector<SheetScores> { c.expected });
    const std::string report = "รหัสผู้ทำ = 2\nจำนวนข้อที่ทำถูก = " + std::to_string(c.expected.correct)
        + "\nจำนวนข้อที่ทำผิด = " + std::to_string(c.expected.wrong);
    EXPECT_EQ(messages.texts, c.expected.reported ? std::vector { report } : std::vector<std::string> {});
    EXPECT_EQ(engine.g_tally.examineeId, c.expected.reported ? 0 : 2);
    EXPECT_EQ(observer.told, c.told);
    EXPECT_EQ(letters[6], c.letters);
    EXPECT_EQ(ReadMarkedLetters(image, LayQuestionRows(engine.g_skew)), letters);
}

// 10 x 6 and 9 x 7 from one corner make 69 black pixels.
INSTANTIATE_TEST_SUITE_P(Sheets, GradeSheetTest,
    ::testing::Values(SheetCase { "SeventyPixelsMarkABox", { { 7, 1, 10, 7 } }, KeyOf({ { 7, "b" } }), 1,
                          { 1, 0, 0, true }, { { 7, C } }, "b" },
        SheetCase { "SixtyNineDoNot", { { 7, 1, 10, 6 }, { 7, 1, 9, 7 } }, KeyOf({ { 7, "b" } }), 1,
            { 0, 1, 0, true }, { { 7, W } }, "" },
        SheetCase {
            "OtherBoxMarked", { { 7, 3 } }, KeyOf({ { 7, "c" } }), 1, { 0, 1, 0, true }, { { 7, W } }, "d" },
        SheetCase { "WholeWidthMarkIsRejected", { { 7, 1, 13 } }, KeyOf({ { 7, "b" } }), 1, { 0, 0, 1, true },
            { { 7, E } }, "b" },
        SheetCase { "TwoMarksAreRejected", { { 7, 0 }, { 7, 2 } }, KeyOf({ { 7, "c" } }), 1,
            { 0, 0, 1, true }, { { 7, E } }, "ac" },
        SheetCase { "AllFiveMarked", { { 7, 0 }, { 7, 1 }, { 7, 2 }, { 7, 3 }, { 7, 4 } },
            KeyOf({ { 7, "e" } }), 1, { 0, 0, 1, true }, { { 7, E } }, "abcde" },
        SheetCase { "UpperCaseKeyIsSkipped", { { 7, 2 } }, KeyOf({ { 7, "C" }, { 8, "a" } }), 1,
            { 0, 1, 0, true }, { { 8, W } }, "c" },
        SheetCase { "EmptyKeyIsSkipped", { { 7, 0 }, { 7, 2 } }, KeyOf({ { 7, "" }, { 8, "a" } }), 1,
            { 0, 1, 0, true }, { { 8, W } }, "ac" },
        // The report comes after the last keyed question, not at the question whose number is the count.
        SheetCase { "KeyWithGaps", { { 7, 4 }, { 9, 0 } }, KeyOf({ { 1, "a" }, { 7, "e" }, { 9, "a" } }), 3,
            { 2, 1, 0, true }, { { 1, W }, { 7, C }, { 9, C } }, "e" },
        SheetCase { "CountZeroIsNotReported", { { 7, 0 } }, KeyOf({ { 7, "a" }, { 9, "b" } }), 0,
            { 1, 1, 0, false }, { { 7, C }, { 9, W } }, "a" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, GradingLeavesItsOverlay)
{
    SheetImage image = MeasuredSheet();
    MarkBox(image, 1, 0); // correct
    MarkBox(image, 3, 1, 10, 6); // 69 black pixels: wrong
    MarkBox(image, 3, 1, 9, 7);
    MarkBox(image, 51, 0); // and a second mark: rejected
    MarkBox(image, 51, 3);
    MarkBox(image, 100, 0); // rejected too, the last row walked
    MarkBox(image, 100, 1);
    image.GradeSheet(engine, KeyOf({ { 1, "a" }, { 3, "b" }, { 51, "a" }, { 100, "a" } }), 4);

    EXPECT_EQ(recorder.scores, std::vector<SheetScores>(1, { 1, 1, 2, true }));
    // Counted, a rejected row's flag is reset.
    EXPECT_EQ(engine.g_rowFlagged, 0);
    // Question 1's a box from (107, 601); question 3's b box, columns 126 to 140 and
    // rows 639 to 653, red but for its black; question 51's whole strip, columns 107
    // to 201 from row 818.
    for (const auto& [x, y, colour] : { std::tuple { 107, 601, kGreen }, { 120, 614, kGreen },
             { 121, 610, kWhite }, { 126, 639, kRed }, { 140, 653, kRed }, { 137, 647, kRed },
             { 128, 641, kBlack }, { 125, 645, kWhite }, { 141, 645, kWhite }, { 130, 638, kWhite },
             { 130, 654, kWhite }, { 107, 818, kOrange }, { 201, 831, kOrange }, { 202, 831, kWhite },
             { 319, 353, kGreen }, { 25, 400, kCyan }, { 769, 499, kCyan }, { 107, 620, kWhite } })
        EXPECT_EQ(PixelAt(image, x, y), colour) << x << ", " << y;
}

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
            for (const auto& [question, letter] : { std::pair { 1, 0 }, { 2, 3 }, { 3, 0 }, { 3, 2 } })
                if (pass == 0)
                    MarkBox(image, question, letter);
            image.GradeSheet(engine, KeyOf({ { 1, "a" }, { 2, "a" }, { 3, "a" } }), 3);
        }
        EXPECT_EQ(recorder.scores, std::vector<SheetScores>(2, { 1, 1, 1, true })) << x << ", " << y;
    }
}

// Each sheet hands on one ID and one set of counts, and reports once at most.
TEST_F(EngineTest, EverySheetHandsOnOneIdAndOneSetOfCounts)
{
    SheetImage image = MeasuredSheet();
    for (const int questionCount : { 0, 1, 0, 1 })
        MeasuredSheet().GradeSheet(engine, KeyOf({ { 1, "a" } }), questionCount);
    image.ScoreAnswerBox(engine, 601.3f, 614.8f, 107.0f, 121.0f, 1);
    EXPECT_EQ(recorder.ids.size(), 4u);
    ASSERT_EQ(recorder.scores.size(), 4u);
    for (size_t sheet = 0; sheet < 4; ++sheet)
        EXPECT_EQ(recorder.scores[sheet].reported, sheet % 2 == 1) << sheet;
    EXPECT_EQ(messages.texts.size(), 2u);
}

class TiltedSheetTest : public EngineTest, public ::testing::WithParamInterface<int> { };

// Every row of both bands, upper and lower halves of each block, follows the tilt.
TEST_P(TiltedSheetTest, EveryRowIsReadWhereItLies)
{
    SheetImage image = WhiteImage(850, 1170);
    DrawMark(image, 100, 450);
    DrawMark(image, 700, 450 + GetParam());
    ASSERT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);
    AnswerList key;
    for (int question = 1; question <= kQuestionCount; ++question) {
        MarkBox(image, question, question % 5);
        key[static_cast<size_t>(question - 1)] = std::string(1, static_cast<char>('a' + question % 5));
    }
    EXPECT_EQ(ReadMarkedLetters(image, LayQuestionRows(engine.g_skew)), key);
    image.GradeSheet(engine, key, kQuestionCount);
    EXPECT_EQ(recorder.scores, std::vector<SheetScores>(1, { 100, 0, 0, true }));
}

INSTANTIATE_TEST_SUITE_P(Tilts, TiltedSheetTest, ::testing::Values(0, -9, 9));

struct BoundsCase {
    const char* name;
    SkewMeasurement skew;
    int width;
    int height;
    SheetCheck expected;
};

class GradingBoundsTest : public EngineTest, public ::testing::WithParamInterface<BoundsCase> { };

// A sheet refused changes nothing: no count, message, ID or pixel.
TEST_P(GradingBoundsTest, EveryReadMustLieInsideTheImage)
{
    SheetImage image = WhiteImage(GetParam().width, GetParam().height);
    engine.g_skew = GetParam().skew;
    engine.g_questionCount = 77;
    engine.g_tally = { 1, 2, 3, 4 };
    EXPECT_EQ(image.GradeSheet(engine, KeyOf({ { 1, "a" } }), 1), GetParam().expected);
    if (GetParam().expected == SheetCheck::Accepted)
        return;
    EXPECT_EQ(messages.texts, std::vector<std::string> { RefusalMessage(SheetCheck::OutsideImage) });
    EXPECT_TRUE(recorder.ids.empty());
    EXPECT_TRUE(recorder.scores.empty());
    EXPECT_EQ(engine.g_questionCount, 77);
    EXPECT_EQ(engine.g_tally.correctCount, 2);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            ASSERT_EQ(PixelAt(image, x, y), kWhite) << x << ", " << y;
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

} // namespace
