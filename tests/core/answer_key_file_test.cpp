#include "answerkey/answer_key_file.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <tuple>
#include <utility>

namespace {

// One byte a question from question 1, '.' for no answer.
AnswerList AnswersOf(const std::string& letters)
{
    AnswerList answers;
    for (size_t q = 0; q < letters.size(); ++q)
        answers[q] = letters[q] == '.' ? "" : letters.substr(q, 1);
    return answers;
}

class AnswerKeyFileTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    const std::string m_path = m_dir.filePath("key.txt").toStdString();
};

// Answer 50 as saved, the line it is written as, and what loads back; the other
// answers are "c", so the lines after it must stay aligned.
const std::tuple<std::string, std::string, std::string> kRoundTrips[]
    = { { "b", "b  \r\n", "b" }, { "", "  \r\n", "" }, { "A", "A  \r\n", "A" },
          { "\xE0", "\xE0  \r\n", "\xE0" }, { "\t", "\t  \r\n", "\t" }, { " ", "   \r\n", "" },
          { "0", "0  \r\n", "" }, { "\n", "  \r\n", "" }, { "\r", "  \r\n", "" }, { "ab", "a  \r\n", "a" } };

TEST_F(AnswerKeyFileTest, WritesALineAQuestionAndReadsItBack)
{
    for (const auto& [saved, line, loaded] : kRoundTrips) {
        SCOPED_TRACE(testing::PrintToString(saved));
        AnswerList answers;
        answers.fill("c");
        answers[49] = saved;
        ASSERT_TRUE(WriteAnswerKeyFile(m_path, answers));
        std::string bytes;
        for (int q = 1; q <= kQuestionCount; ++q)
            bytes += q == 50 ? line : "c  \r\n";
        EXPECT_EQ(ReadFileBytes(m_path), bytes);
        answers[49] = loaded;
        const Result<AnswerList> read = ReadAnswerKeyFile(m_path);
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(*read, answers);
    }
}

// A file's bytes and the answers they give (as AnswersOf spells them).
const std::pair<std::string, std::string> kReads[] = { { "a\nb\nc\n", "abc" },
    { "a  \r\nb  \r\nc\r\n", "abc" }, { "\xEF\xBB\xBFz  \r\nb  \r\n", "zb" },
    { "a\n\xEF\xBB\xBF\n", "a\xEF" }, { "abcde  \r\nb  \r\nc\n", "abc" }, { "a\n\r\n\nd\n", "a..d" },
    { "  \r\n b\n", "" }, { "a\n0\n0bc\nd\n", "a..d" }, { "a\nb", "ab" }, { "a\r\rb\r\nc\n\nd\r", "a.bc.d" },
    { std::string(99, '\r') + "b\nc\n", std::string(99, '.') + "b" }, { std::string("a\nb\0\n", 5), "ab" },
    { "a\n" + std::string(kMaxAnswerKeyFileBytes - 2, 'b'), "ab" }, { "\xE0\xB8\x81  \r\n", "\xE0" },
    { "", "" }, { "\xEF\xBB\xBF", "" } };

TEST_F(AnswerKeyFileTest, ReadsOneLinePerQuestion)
{
    for (const auto& [bytes, letters] : kReads) {
        SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 40)));
        WriteFileBytes(m_path, bytes);
        const Result<AnswerList> answers = ReadAnswerKeyFile(m_path);
        ASSERT_TRUE(answers) << answers.message();
        EXPECT_EQ(*answers, AnswersOf(letters));
    }
}

TEST_F(AnswerKeyFileTest, FailedWriteKeepsTheOldFile)
{
    WriteFileBytes(m_path, "old key");
    Status result;
    {
        FileSizeLimit limit(16);
        result = WriteAnswerKeyFile(m_path, AnswersOf(std::string(100, 'a')));
    }
    EXPECT_FALSE(result);
    EXPECT_NE(result.message().find(m_path), std::string::npos) << result.message();
    EXPECT_EQ(ReadFileBytes(m_path), "old key");
    EXPECT_FALSE(WriteAnswerKeyFile(m_dir.filePath("no/key.txt").toStdString(), AnswerList {}));
}

} // namespace
