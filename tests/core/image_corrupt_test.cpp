// Damaged sheets are refused as damaged, never decoded with grey where data is
// missing; headers announcing more pixels than the file could hold are refused
// before any pixel memory is taken.

#include "image_test_support.h"

#include <QProcess>

#include <functional>
#include <map>

namespace {

// A generated sheet as its colour JPEG, or re-encoded as a GIF or a grey JPEG.
std::string SheetBytes(const char* format)
{
    static std::map<std::string, std::string> made;
    if (made.count(format))
        return made[format];
    QTemporaryDir folder;
    const QString jpg = folder.filePath("s.jpg"), gif = folder.filePath("s.gif");
    QProcess::execute(
        VANTREL_SHEET_TOOL, { "fill", "-o", jpg, "--id", "12345678", "--answers", "a,b,c,d,e" });
    SheetImage sheet;
    EXPECT_TRUE(sheet.LoadFromFile(jpg.toStdString()));
    EXPECT_TRUE(sheet.SaveToFile(gif.toStdString()));
    if (std::string(format) == "grey")
        return made[format] = Encode(QImage(jpg).convertToFormat(QImage::Format_Grayscale8), "jpeg");
    QFile file(std::string(format) == "gif" ? gif : jpg);
    file.open(QIODevice::ReadOnly);
    return made[format] = file.readAll().toStdString();
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

// A white A4 page at 300 dpi in group 4: each row is one V0 code, a single bit.
std::string WhiteGroup4Tiff()
{
    std::string tiff("II*\0\x08\0\0\0\x0A\0", 10);
    const auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) {
        for (const uint32_t v : { uint32_t(tag) | uint32_t(type) << 16, 1u, value })
            tiff += std::string { char(v), char(v >> 8), char(v >> 16), char(v >> 24) };
    };
    const uint32_t strip = 10 + 10 * 12 + 4 + 8, rows = 3508;
    for (const auto [tag, type, value] : { std::array<uint32_t, 3> { 256, 4, 2480 }, { 257, 4, rows },
             { 258, 3, 1 }, { 259, 3, 4 }, { 262, 3, 0 }, { 273, 4, strip }, { 278, 4, rows },
             { 279, 4, rows / 8 + 1 }, { 282, 5, strip - 8 }, { 283, 5, strip - 8 } })
        entry(uint16_t(tag), uint16_t(type), value);
    return tiff + std::string("\0\0\0\0\x2C\x01\0\0\x01\0\0\0", 12) + std::string(rows / 8 + 1, '\xFF');
}

struct CorruptCase {
    const char* name;
    std::function<std::string()> bytes;
};

void PrintTo(const CorruptCase& c, std::ostream* out)
{
    *out << c.name;
}

class CorruptImage : public ImageFileTest, public ::testing::WithParamInterface<CorruptCase> { };

TEST_P(CorruptImage, IsRefusedAsDamaged)
{
    const std::string path = PathOf("sheet.img");
    WriteBytes(path, GetParam().bytes());
    SheetImage image;
    const ImageResult loaded = image.LoadFromFile(path);
    EXPECT_EQ(loaded.error, ImageError::CannotDecode) << loaded.message;
    EXPECT_NE(loaded.message.find("ข้อมูลภาพเสียหาย"), std::string::npos) << loaded.message;
    EXPECT_TRUE(image.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Sheets, CorruptImage,
    ::testing::Values(CorruptCase { "JpegOverwritten", [] { return Overwritten(SheetBytes("jpg"), 1); } },
        CorruptCase { "JpegCutWithEndMarker", [] { return CutWithEndMarker(SheetBytes("jpg")); } },
        CorruptCase { "GreyJpegCutWithEndMarker", [] { return CutWithEndMarker(SheetBytes("grey")); } },
        CorruptCase { "GifZeroedData", [] { return Overwritten(SheetBytes("gif"), 0); } },
        CorruptCase { "Gif43BytesOf65535x1525", [] { return HugeHeaderGif(65535, 1525, true, 11); } },
        CorruptCase { "Gif36BytesOf11264x4099", [] { return HugeHeaderGif(11264, 4099, false, 10); } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageFileTest, WhiteGroup4PageLoads)
{
    WriteBytes(PathOf("a4.tif"), WhiteGroup4Tiff());
    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(PathOf("a4.tif"))) << image.LoadFromFile(PathOf("a4.tif")).message;
    image.ConvertTo24Bits();
    EXPECT_EQ(image.GetWidth() * image.GetHeight(), 2480 * 3508);
    EXPECT_EQ(BgrAt(image, 2479, 3507), (std::array<int, 3> { 255, 255, 255 }));
}

} // namespace
