#include "results/results_file.h"

#include "recording_message_box.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace {

// Sheets as (ID, correct count), recorded into a fresh register in this order.
ResultsRegister RegisterOf(const std::vector<std::pair<int32_t, int32_t>>& sheets)
{
    RecordingMessageBox quiet;
    ScopedMessageBox bind(quiet);
    ResultsRegister resultsRegister;
    for (const auto& [id, correct] : sheets) {
        resultsRegister.recordTitle("sheet");
        resultsRegister.recordId(id);
        resultsRegister.recordScores(correct, 1);
    }
    return resultsRegister;
}

struct FileCase {
    const char* label;
    std::vector<std::pair<int32_t, int32_t>> sheets;
    std::string bytes;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.label;
}

class ResultsFileTest : public testing::TestWithParam<FileCase> { };

TEST_P(ResultsFileTest, OneLinePerRowWithAnId)
{
    EXPECT_EQ(FormatResultsFile(RegisterOf(GetParam().sheets)), GetParam().bytes);
}

std::vector<std::pair<int32_t, int32_t>> ThirtyOneSheets()
{
    std::vector<std::pair<int32_t, int32_t>> sheets;
    for (int32_t sheet = 1; sheet <= 31; ++sheet)
        sheets.emplace_back(1000 + sheet, sheet);
    return sheets;
}

INSTANTIATE_TEST_SUITE_P(Registers, ResultsFileTest,
    testing::Values(FileCase { "Empty", {}, "" },
        FileCase { "RowsWithIdZeroLeftOut", { { 12345678, 37 }, { 0, 12 }, { 5, 40 } },
            "12345678  = 37 \r\n5  = 40 \r\n" },
        FileCase { "LeadingZerosAreNotWritten", { { 12345, 0 } }, "12345  = 0 \r\n" },
        FileCase { "DuplicateIdsKept", { { 42, 10 }, { 42, 11 } }, "42  = 10 \r\n42  = 11 \r\n" },
        FileCase { "LargestId", { { 99999999, 100 } }, "99999999  = 100 \r\n" },
        FileCase { "WrappedRegisterInRowOrder", ThirtyOneSheets(),
            [] {
                std::string bytes = "1031  = 31 \r\n";
                for (int sheet = 2; sheet <= 30; ++sheet)
                    bytes += std::to_string(1000 + sheet) + "  = " + std::to_string(sheet) + " \r\n";
                return bytes;
            }() }),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.label); });

class ResultsFileWriteTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const
    {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(ResultsFileWriteTest, WritesTheLinesAndReplacesEarlierContent)
{
    const std::string path = PathOf("ผลคะแนน.txt");
    WriteFileBytes(path, "earlier content that is longer than the new one\r\n");
    ASSERT_TRUE(WriteResultsFile(path, RegisterOf({ { 7, 3 } })));
    EXPECT_EQ(ReadFileBytes(path), "7  = 3 \r\n");

    ASSERT_TRUE(WriteResultsFile(path, ResultsRegister()));
    EXPECT_EQ(ReadFileBytes(path), "") << "an empty register empties the file";
}

TEST_F(ResultsFileWriteTest, FailedWriteKeepsTheOldFile)
{
    const std::string path = PathOf("results.txt");
    WriteFileBytes(path, "1  = 1 \r\n");
    const ResultsRegister resultsRegister = RegisterOf({ { 12345678, 37 }, { 87654321, 40 } });
    Status result;
    {
        FileSizeLimit limit(8);
        result = WriteResultsFile(path, resultsRegister);
    }
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.message().empty());
    EXPECT_EQ(ReadFileBytes(path), "1  = 1 \r\n");
}

} // namespace
