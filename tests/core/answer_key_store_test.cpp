#include "answerkey/answer_key_store.h"

#include "recording_message_box.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string InvalidAnswerMessage(int question)
{
    return "มีการใส่ค่าเฉลยผิดข้อกำหนด\nในข้อที่ " + std::to_string(question) + "\nจะทำให้การตรวจผิดพลาดได้";
}

std::string CountMessage(int count)
{
    return "จำนวนข้อที่จะตรวจได้ = " + std::to_string(count) + " ข้อ";
}

AnswerList MakeAnswers(const std::map<int, std::string>& byQuestion)
{
    AnswerList answers;
    for (const auto& [question, answer] : byQuestion)
        answers[static_cast<size_t>(question - 1)] = answer;
    return answers;
}

class AnswerKeyStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_enteredKey = {};
        g_committedKey = {};
        g_keyReady = false;
        g_gradingKey = {};
    }

    void Accept(const AnswerList& answers, const std::string& name = "key")
    {
        ScopedMessageBox bind(m_messages);
        AcceptAnswerKey(answers, name);
    }

    RecordingMessageBox m_messages;
};

struct AcceptCase {
    const char* label;
    std::map<int, std::string> answers;
    std::vector<int> invalidQuestions;
    int count;
};

void PrintTo(const AcceptCase& c, std::ostream* os)
{
    *os << c.label;
}

class AcceptAnswerKeyTest : public AnswerKeyStoreTest, public testing::WithParamInterface<AcceptCase> { };

TEST_P(AcceptAnswerKeyTest, ReportsEachInvalidAnswerThenTheCount)
{
    const AcceptCase& c = GetParam();
    const AnswerList answers = MakeAnswers(c.answers);
    Accept(answers, "mid-term");

    std::vector<std::string> expected;
    for (const int q : c.invalidQuestions)
        expected.push_back(InvalidAnswerMessage(q));
    expected.push_back(CountMessage(c.count));
    EXPECT_EQ(m_messages.texts, expected);
    EXPECT_EQ(g_enteredKey.count, c.count);
    EXPECT_EQ(g_enteredKey.answers, answers) << "answers are stored as given, invalid ones too";
    EXPECT_EQ(g_enteredKey.name, "mid-term");
}

INSTANTIATE_TEST_SUITE_P(Cases, AcceptAnswerKeyTest,
    testing::Values(AcceptCase { "AllEmpty", {}, {}, 0 },
        AcceptCase { "EveryLetter", { { 1, "a" }, { 2, "b" }, { 3, "c" }, { 4, "d" }, { 5, "e" } }, {}, 5 },
        AcceptCase { "GapIsSkippedNotEnd",
            { { 1, "a" }, { 2, "b" }, { 3, "c" }, { 4, "d" }, { 6, "e" }, { 7, "a" }, { 8, "b" }, { 9, "c" },
                { 10, "d" } },
            {}, 9 },
        AcceptCase { "CountsValidAnswersAnywhere", { { 2, "c" }, { 50, "a" }, { 100, "e" } }, {}, 3 },
        AcceptCase { "UpperCaseIsInvalid", { { 1, "a" }, { 2, "b" }, { 3, "A" }, { 4, "d" } }, { 3 }, 3 },
        AcceptCase { "InvalidInQuestionOrder",
            { { 2, " " }, { 7, "f" }, { 8, "0" }, { 20, "b" }, { 60, "\xE0" }, { 99, "`" }, { 100, "E" } },
            { 2, 7, 8, 60, 99, 100 }, 1 }),
    [](const testing::TestParamInfo<AcceptCase>& info) { return std::string(info.param.label); });

TEST_F(AnswerKeyStoreTest, OneMessagePerInvalidQuestionEvenForAHundred)
{
    AnswerList answers;
    answers.fill("x");
    Accept(answers);

    ASSERT_EQ(m_messages.texts.size(), 101u);
    for (int q = 1; q <= kQuestionCount; ++q)
        EXPECT_EQ(m_messages.texts[static_cast<size_t>(q - 1)], InvalidAnswerMessage(q));
    EXPECT_EQ(m_messages.texts.back(), CountMessage(0));
}

TEST_F(AnswerKeyStoreTest, HasAnswerKeyLooksOnlyAtQuestionOne)
{
    struct Case {
        std::map<int, std::string> answers;
        bool hasKey;
    };
    const Case cases[] = {
        { {}, false },
        { { { 1, "a" } }, true },
        { { { 2, "a" }, { 3, "b" } }, false },
        { { { 1, "Z" } }, true },
        { { { 1, " " } }, true },
    };
    for (const Case& c : cases) {
        Accept(MakeAnswers(c.answers));
        EXPECT_EQ(HasAnswerKey(), c.hasKey) << "question 1 holds '" << g_enteredKey.answers[0] << "'";
    }
}

TEST_F(AnswerKeyStoreTest, CommitCopiesTheEnteredKeyAndStaysReady)
{
    EXPECT_FALSE(g_keyReady);
    const AnswerList first = MakeAnswers({ { 1, "a" }, { 2, "B" }, { 3, "c" } });
    Accept(first, "first");
    EXPECT_FALSE(g_keyReady) << "accepting alone does not make the key ready";
    EXPECT_EQ(g_committedKey.answers, AnswerList {});

    CommitAnswerKey();
    EXPECT_TRUE(g_keyReady);
    EXPECT_EQ(g_committedKey.answers, first);
    EXPECT_EQ(g_committedKey.count, 2);
    EXPECT_EQ(g_committedKey.name, "first");

    Accept(AnswerList {}, "second");
    EXPECT_TRUE(g_keyReady) << "a later empty key leaves the ready flag set";
    EXPECT_EQ(g_committedKey.answers, first) << "only a commit changes the committed key";
    EXPECT_EQ(g_committedKey.name, "first");
    EXPECT_EQ(g_enteredKey.name, "second");
    EXPECT_EQ(g_enteredKey.count, 0);
}

TEST_F(AnswerKeyStoreTest, GradingCopyTakesTheEnteredKeyWithoutItsName)
{
    TakeGradingCopy();
    EXPECT_EQ(g_gradingKey.answers, AnswerList {});
    EXPECT_EQ(g_gradingKey.count, 0);

    const AnswerList answers = MakeAnswers({ { 1, "a" }, { 2, "A" }, { 3, "e" } });
    Accept(answers, "uncommitted");
    TakeGradingCopy();
    EXPECT_EQ(g_gradingKey.answers, answers) << "grading uses the entered key, committed or not";
    EXPECT_EQ(g_gradingKey.count, 2);
    EXPECT_EQ(g_gradingKey.name, "");
}

} // namespace
