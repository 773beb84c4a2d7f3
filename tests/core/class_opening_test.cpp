#include "grading/class_opening.h"
#include "grading/class_record.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace {

// A measured sheet whose every question holds other figures, so a row read into the
// wrong question, or a figure into the wrong field, shows.
GradedSheet DrawnSheet(int n)
{
    GradedSheet sheet;
    sheet.page = { "scan" + std::to_string(n) + ".jpg", 0, 1, {}, 0 };
    sheet.file = sheet.page.Name();
    sheet.fingerprint = { std::string(64, static_cast<char>('a' + n)), 1000 + n, 5 };
    sheet.status = SheetStatus::Reported;
    sheet.measured = true;
    sheet.first.examineeId = 10000000 + n;
    sheet.second.read = true;
    const char* const letters[] = { "", "a", "bd", "e", "abcde" };
    for (size_t q = 0; q < kQuestionCount; ++q) {
        QuestionMeasure& measure = sheet.measures.questions[q];
        for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
            measure.boxBlack[letter] = static_cast<int>((q * 7 + letter * 13 + n) % 400);
            sheet.second.answerInk[q][letter] = static_cast<int>((q * 11 + letter * 3 + n) % 255) - 20;
        }
        measure.rowRejected = q % 9 == 0;
        measure.rowMargin = measure.rowRejected ? 0 : static_cast<int>(q % 5) - 1;
        sheet.first.letters[q] = letters[(q + n) % 5];
        sheet.second.marked[q] = letters[(q + 2 * n) % 5];
        sheet.second.answerDoubt[q] = static_cast<MarkDoubt>((q + n) % kMarkDoubtCount);
    }
    return sheet;
}

void ExpectSameQuestions(const GradedSheet& read, const GradedSheet& drawn)
{
    for (size_t q = 0; q < kQuestionCount; ++q) {
        SCOPED_TRACE(drawn.file + " question " + std::to_string(q + 1));
        EXPECT_EQ(read.measures.questions[q].boxBlack, drawn.measures.questions[q].boxBlack);
        EXPECT_EQ(read.measures.questions[q].rowRejected, drawn.measures.questions[q].rowRejected);
        EXPECT_EQ(read.measures.questions[q].rowMargin, drawn.measures.questions[q].rowMargin);
        EXPECT_EQ(read.second.answerInk[q], drawn.second.answerInk[q]);
        EXPECT_EQ(read.first.letters[q], drawn.first.letters[q]);
        EXPECT_EQ(read.second.marked[q], drawn.second.marked[q]);
        EXPECT_EQ(read.second.answerDoubt[q], drawn.second.answerDoubt[q]);
    }
}

class ClassOpeningTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        Result<std::unique_ptr<ClassRecord>> record = ClassRecord::Open(m_path, true);
        ASSERT_TRUE(record) << record.message();
        AnswerKey key;
        key.answers.fill("c");
        key.count = kQuestionCount;
        ASSERT_TRUE((*record)->AddKey(key, "grade"));
        for (int n = 0; n < 3; ++n)
            ASSERT_TRUE((*record)->Add(DrawnSheet(n)));
    }

    // The class read back through what the class window opens it with; the record's
    // refusal when it is not opened.
    Result<OpenedClass> Reopen(const std::string& path)
    {
        Result<std::unique_ptr<ClassRecord>> record = ClassRecord::Open(path, false);
        return record ? ReadClass(**record) : Result<OpenedClass>(record.status());
    }

    QTemporaryDir m_folder;
    std::string m_path = m_folder.filePath("class.vantrel").toStdString();
};

// Both ways a record keeps the question rows, packed and as rows (a record of an earlier
// build), read back as written.
TEST_F(ClassOpeningTest, ReadsEveryQuestionBackAsWritten)
{
    const std::string rowsOnly = m_folder.filePath("rows.vantrel").toStdString();
    std::filesystem::copy_file(m_path, rowsOnly);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(rowsOnly.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "DROP TABLE packed_questions", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    for (const std::string& path : { m_path, rowsOnly }) {
        SCOPED_TRACE(path);
        const Result<OpenedClass> opened = Reopen(path);
        ASSERT_TRUE(opened) << opened.message();
        ASSERT_EQ(opened->sheets.size(), 3u);
        for (int n = 0; n < 3; ++n)
            ExpectSameQuestions(opened->sheets[static_cast<size_t>(n)], DrawnSheet(n));
    }
}

// Whichever page of the file is damaged, the class is not opened: the pages a class is
// read from are not all its pages.
TEST_F(ClassOpeningTest, RefusesARecordDamagedAnywhere)
{
    constexpr std::streamoff kPage = 4096;
    const auto pages = static_cast<std::streamoff>(std::filesystem::file_size(m_path)) / kPage;
    ASSERT_GT(pages, 5);
    for (std::streamoff page = 1; page < pages; ++page) {
        const std::string damaged = m_folder.filePath(QString("damaged%1.vantrel").arg(page)).toStdString();
        std::filesystem::copy_file(m_path, damaged);
        std::fstream(damaged, std::ios::in | std::ios::out | std::ios::binary)
            .seekp(page * kPage)
            .write(std::string(kPage, 'X').data(), kPage);
        EXPECT_FALSE(Reopen(damaged)) << "page " << page << " of " << pages;
    }
}

} // namespace
