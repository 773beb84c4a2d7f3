#include "framework/safe_file_write.h"
#include "results/class_slips.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The pages whose content is in the file: a page leaves once the next one begins.
int PagesIn(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

class SlipsStream : public testing::TestWithParam<int> { };

// Slips leave for their file as they are drawn, through the one atomic writer, so a class
// of any size is never held whole; the file is the target only once committed.
TEST_P(SlipsStream, PagesLeaveAsTheyAreDrawn)
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = { name, nullptr };
    // For the fonts; kept to the end, as the fonts it loads are, so nothing reads as leaked.
    static const QGuiApplication* app = new QGuiApplication(argc, argv);
    ASSERT_TRUE(app);
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("slips.pdf")).toStdString();
    AtomicFileWriter file(path);
    ASSERT_TRUE(file.Open());
    const int sheets = GetParam();
    {
        pdf::WriterDevice device(file);
        ClassSlips slips(AnswerList { "a", "b" }, device);
        ClassSheetRow row;
        row.graded = true;
        for (int s = 0; s < sheets; ++s)
            slips.Add(row);
        device.close(); // hands over what the PDF gave it so far
        const QStringList scratch
            = QDir(dir.path())
                  .entryList({ QStringLiteral(".slips.pdf.vantrel-*") }, QDir::Files | QDir::Hidden);
        ASSERT_EQ(scratch.size(), 1);
        EXPECT_EQ(PagesIn(dir.filePath(scratch.front()).toStdString()), (sheets - 1) / 3);
        device.open(QIODevice::WriteOnly);
        ASSERT_TRUE(slips.Finish());
    }
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(PagesIn(path), (sheets + 2) / 3);
}

INSTANTIATE_TEST_SUITE_P(Sheets, SlipsStream, testing::Values(1, 3, 4, 7, 31));

} // namespace
