#include "answerkey/answer_key_file.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <map>
#include <string>

namespace {

class AnswerKeyFileTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const
    {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

    QTemporaryDir m_dir;
};

std::string Repeat(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

TEST_F(AnswerKeyFileTest, WritesALineForEveryQuestion)
{
    AnswerList answers;
    answers[0] = "a";
    answers[1] = "b";
    answers[2] = "c";
    const std::string path = PathOf("key.txt");
    ASSERT_TRUE(WriteAnswerKeyFile(path, answers));

    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 3u * 5 + 97u * 4);
    EXPECT_EQ(bytes, "a  \r\nb  \r\nc  \r\n" + Repeat("  \r\n", 97));
}

// What one answer becomes after a save and a load; question 51 checks that the
// lines after it stay aligned.
struct AnswerRoundTrip {
    const char* label;
    std::string saved;
    std::string loaded;
};

void PrintTo(const AnswerRoundTrip& c, std::ostream* os)
{
    *os << c.label;
}

class AnswerRoundTripTest : public AnswerKeyFileTest, public testing::WithParamInterface<AnswerRoundTrip> { };

TEST_P(AnswerRoundTripTest, LoadsBackAsExpected)
{
    AnswerList saved;
    saved.fill("c");
    saved[49] = GetParam().saved;
    saved[50] = "e";
    const std::string path = PathOf("key.txt");
    ASSERT_TRUE(WriteAnswerKeyFile(path, saved));

    const Result<AnswerList> loaded = ReadAnswerKeyFile(path);
    ASSERT_TRUE(loaded) << loaded.message();
    AnswerList expected = saved;
    expected[49] = GetParam().loaded;
    EXPECT_EQ(*loaded, expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, AnswerRoundTripTest,
    testing::Values(AnswerRoundTrip { "Letter", "b", "b" }, AnswerRoundTrip { "Empty", "", "" },
        AnswerRoundTrip { "UpperCase", "A", "A" }, AnswerRoundTrip { "NonAsciiByte", "\xE0", "\xE0" },
        AnswerRoundTrip { "Tab", "\t", "\t" }, AnswerRoundTrip { "SpaceMeansNoAnswer", " ", "" },
        AnswerRoundTrip { "ZeroIsNoAnswer", "0", "" },
        AnswerRoundTrip { "LineFeedCannotBreakTheLine", "\n", "" },
        AnswerRoundTrip { "CarriageReturn", "\r", "" },
        AnswerRoundTrip { "LongerAnswerKeepsItsFirstByte", "ab", "a" }),
    [](const testing::TestParamInfo<AnswerRoundTrip>& info) { return std::string(info.param.label); });

// A file's bytes and the answers it gives; every other question has none.
struct ReaderCase {
    const char* label;
    std::string bytes;
    std::map<int, std::string> answers;
};

void PrintTo(const ReaderCase& c, std::ostream* os)
{
    *os << c.label;
}

class ReaderCaseTest : public AnswerKeyFileTest, public testing::WithParamInterface<ReaderCase> { };

TEST_P(ReaderCaseTest, ReadsOneLinePerQuestion)
{
    const std::string path = PathOf("key.txt");
    WriteFileBytes(path, GetParam().bytes);
    const Result<AnswerList> answers = ReadAnswerKeyFile(path);
    ASSERT_TRUE(answers) << answers.message();

    AnswerList expected;
    for (const auto& [question, answer] : GetParam().answers)
        expected[static_cast<size_t>(question - 1)] = answer;
    EXPECT_EQ(*answers, expected);
}

INSTANTIATE_TEST_SUITE_P(Files, ReaderCaseTest,
    testing::Values(ReaderCase { "LineFeedOnly", "a\nb\nc\n", { { 1, "a" }, { 2, "b" }, { 3, "c" } } },
        ReaderCase {
            "CarriageReturnLineFeed", "a  \r\nb  \r\nc\r\n", { { 1, "a" }, { 2, "b" }, { 3, "c" } } },
        ReaderCase { "ByteOrderMark",
            "\xEF\xBB\xBF"
            "a  \r\nb  \r\n",
            { { 1, "a" }, { 2, "b" } } },
        ReaderCase { "ByteOrderMarkOnlyAtTheStart", "a\n\xEF\xBB\xBF\n", { { 1, "a" }, { 2, "\xEF" } } },
        ReaderCase {
            "LongLineIsOneQuestion", "abcde  \r\nb  \r\nc\n", { { 1, "a" }, { 2, "b" }, { 3, "c" } } },
        ReaderCase { "EmptyLines", "a\n\r\n\nd\n", { { 1, "a" }, { 2, "" }, { 3, "" }, { 4, "d" } } },
        ReaderCase { "LeadingSpace", "  \r\n b\n", { { 1, "" }, { 2, "" } } },
        ReaderCase { "ZeroLineIsNoAnswer", "a\n0\n0bc\nd\n", { { 1, "a" }, { 4, "d" } } },
        ReaderCase { "LastLineWithoutLineEnd", "a\nb", { { 1, "a" }, { 2, "b" } } },
        ReaderCase {
            "MixedLineEnds", "a\r\rb\r\nc\n\nd\r", { { 1, "a" }, { 3, "b" }, { 4, "c" }, { 6, "d" } } },
        ReaderCase { "LinesAfterTheHundredthAreIgnored", Repeat("\r", 99) + "b\nc\n", { { 100, "b" } } },
        ReaderCase { "NulAfterTheFirstLine", std::string("a\nb\0\n", 5), { { 1, "a" }, { 2, "b" } } },
        ReaderCase { "AsLongAsAKeyMayBe", "a\n" + std::string(kMaxAnswerKeyFileBytes - 2, 'b'),
            { { 1, "a" }, { 2, "b" } } },
        ReaderCase { "FirstByteOfAThaiLetter", "\xE0\xB8\x81  \r\n", { { 1, "\xE0" } } },
        ReaderCase { "EmptyFile", "", {} }, ReaderCase { "OnlyAByteOrderMark", "\xEF\xBB\xBF", {} }),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.label); });

TEST_F(AnswerKeyFileTest, RefusesWhatIsNoKeyFileAndSaysWhy)
{
    WriteFileBytes(PathOf("long.txt"), Repeat("a\n", kMaxAnswerKeyFileBytes / 2) + "\n");
    WriteFileBytes(PathOf("nul.txt"), std::string("a\0\nb\n", 5));
    WriteFileBytes(PathOf("tiff.txt"), std::string("II*\0\x08\n", 6));
    const std::pair<std::string, std::string> cases[] = {
        { PathOf("missing.txt"), "No such file or directory" },
        { m_dir.path().toStdString(), "Is a directory" },
        { "/dev/zero", "longer than 64 KiB" },
        { PathOf("long.txt"), "longer than 64 KiB" },
        { PathOf("nul.txt"), "NUL byte in its first line" },
        { PathOf("tiff.txt"), "NUL byte in its first line" },
    };
    for (const auto& [path, reason] : cases) {
        const Result<AnswerList> read = ReadAnswerKeyFile(path);
        ASSERT_FALSE(read) << path;
        EXPECT_NE(read.message().find(path), std::string::npos) << read.message();
        EXPECT_NE(read.message().find(reason), std::string::npos) << read.message();
    }
}

TEST_F(AnswerKeyFileTest, FailedWriteKeepsTheOldFile)
{
    const std::string path = PathOf("key.txt");
    WriteFileBytes(path, "old key");
    AnswerList answers;
    answers.fill("a");
    Status result;
    {
        FileSizeLimit limit(16);
        result = WriteAnswerKeyFile(path, answers);
    }
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.message().empty());
    EXPECT_EQ(ReadFileBytes(path), "old key");

    EXPECT_FALSE(WriteAnswerKeyFile(PathOf("no-such-folder/key.txt"), answers));
}

} // namespace
