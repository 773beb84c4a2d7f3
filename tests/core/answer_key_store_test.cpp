#include "answerkey/answer_key_store.h"

#include "recording_message_box.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

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
        g_enteredKey = g_committedKey = g_gradingKey = {};
        g_keyReady = false;
    }

    void Accept(const AnswerList& answers, const std::string& name = "key")
    {
        m_messages.texts.clear();
        ScopedMessageBox bind(m_messages);
        AcceptAnswerKey(answers, name);
    }

    RecordingMessageBox m_messages;
};

// Answers by question, the questions reported invalid, the count of valid answers, and
// whether there is a key (anything in question 1).
struct AcceptCase {
    std::map<int, std::string> answers;
    std::vector<int> invalid;
    int count;
    bool hasKey;
};
const AcceptCase kAcceptCases[]
    = { { {}, {}, 0, false }, { { { 1, "a" }, { 2, "b" }, { 3, "c" }, { 4, "d" }, { 5, "e" } }, {}, 5, true },
          { { { 1, "a" }, { 2, "b" }, { 4, "d" }, { 6, "e" }, { 10, "d" } }, {}, 5, true },
          { { { 2, "c" }, { 50, "a" }, { 100, "e" } }, {}, 3, false }, { { { 1, "Z" } }, { 1 }, 0, true },
          { { { 1, "a" }, { 3, "A" }, { 4, "d" } }, { 3 }, 2, true },
          { { { 1, " " }, { 7, "f" }, { 8, "0" }, { 20, "b" }, { 60, "\xE0" }, { 99, "`" }, { 100, "E" } },
              { 1, 7, 8, 60, 99, 100 }, 1, true } };

TEST_F(AnswerKeyStoreTest, ReportsEachInvalidAnswerThenTheCount)
{
    for (const AcceptCase& c : kAcceptCases) {
        SCOPED_TRACE(c.count);
        Accept(MakeAnswers(c.answers), "mid-term");
        std::vector<std::string> expected;
        for (const int q : c.invalid)
            expected.push_back(
                "มีการใส่ค่าเฉลยผิดข้อกำหนด\nในข้อที่ " + std::to_string(q) + "\nจะทำให้การตรวจผิดพลาดได้");
        expected.push_back("จำนวนข้อที่จะตรวจได้ = " + std::to_string(c.count) + " ข้อ");
        EXPECT_EQ(m_messages.texts, expected);
        EXPECT_EQ(g_enteredKey.count, c.count);
        EXPECT_EQ(g_enteredKey.answers, MakeAnswers(c.answers)) << "invalid answers are kept as given";
        EXPECT_EQ(g_enteredKey.name, "mid-term");
        EXPECT_EQ(HasAnswerKey(), c.hasKey);
    }
}

TEST_F(AnswerKeyStoreTest, CommitAndGradingCopyTakeTheEnteredKey)
{
    const AnswerList first = MakeAnswers({ { 1, "a" }, { 2, "B" }, { 3, "c" } });
    Accept(first, "first");
    EXPECT_FALSE(g_keyReady) << "accepting alone does not make the key ready";
    CommitAnswerKey();
    EXPECT_TRUE(g_keyReady);
    EXPECT_EQ(g_committedKey.answers, first);
    EXPECT_EQ(g_committedKey.count, 2);
    EXPECT_EQ(g_committedKey.name, "first");

    const AnswerList second = MakeAnswers({ { 1, "e" }, { 2, "A" } });
    Accept(second, "second");
    EXPECT_TRUE(g_keyReady) << "a later key leaves the ready flag set";
    EXPECT_EQ(g_committedKey.answers, first) << "only a commit changes the committed key";
    TakeGradingCopy();
    EXPECT_EQ(g_gradingKey.answers, second) << "grading uses the entered key, committed or not";
    EXPECT_EQ(g_gradingKey.count, 1);
    EXPECT_EQ(g_gradingKey.name, "") << "the grading copy takes no name";
}

} // namespace
