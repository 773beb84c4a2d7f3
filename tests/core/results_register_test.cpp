#include "results/results_register.h"

#include "recording_message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kNearlyFull = "คำเตือน ค่าแสดงผลใกล้เต็ม\nควร reseะ เพื่อป้องกัน\nการแสดงผลผิดพลาด";

class ResultsRegisterTest : public testing::Test {
protected:
    // One sheet as a check records it: title, then ID, then the counts through the
    // engine's hand-off. Returns the warnings the ID brought.
    std::vector<std::string> GradeSheet(
        int32_t id, int32_t correct = 0, int32_t errors = 0, bool reported = true)
    {
        RecordingMessageBox messages;
        ScopedMessageBox bind(messages);
        m_register.recordTitle("sheet" + std::to_string(id));
        ScoreRecorder& recorder = m_register;
        recorder.RecordId(id);
        recorder.RecordScores({ correct, 0, errors, reported });
        return messages.texts;
    }

    void ExpectCursors(int row) const
    {
        EXPECT_EQ(m_register.titleCursor(), row);
        EXPECT_EQ(m_register.idCursor(), row);
        EXPECT_EQ(m_register.scoreCursor(), row);
    }

    void ExpectEmpty() const
    {
        ExpectCursors(0);
        for (int r = 0; r < ResultsRegister::kRows; ++r) {
            const SheetResult row = m_register.row(r);
            EXPECT_EQ(row.title, "");
            EXPECT_EQ(row.examineeId, 0);
            EXPECT_EQ(row.correctCount, 0);
            EXPECT_EQ(row.errorCount, 0);
        }
    }

    ResultsRegister m_register;
};

TEST_F(ResultsRegisterTest, FillsRowsThenWarnsAsTheLastTwoAreUsed)
{
    ExpectEmpty();
    for (int sheet = 1; sheet <= 28; ++sheet) {
        EXPECT_TRUE(GradeSheet(sheet, sheet + 10, sheet % 3).empty()) << "sheet " << sheet;
        ExpectCursors(sheet);
    }
    EXPECT_EQ(GradeSheet(29, 39), std::vector<std::string> { kNearlyFull });
    EXPECT_EQ(GradeSheet(30, 40), std::vector<std::string>(2, kNearlyFull));
    ExpectCursors(0);

    for (int r = 0; r < ResultsRegister::kRows; ++r) {
        const SheetResult row = m_register.row(r);
        EXPECT_EQ(row.title, "sheet" + std::to_string(r + 1));
        EXPECT_EQ(row.examineeId, r + 1);
        EXPECT_EQ(row.correctCount, r + 11);
    }
    EXPECT_EQ(m_register.row(4).errorCount, 5 % 3);
}

TEST_F(ResultsRegisterTest, WrapsToRowZeroAndKeepsWarning)
{
    for (int sheet = 1; sheet <= 30; ++sheet)
        GradeSheet(sheet, 1);
    EXPECT_EQ(GradeSheet(31, 50, 2), std::vector<std::string>(2, kNearlyFull));
    ExpectCursors(1);

    const SheetResult first = m_register.row(0);
    EXPECT_EQ(first.title, "sheet31");
    EXPECT_EQ(first.examineeId, 31);
    EXPECT_EQ(first.correctCount, 50);
    EXPECT_EQ(first.errorCount, 2);
    EXPECT_EQ(m_register.row(1).examineeId, 2);
    EXPECT_EQ(m_register.row(29).examineeId, 30);
}

TEST_F(ResultsRegisterTest, IdZeroInALastRowRaisesNoWarningForIt)
{
    for (int sheet = 1; sheet <= 28; ++sheet)
        GradeSheet(sheet);
    EXPECT_TRUE(GradeSheet(0).empty());
    EXPECT_EQ(GradeSheet(30), std::vector<std::string> { kNearlyFull });
    EXPECT_EQ(GradeSheet(0), std::vector<std::string> { kNearlyFull }) << "row 29 alone still warns";
}

TEST_F(ResultsRegisterTest, ResetEmptiesEverything)
{
    for (int sheet = 1; sheet <= 35; ++sheet)
        GradeSheet(sheet, 7, 1);
    m_register.reset();
    ExpectEmpty();
    EXPECT_TRUE(GradeSheet(36, 9).empty());
    EXPECT_EQ(m_register.row(0).examineeId, 36);
    EXPECT_EQ(m_register.row(0).correctCount, 9);
}

TEST_F(ResultsRegisterTest, UnreportedSheetKeepsTitleIdAndCountsInOneRow)
{
    GradeSheet(11, 20, 1, true);
    GradeSheet(22, 5, 3, false);
    GradeSheet(33, 30, 0, true);
    ExpectCursors(3);

    const SheetResult unreported = m_register.row(1);
    EXPECT_EQ(unreported.title, "sheet22");
    EXPECT_EQ(unreported.examineeId, 22);
    EXPECT_EQ(unreported.correctCount, 5);
    EXPECT_EQ(unreported.errorCount, 3);
    EXPECT_EQ(m_register.row(2).examineeId, 33);
    EXPECT_EQ(m_register.row(2).correctCount, 30);
}

TEST_F(ResultsRegisterTest, RowsOutsideTheRegisterReadEmpty)
{
    GradeSheet(5, 5);
    EXPECT_EQ(m_register.row(-1).examineeId, 0);
    EXPECT_EQ(m_register.row(ResultsRegister::kRows).examineeId, 0);
}

} // namespace
