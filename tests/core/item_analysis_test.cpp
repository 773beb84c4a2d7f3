#include "results/item_analysis.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

// Sheets as the letters marked in questions 1 to 5; capitals: the row was rejected.
// A keyed row is correct when exactly its key letter is marked.
std::vector<GradedAnswers> SheetsOf(
    const AnswerList& key, const std::vector<std::array<const char*, 5>>& rows)
{
    std::vector<GradedAnswers> sheets;
    for (const auto& row : rows) {
        GradedAnswers sheet;
        for (size_t q = 0; q < row.size(); ++q) {
            std::string marked = row[q];
            const bool rejected = !marked.empty() && std::isupper(static_cast<unsigned char>(marked[0]));
            for (char& c : marked)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            sheet.marked[q] = marked;
            if (!key[q].empty())
                sheet.scores[q] = rejected ? QuestionScore::RowRejected
                    : marked == key[q]     ? QuestionScore::Correct
                                           : QuestionScore::Wrong;
        }
        sheets.push_back(sheet);
    }
    return sheets;
}

struct ExpectedItem {
    int32_t question;
    double difficulty, discrimination, pointBiserial;
    std::array<int32_t, 5> letters;
    int32_t blank, rejected;
    bool checkKey;
};

// Worked by hand. Totals 2 3 2 2 2 1: mean 2, median 2, SD sqrt(1/3); upper group
// (27 % of 6 = 2) sheets 2 and 1, lower group sheets 5 and 6. Question 4 favours the
// weak sheets (D = -0.5); in question 5 the upper group chose e twice and the key d never.
TEST(ItemAnalysis, MatchesAClassWorkedByHand)
{
    const AnswerList key { "a", "b", "", "c", "d" };
    const ItemAnalysis analysis = AnalyseItems(key,
        SheetsOf(key,
            {
                { "a", "b", "e", "d", "e" },
                { "a", "b", "", "c", "e" },
                { "a", "", "", "d", "d" },
                { "b", "b", "", "CD", "d" },
                { "a", "c", "", "c", "" },
                { "AB", "a", "", "c", "a" },
            }));
    const ExpectedItem expected[] = {
        { 1, 4 / 6.0, 0.5, 0.61237, { 5, 2, 0, 0, 0 }, 0, 1, false },
        { 2, 0.5, 1.0, 0.57735, { 1, 3, 1, 0, 0 }, 1, 0, false },
        { 4, 0.5, -0.5, 0.0, { 0, 0, 4, 3, 0 }, 0, 1, true },
        { 5, 2 / 6.0, 0.0, 0.0, { 1, 0, 0, 2, 2 }, 1, 0, true },
    };
    ASSERT_EQ(analysis.items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ItemStatistics& item = analysis.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE(want.question);
        EXPECT_EQ(item.question, want.question);
        EXPECT_EQ(item.key, key[static_cast<size_t>(want.question - 1)][0]);
        EXPECT_NEAR(item.difficulty, want.difficulty, 1e-9);
        EXPECT_NEAR(item.discrimination, want.discrimination, 1e-9);
        ASSERT_TRUE(item.pointBiserial.has_value());
        EXPECT_NEAR(*item.pointBiserial, want.pointBiserial, 1e-5);
        EXPECT_EQ(item.letterCounts, want.letters);
        EXPECT_EQ(item.blank, want.blank);
        EXPECT_EQ(item.rejected, want.rejected);
        EXPECT_EQ(item.checkKey, want.checkKey);
    }
    const TestStatistics& test = analysis.test;
    EXPECT_EQ(test.sheets, 6);
    EXPECT_EQ(test.questions, 4);
    EXPECT_DOUBLE_EQ(test.mean, 2.0);
    EXPECT_DOUBLE_EQ(test.median, 2.0);
    EXPECT_NEAR(test.standardDeviation, 0.57735, 1e-5);
    EXPECT_EQ(test.lowest, 1);
    EXPECT_EQ(test.highest, 3);
    // 4/3 × (1 − (2/9 + 1/4 + 1/4 + 2/9) / (1/3)) = −22/9
    ASSERT_TRUE(test.kr20.has_value());
    EXPECT_NEAR(*test.kr20, -22 / 9.0, 1e-9);
    EXPECT_EQ(ItemsCsvRow(analysis.items[2]), "4,c,0.5000,-0.5000,0.0000,0,0,4,3,0,0,1,check the key\n");
}

// Where a figure cannot exist it is left out, and no figure is made of nothing.
TEST(ItemAnalysis, LeavesOutWhatOneSheetCannotMeasure)
{
    const AnswerList key { "a", "b" };
    const ItemAnalysis one = AnalyseItems(key, SheetsOf(key, { { "a", "c", "", "", "" } }));
    ASSERT_EQ(one.items.size(), 2u);
    EXPECT_FALSE(one.items[0].pointBiserial.has_value());
    EXPECT_DOUBLE_EQ(one.items[0].discrimination, 0.0);
    EXPECT_FALSE(one.items[0].checkKey);
    EXPECT_TRUE(one.items[1].checkKey); // the one sheet, the upper group, chose c over b
    EXPECT_FALSE(one.test.kr20.has_value());
    EXPECT_EQ(ItemsCsvRow(one.items[0]), "1,a,1.0000,0.0000,,1,0,0,0,0,0,0,\n");

    const ItemAnalysis none = AnalyseItems(key, {});
    EXPECT_EQ(none.items.size(), 2u);
    EXPECT_EQ(none.test.sheets, 0);
    EXPECT_FALSE(none.test.kr20.has_value());
}

} // namespace
