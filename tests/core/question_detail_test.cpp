// What the batch grader reports per question: the engine's own score of every
// question it grades, and the letters found marked in every row.

#include "engine_test_support.h"

#include "omr/marked_letters.h"
#include "omr/question_observer.h"
#include "omr/sheet_layout.h"

#include <cmath>
#include <cstring>

namespace {

class RecordingObserver : public QuestionObserver {
public:
    void QuestionScored(int32_t questionNumber, QuestionScore score) override
    {
        scored.emplace_back(questionNumber, score);
    }
    std::vector<std::pair<int32_t, QuestionScore>> scored;
};

constexpr auto C = QuestionScore::Correct;
constexpr auto W = QuestionScore::Wrong;
constexpr auto E = QuestionScore::RowRejected;

TEST_F(EngineTest, ObserverHearsEveryScoredQuestionAsTheCountsDo)
{
    SheetImage image = MeasuredSheet();
    AnswerList key;
    key[0] = "a"; // marked a: correct
    MarkBox(image, 1, 0);
    key[1] = "b"; // marked c: wrong
    MarkBox(image, 2, 2);
    key[2] = "c"; // marked a and c: rejected
    MarkBox(image, 3, 0);
    MarkBox(image, 3, 2);
    key[3] = ""; // not graded, though marked
    MarkBox(image, 4, 0);
    key[4] = "B"; // not graded
    MarkBox(image, 5, 1);
    key[5] = "d"; // blank: wrong
    key[6] = "e"; // the last keyed question: counted in the report
    MarkBox(image, 7, 4);
    RecordingObserver observer;
    engine.services.observer = &observer;

    image.GradeSheet(engine, key, 6);

    const std::vector<std::pair<int32_t, QuestionScore>> expected { { 1, C }, { 2, W }, { 3, E }, { 6, W },
        { 7, C } };
    EXPECT_EQ(observer.scored, expected);
    ASSERT_EQ(recorder.scores.size(), 1u);
    EXPECT_EQ(recorder.scores[0].correct, 2);
    EXPECT_EQ(recorder.scores[0].wrong, 2);
    EXPECT_EQ(recorder.scores[0].errors, 1);
}

struct Drawn {
    int letter;
    int width;
    int height;
};

struct LettersCase {
    const char* name;
    std::vector<Drawn> marks;
    std::string letters;
};

class MarkedLettersTest : public EngineTest, public ::testing::WithParamInterface<LettersCase> { };

TEST_P(MarkedLettersTest, SeventyBlackPixelsMarkALetter)
{
    SheetImage image = MeasuredSheet();
    for (const Drawn& mark : GetParam().marks)
        MarkBox(image, 58, mark.letter, mark.width, mark.height);

    const MarkedLetters letters = ReadMarkedLetters(image, LayQuestionRows(engine.g_skew));

    for (size_t question = 0; question < letters.size(); ++question)
        EXPECT_EQ(letters[question], question == 57 ? GetParam().letters : "") << question + 1;
}

INSTANTIATE_TEST_SUITE_P(Rows, MarkedLettersTest,
    ::testing::Values(LettersCase { "Blank", {}, "" }, LettersCase { "SeventyPixels", { { 1, 10, 7 } }, "b" },
        LettersCase { "SixtyThreePixels", { { 1, 9, 7 } }, "" },
        LettersCase { "LetterE", { { 4, 10, 8 } }, "e" },
        LettersCase { "TwoLetters", { { 0, 10, 8 }, { 2, 10, 8 } }, "ac" },
        LettersCase {
            "AllFive", { { 0, 10, 8 }, { 1, 10, 8 }, { 2, 10, 8 }, { 3, 10, 8 }, { 4, 10, 8 } }, "abcde" },
        // Too wide for the row check, yet only its own box is marked.
        LettersCase { "WideMark", { { 3, 12, 8 } }, "d" }),
    [](const auto& info) { return std::string(info.param.name); });

class TiltedLettersTest : public EngineTest, public ::testing::WithParamInterface<int> { };

// Every row of both bands, upper and lower halves of each block, follows the tilt.
TEST_P(TiltedLettersTest, EveryRowIsReadWhereTheGraderReads)
{
    SheetImage image = WhiteImage(850, 1170);
    DrawMark(image, 100, 450);
    DrawMark(image, 700, 450 + GetParam());
    ASSERT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);
    for (int question = 1; question <= kQuestionCount; ++question)
        MarkBox(image, question, question % 5);

    const MarkedLetters letters = ReadMarkedLetters(image, LayQuestionRows(engine.g_skew));

    for (int question = 1; question <= kQuestionCount; ++question)
        EXPECT_EQ(
            letters[static_cast<size_t>(question - 1)], std::string(1, static_cast<char>('a' + question % 5)))
            << question;
}

INSTANTIATE_TEST_SUITE_P(Tilts, TiltedLettersTest, ::testing::Values(0, -9, 9));

// A copy of the pixels, to compare two images byte for byte.
std::vector<uint8_t> PixelsOf(const SheetImage& image)
{
    const size_t bytes = static_cast<size_t>(-image.GetPitch()) * static_cast<size_t>(image.GetHeight());
    const uint8_t* start = image.GetPixelAddress(0, image.GetHeight() - 1);
    return { start, start + bytes };
}

TEST_F(EngineTest, ReadingTheLettersChangesNothingOfTheGrading)
{
    const auto drawSheet = [this] {
        SheetImage image = MeasuredSheet();
        MarkBox(image, 1, 0);
        MarkBox(image, 2, 3);
        MarkBox(image, 3, 1);
        MarkBox(image, 3, 4);
        MarkBox(image, 4, 2, 13);
        return image;
    };
    AnswerList key;
    for (std::string& answer : key)
        answer = "a";
    SheetImage plain = drawSheet();
    plain.GradeSheet(engine, key, 100);
    const std::vector<std::string> plainMessages = messages.texts;
    const std::vector<SheetScores> plainScores = recorder.scores;
    messages.texts.clear();
    recorder.scores.clear();

    SheetImage watched = drawSheet();
    RecordingObserver observer;
    engine.services.observer = &observer;
    const MarkedLetters before = ReadMarkedLetters(watched, LayQuestionRows(engine.g_skew));
    watched.GradeSheet(engine, key, 100);
    const MarkedLetters after = ReadMarkedLetters(watched, LayQuestionRows(engine.g_skew));

    EXPECT_EQ(PixelsOf(watched), PixelsOf(plain));
    EXPECT_EQ(messages.texts, plainMessages);
    ASSERT_EQ(recorder.scores.size(), plainScores.size());
    EXPECT_EQ(recorder.scores[0].correct, plainScores[0].correct);
    EXPECT_EQ(recorder.scores[0].errors, plainScores[0].errors);
    EXPECT_EQ(after, before);
    EXPECT_EQ(after[2], "be");
    EXPECT_EQ(after[3], "c");
    EXPECT_EQ(observer.scored.size(), 100u);
}

} // namespace
