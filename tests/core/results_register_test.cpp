#include "results/results_file.h"
#include "results/results_register.h"

#include "recording_message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Sheets = std::vector<std::pair<int32_t, int32_t>>; // (ID, correct count) in the order graded

Sheets Numbered(int32_t first, int32_t last)
{
    Sheets sheets;
    for (int32_t sheet = first; sheet <= last; ++sheet)
        sheets.emplace_back(sheet, sheet + 10);
    return sheets;
}

auto Fields(const SheetResult& row)
{
    return std::tuple(row.title, row.examineeId, row.correctCount, row.errorCount);
}

class ResultsRegisterTest : public testing::Test {
protected:
    // Records the sheets as a check does (title, ID through the engine's hand-off,
    // counts); gives the number of warnings each ID brought, one digit a sheet.
    std::string Grade(const Sheets& sheets)
    {
        std::string warnings;
        for (const auto& [id, correct] : sheets) {
            RecordingMessageBox messages;
            ScopedMessageBox bind(messages);
            m_register.recordTitle("sheet" + std::to_string(id));
            ScoreRecorder& recorder = m_register;
            recorder.RecordId(id);
            recorder.RecordScores({ correct, 0, id % 3, id % 2 == 0 });
            for (const std::string& text : messages.texts)
                EXPECT_EQ(text, "คำเตือน ค่าแสดงผลใกล้เต็ม\nควร reseะ เพื่อป้องกัน\nการแสดงผลผิดพลาด");
            warnings += std::to_string(messages.texts.size());
        }
        return warnings;
    }

    ResultsRegister m_register;
};

TEST_F(ResultsRegisterTest, WarnsForEachOfTheLastTwoRowsInUse)
{
    Sheets zeroInLastRows = Numbered(1, 28);
    zeroInLastRows.insert(zeroInLastRows.end(), { { 0, 1 }, { 30, 1 }, { 0, 1 } });
    const std::pair<Sheets, std::string> cases[] = { { Numbered(1, 31), std::string(28, '0') + "122" },
        { zeroInLastRows, std::string(28, '0') + "011" } };
    for (const auto& [sheets, warnings] : cases) {
        m_register.reset();
        EXPECT_EQ(Grade(sheets), warnings);
    }
}

TEST_F(ResultsRegisterTest, WrapsToRowZeroKeepingEachSheetInOneRow)
{
    Grade(Numbered(1, 31));
    EXPECT_EQ(std::tuple(m_register.titleCursor(), m_register.idCursor(), m_register.scoreCursor()),
        std::tuple(1, 1, 1));
    for (int r = 0; r < ResultsRegister::kRows; ++r) {
        const int32_t sheet = r == 0 ? 31 : r + 1;
        EXPECT_EQ(Fields(m_register.row(r)),
            std::tuple("sheet" + std::to_string(sheet), sheet, sheet + 10, sheet % 3));
    }
    EXPECT_EQ(Fields(m_register.row(-1)), Fields({}));
    EXPECT_EQ(Fields(m_register.row(ResultsRegister::kRows)), Fields({}));
}

TEST_F(ResultsRegisterTest, ResultsFileHasALinePerRowWithAnId)
{
    std::string wrapped = "31  = 41 \r\n";
    for (int sheet = 2; sheet <= 30; ++sheet)
        wrapped += std::to_string(sheet) + "  = " + std::to_string(sheet + 10) + " \r\n";
    const std::pair<Sheets, std::string> cases[] = { { {}, "" },
        { { { 12345678, 37 }, { 0, 12 }, { 5, 40 } }, "12345678  = 37 \r\n5  = 40 \r\n" },
        { { { 12345, 0 } }, "12345  = 0 \r\n" }, { { { 42, 10 }, { 42, 11 } }, "42  = 10 \r\n42  = 11 \r\n" },
        { { { 99999999, 100 } }, "99999999  = 100 \r\n" }, { Numbered(1, 31), wrapped } };
    for (const auto& [sheets, bytes] : cases) {
        m_register.reset();
        Grade(sheets);
        EXPECT_EQ(FormatResultsFile(m_register), bytes);
    }
}

} // namespace
