// Damaged sheets are refused as damaged, never decoded with grey where data is
// missing; headers announcing more pixels than the file could hold are refused
// before any pixel memory is taken.

#include "image_test_support.h"

#include <QProcess>

#include <functional>

namespace {

// A generated sheet as its JPEG, or re-encoded as a GIF.
std::string SheetBytes(const char* format)
{
    QTemporaryDir folder;
    const QString jpg = folder.filePath("s.jpg"), gif = folder.filePath("s.gif");
    QProcess::execute(
        VANTREL_SHEET_TOOL, { "fill", "-o", jpg, "--id", "12345678", "--answers", "a,b,c,d,e" });
    SheetImage sheet;
    EXPECT_TRUE(sheet.LoadFromFile(jpg.toStdString()));
    EXPECT_TRUE(sheet.SaveToFile(gif.toStdString()));
    QFile file(std::string(format) == "gif" ? gif : jpg);
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

std::string CutWithEndMarker(const std::string& bytes)
{
    return bytes.substr(0, bytes.size() * 6 / 10) + "\xFF\xD9";
}

std::string Overwritten(std::string bytes, char with)
{
    for (size_t i = 0; i < 64; ++i)
        bytes[bytes.size() / 2 + i] = with ? static_cast<char>((i * 37 + 11) % 255) : '\0';
    return bytes;
}

// Screen and picture of the given size, one colour table, `data` bytes of codes.
std::string HugeHeaderGif(uint16_t width, uint16_t height, bool colours, size_t data)
{
    const std::string size { char(width), char(width >> 8), char(height), char(height >> 8) };
    std::string gif = "GIF89a" + size + (colours ? "\x80" : std::string(1, '\0')) + std::string(2, '\0');
    gif += (colours ? std::string("\0\0\0\xFF\xFF\xFF", 6) : "") + ',' + std::string(4, '\0') + size + '\0';
    return gif + '\x02' + char(data) + std::string(data, '\x80') + '\0';
}

struct CorruptCase {
    const char* name;
    std::function<std::string()> bytes;
};

class CorruptImage : public ImageFileTest, public ::testing::WithParamInterface<CorruptCase> { };

TEST_P(CorruptImage, IsRefusedAsDamaged)
{
    const std::string path = PathOf("sheet.img");
    WriteBytes(path, GetParam().bytes());
    SheetImage image;
    const Result<DecodeWarnings> loaded = image.LoadFromFile(path);
    EXPECT_NE(loaded.message().find(": ข้อมูลภาพเสียหาย: "), std::string::npos) << loaded.message();
    EXPECT_TRUE(image.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Sheets, CorruptImage,
    ::testing::Values(CorruptCase { "JpegOverwritten", [] { return Overwritten(SheetBytes("jpg"), 1); } },
        CorruptCase { "JpegCutWithEndMarker", [] { return CutWithEndMarker(SheetBytes("jpg")); } },
        CorruptCase { "GifZeroedData", [] { return Overwritten(SheetBytes("gif"), 0); } },
        CorruptCase { "Gif43BytesOf65535x1525", [] { return HugeHeaderGif(65535, 1525, true, 11); } },
        CorruptCase { "Gif36BytesOf11264x4099", [] { return HugeHeaderGif(11264, 4099, false, 10); } }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
