// Qt's allocation limit is process-wide; loading one sheet must not leave it
// fitted to that sheet, or a larger image decoding on another thread (the batch
// grader's next sheet) would be refused.

#include "image_test_support.h"

#include <QImageReader>

namespace {

TEST_F(ImageFileTest, LoadingASmallSheetLeavesRoomForALargerImage)
{
    const std::string small = PathOf("small.png");
    const std::string large = PathOf("large.png");
    QImage tiny(8, 8, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    WriteBytes(small, Encode(tiny, "png"));
    QImage big(2500, 1800, QImage::Format_RGB32); // 18 MB as decoded
    big.fill(Qt::white);
    WriteBytes(large, Encode(big, "png"));

    SheetImage sheet;
    ASSERT_TRUE(sheet.LoadFromFile(small).ok());

    QImageReader reader(QString::fromStdString(large));
    QImage decoded;
    EXPECT_TRUE(reader.read(&decoded)) << reader.errorString().toStdString();
    ASSERT_TRUE(sheet.LoadFromFile(large).ok());
    EXPECT_EQ(sheet.GetWidth(), 2500);
}

} // namespace
