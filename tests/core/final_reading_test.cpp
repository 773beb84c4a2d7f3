#include "grading/final_reading.h"
#include "omr/second_reading/second_reading.h"
#include "omr/sheet_review.h"

#include <gtest/gtest.h>

namespace {

// A sheet whose readings disagree on the last ID column and on questions 2 and 3, and
// whose review names those and its tilt. Key: a, b, c; question 4 not graded.
struct Disagreeing {
    Disagreeing()
    {
        key[0] = "a", key[1] = "b", key[2] = "c";
        scores[0] = QuestionScore::Correct, letters[0] = "a";
        scores[1] = QuestionScore::Wrong, letters[1] = "";
        scores[2] = QuestionScore::RowRejected, letters[2] = "cd";
        second.read = true;
        second.digits = { 1, 2, 3, 4, 5, 6, 7, 9 };
        second.marked[0] = "a", second.marked[1] = "b", second.marked[2] = "c", second.marked[3] = "e";
        for (const char* item : { "id:8", "q2", "q3", "tilt" })
            review.items.push_back({ item, {}, {}, {}, ReviewReason::ReadingsDiffer, {} });
    }
    SheetReadings Readings() const { return { 12345678, scores, letters, review, second }; }

    AnswerList key;
    std::array<std::optional<QuestionScore>, kQuestionCount> scores;
    MarkedLetters letters;
    SheetReview review;
    SecondReading second;
};

Resolution Settled(const char* item, const char* value, ResolutionHow how = ResolutionHow::Typed)
{
    return { item, "?", value, how, "teacher", "2026-12-08T10:00:00.000Z", "" };
}

struct FinalCase {
    const char* what;
    std::vector<Resolution> resolutions;
    bool secondRead;
    int32_t id;
    int correct, wrong, errors, unresolved;
    const char* letters2; // question 2's final letters
};

class FinalReadingTest : public testing::TestWithParam<FinalCase> { };

TEST_P(FinalReadingTest, TakesResolutionsThenTheSecondReadingWhereTheyDisagree)
{
    const FinalCase& c = GetParam();
    Disagreeing sheet;
    sheet.second.read = c.secondRead;
    const FinalReading reading = ReadFinally(sheet.Readings(), sheet.key, c.resolutions);
    EXPECT_EQ(reading.examineeId, c.id);
    EXPECT_EQ(reading.correct, c.correct);
    EXPECT_EQ(reading.wrong, c.wrong);
    EXPECT_EQ(reading.errors, c.errors);
    EXPECT_EQ(reading.unresolved, c.unresolved);
    EXPECT_EQ(reading.letters[1], c.letters2);
    EXPECT_FALSE(reading.scores[3]) << "a question the key does not grade stays ungraded";
}

INSTANTIATE_TEST_SUITE_P(Items, FinalReadingTest,
    testing::Values(FinalCase { "nothing settled", {}, true, 12345679, 3, 0, 0, 4, "b" },
        FinalCase { "no second reading", {}, false, 12345678, 1, 1, 1, 4, "" },
        FinalCase {
            "first kept", { Settled("q2", "", ResolutionHow::First) }, true, 12345679, 2, 1, 0, 3, "" },
        FinalCase { "double mark typed", { Settled("q3", "cd") }, true, 12345679, 2, 0, 1, 3, "b" },
        FinalCase { "ID column typed", { Settled("id:8", "8") }, true, 12345678, 3, 0, 0, 3, "b" },
        FinalCase {
            "the latest holds", { Settled("q2", "b"), Settled("q2", "") }, true, 12345679, 2, 1, 0, 3, "" },
        FinalCase { "a sheet item", { Settled("tilt", "ok") }, true, 12345679, 3, 0, 0, 3, "b" },
        FinalCase { "a value no item takes", { Settled("q2", "xyz"), Settled("id:8", "") }, true, 12345679, 3,
            0, 0, 4, "b" },
        FinalCase { "an ungraded question", { Settled("q4", "a") }, true, 12345679, 3, 0, 0, 4, "b" }),
    [](const testing::TestParamInfo<FinalCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(FinalLettersTest, TakesTheSecondReadingsLettersWhereOnlyTheyDiffer)
{
    struct Case {
        const char* second; // question 2's letters in the second reading (key b, first: blank)
        bool read;
        const char* letters; // the final letters
        int wrong; // the final count of wrong answers
    };
    for (const Case& c : { Case { "d", true, "d", 1 }, Case { "d", false, "", 1 }, Case { "", true, "", 1 },
             Case { "bd", true, "bd", 0 } }) {
        Disagreeing sheet;
        sheet.scores[0] = std::nullopt, sheet.scores[2] = std::nullopt; // only question 2 graded
        sheet.second.read = c.read;
        sheet.second.marked[1] = c.second;
        const FinalReading reading = ReadFinally(sheet.Readings(), sheet.key, {});
        EXPECT_EQ(reading.letters[1], c.letters) << c.second << c.read;
        EXPECT_EQ(reading.wrong, c.wrong) << c.second << c.read;
    }
}

TEST(ResolvedValueTest, KeepsOnlyWhatFitsTheItem)
{
    struct Case {
        const char* item;
        const char* value;
        const char* kept; // nullptr: refused
    };
    const Case cases[] = { { "q12", "ba", "ab" }, { "q12", "-", "" }, { "q12", "", "" },
        { "q12", "f", nullptr }, { "q12", "A", nullptr }, { "q101", "a", nullptr }, { "q0", "a", nullptr },
        { "id:3", "7", "7" }, { "id:3", "77", nullptr }, { "id:9", "1", nullptr },
        { "tilt", "anything", "ok" }, { "name", "a", nullptr } };
    for (const Case& c : cases) {
        const Result<std::string> kept = ResolvedValue(c.item, c.value);
        EXPECT_EQ(kept.ok(), c.kept != nullptr) << c.item << " " << c.value;
        if (kept && c.kept) {
            EXPECT_EQ(*kept, c.kept) << c.item << " " << c.value;
        }
    }
}

TEST(ResolvedValueTest, ProposesWhatTheFinalReadingTakes)
{
    const Disagreeing sheet;
    EXPECT_EQ(ProposedValue(sheet.Readings(), sheet.key, "q2"), "b");
    EXPECT_EQ(ProposedValue(sheet.Readings(), sheet.key, "q1"), "a");
    EXPECT_EQ(ProposedValue(sheet.Readings(), sheet.key, "id:8"), "9");
    EXPECT_EQ(ProposedValue(sheet.Readings(), sheet.key, "id:1"), "1");
}

} // namespace
