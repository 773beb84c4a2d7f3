// Loading keeps a file's depth and colour table and puts the top row first; a file that
// is no sound image is refused with its reason, before any pixel memory is taken.

#include "image_test_support.h"

#include <QDir>
#include <QImageReader>

#include <functional>

namespace {

using F = QImage::Format;
constexpr F kRgb32 = QImage::Format_RGB32;
using Bgr = std::array<int, 3>;
const Bgr kMarked { 30, 20, 10 }, kRest { 100, 150, 200 }, kBlack {}, kWhite { 255, 255, 255 };

// The top-left `block` x `block` pixels are (10, 20, 30), the rest a plainly different
// colour, so row order shows; a 16 x 16 block stays itself through JPEG.
QImage Marked(int width, int height, F format, int block = 1)
{
    QImage image(width, height, format);
    image.fill(QColor(200, 150, 100));
    for (int i = 0; i < block * block; ++i)
        image.setPixelColor(i % block, i / block, QColor(10, 20, 30));
    return image;
}

std::function<std::string()> Coded(
    int width, int height, F format, const char* type, int block = 1, bool progressive = false)
{
    return [=] { return Encode(Marked(width, height, format, block), type, progressive); };
}

// Index 1 everywhere but index `top` at the top left; entries 0 and 1 are white and black.
std::function<std::string()> Indexed(int width, F format, int colors, int top, const char* type)
{
    return [=] {
        QImage image(width, 3, format);
        QList<QRgb> table { qRgb(255, 255, 255), qRgb(0, 0, 0) };
        for (int i = 2; i < colors; ++i)
            table.append(i == 3 ? qRgb(255, 0, 0) : qRgb(i * 10, 255 - i * 10, 128));
        image.setColorTable(table);
        image.fill(1);
        image.setPixel(0, 0, top);
        return Encode(image, type);
    };
}

std::string BmpHeader(int32_t width, int32_t height)
{
    return "BM" + Le(54, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(uint32_t(width), 4)
        + Le(uint32_t(height), 4) + Le(1, 2) + Le(24, 2) + std::string(24, '\0');
}

// Screen and picture of the given size, a two-colour table or none, `data` bytes of codes.
std::string GifHeader(uint16_t width, uint16_t height, bool colours, size_t data)
{
    const std::string size = Le(width, 2) + Le(height, 2);
    return "GIF89a" + size + Le(colours ? 0x80 : 0, 3) + (colours ? std::string("\0\0\0\xFF\xFF\xFF", 6) : "")
        + "," + Le(0, 4) + size + Le(0x0200, 2) + Le(uint32_t(data), 1) + std::string(data, '\x80')
        + Le(0, 1);
}

// A white A4 page at 300 dpi in group 4: each row is one V0 code, a single bit.
std::string WhiteGroup4Tiff()
{
    const uint32_t strip = 10 + 10 * 12 + 4 + 8, rows = 3508;
    std::string tiff = std::string("II*\0", 4) + Le(8, 4) + Le(10, 2);
    for (const auto [tag, type, value] : { std::array<uint32_t, 3> { 256, 4, 2480 }, { 257, 4, rows },
             { 258, 3, 1 }, { 259, 3, 4 }, { 262, 3, 0 }, { 273, 4, strip }, { 278, 4, rows },
             { 279, 4, rows / 8 + 1 }, { 282, 5, strip - 8 }, { 283, 5, strip - 8 } })
        tiff += Le(tag, 2) + Le(type, 2) + Le(1, 4) + Le(value, 4);
    return tiff + Le(0, 4) + Le(300, 4) + Le(1, 4) + std::string(rows / 8 + 1, '\xFF');
}

// A JPEG whose EXIF orientation, 6, says "turn 90 degrees clockwise".
std::string RotatedJpeg()
{
    const std::string exif = std::string("Exif\0\0II*\0", 10) + Le(8, 4) + Le(1, 2) + Le(0x112, 2) + Le(3, 2)
        + Le(1, 4) + Le(6, 4) + Le(0, 4);
    return Encode(Marked(32, 16, kRgb32, 16), "jpeg")
        .insert(2, "\xFF\xE1" + Le((exif.size() + 2) << 8, 2) + exif);
}

// A noisy image saved in the type, so most of the file is picture data.
std::string Saved(const char* extension)
{
    QTemporaryDir folder;
    const std::string path = folder.filePath(QString("s.") + extension).toStdString();
    EXPECT_TRUE(Patterned(96, 64, 8).SaveToFile(path));
    return ReadFileBytes(path);
}

// The bytes of `source` cut to `keep` of them with `end` appended; or, with `overwrite`,
// 64 bytes from the middle on replaced.
std::function<std::string()> Damaged(std::function<std::string()> source, double keep, std::string end = "",
    bool overwrite = false, char with = 0)
{
    return [=] {
        std::string bytes = source();
        for (size_t i = 0; overwrite && i < 64; ++i)
            bytes[bytes.size() / 2 + i] = with ? char((i * 37 + 11) % 255) : '\0';
        return bytes.substr(0, size_t(double(bytes.size()) * keep)) + end;
    };
}

struct FileCase {
    const char* name;
    std::function<std::string()> bytes;
    const char* said; // part of the refusal a person reads; nullptr: the file loads as
    int width = 0, height = 0, depth = 0, colorTableSize = 0, pitch = 0;
    Bgr topLeft {}, bottomRight {}; // blue, green, red after conversion to 24 bits
    int tolerance = 0; // for lossy types
    bool hasAlpha = false;
};

class ImageFile : public ImageFileTest, public ::testing::WithParamInterface<FileCase> { };

TEST_P(ImageFile, LoadsOrIsRefusedWithItsReason)
{
    const FileCase& c = GetParam();
    const std::string path = PathOf("sheet.img");
    WriteFileBytes(path, c.bytes());
    SheetImage image;
    const Result<DecodeWarnings> loaded = image.LoadFromFile(path);
    if (c.said) {
        EXPECT_EQ(loaded.message().rfind(path + ": ", 0), 0u) << loaded.message();
        EXPECT_NE(loaded.message().find(c.said), std::string::npos) << loaded.message();
        EXPECT_TRUE(image.IsEmpty());
        return;
    }
    ASSERT_TRUE(loaded) << loaded.message();
    EXPECT_EQ((std::array { image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel(),
                  image.GetColorTableSize(), image.GetPitch() }),
        (std::array { c.width, c.height, c.depth, c.colorTableSize, c.pitch }));
    EXPECT_EQ(image.HasAlphaChannel(), c.hasAlpha);
    image.ConvertTo24Bits();
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(BgrAt(image, 0, 0)[i], c.topLeft[i], c.tolerance);
        EXPECT_NEAR(BgrAt(image, c.width - 1, c.height - 1)[i], c.bottomRight[i], c.tolerance);
    }
}

const char *const kNoImage = "ไม่ใช่ไฟล์ภาพ BMP, JPEG, GIF, TIFF, PNG หรือ ICO",
                  *const kDamaged = ": ข้อมูลภาพเสียหาย: ", *const kTooLarge = " จุด เกิน 100 ล้านจุด",
                  *const kBmpCut = ": ข้อมูลภาพเสียหาย: ข้อมูล BMP ขาดหายไปบางส่วน";
const auto kSheet = Coded(64, 48, kRgb32, "jpeg", 16);
const Bgr kRed { 0, 0, 255 }, kDark { 18, 18, 18 }, kLight { 159, 159, 159 };

const FileCase kFiles[] = {
    { "Bmp24", Coded(10, 3, kRgb32, "bmp"), nullptr, 10, 3, 24, 0, -32, kMarked, kRest },
    { "Png24OnePixelWide", Coded(1, 3, F::Format_RGB888, "png"), nullptr, 1, 3, 24, 0, -4, kMarked, kRest },
    { "Tiff24", Coded(10, 3, kRgb32, "tiff"), nullptr, 10, 3, 24, 0, -32, kMarked, kRest },
    { "Jpeg24", kSheet, nullptr, 64, 48, 24, 0, -192, kMarked, kRest, 6 },
    { "ProgressiveJpeg", Coded(64, 48, kRgb32, "jpeg", 16, true), nullptr, 64, 48, 24, 0, -192, kMarked,
        kRest, 6 },
    { "JpegWithTrailingBytes", Damaged(kSheet, 1, "tail"), nullptr, 64, 48, 24, 0, -192, kMarked, kRest, 6 },
    { "JpegWithOrientationTag", RotatedJpeg, nullptr, 32, 16, 24, 0, -96, kMarked, kRest, 6 },
    { "JpegGrey", Coded(16, 16, F::Format_Grayscale8, "jpeg", 8), nullptr, 16, 16, 8, 256, -16, kDark, kLight,
        2 },
    { "PngGrey", Coded(8, 8, F::Format_Grayscale8, "png"), nullptr, 8, 8, 8, 256, -8, kDark, kLight },
    { "TiffGrey16", Coded(8, 8, F::Format_Grayscale16, "tiff"), nullptr, 8, 8, 32, 0, -32, kDark, kLight },
    { "TiffMono", Indexed(9, F::Format_Mono, 2, 0, "tiff"), nullptr, 9, 3, 1, 2, -4, kWhite, kBlack },
    { "PngIndexed", Indexed(5, F::Format_Indexed8, 256, 3, "png"), nullptr, 5, 3, 8, 256, -8, kRed, kBlack },
    { "Bmp16Colors", Indexed(5, F::Format_Indexed8, 16, 3, "bmp"), nullptr, 5, 3, 8, 256, -8, kRed, kBlack },
    { "PngAlpha", Coded(3, 2, F::Format_ARGB32, "png"), nullptr, 3, 2, 32, 0, -12, kMarked, kRest, 0, true },
    { "Png64", Coded(3, 2, F::Format_RGBA64, "png"), nullptr, 3, 2, 32, 0, -12, kMarked, kRest, 0, true },
    { "Png48", Coded(3, 2, F::Format_RGBX64, "png"), nullptr, 3, 2, 32, 0, -12, kMarked, kRest },
    { "TopDownBmp",
        [] { return BmpHeader(2, -2) + std::string("\x1E\x14\x0A\0\0\0", 6) + Le(0, 10); }, // top left only
        nullptr, 2, 2, 24, 0, -8, kMarked, kBlack },
    { "AnimatedGif", [] { return ReadFileBytes(VANTREL_TEST_DATA "/two_frames.gif"); }, nullptr, 6, 4, 8, 256,
        -8, kRed, kRed },
    // Only the first picture is decoded, so losing the second does not matter.
    { "GifCutInItsSecondPicture",
        [] { return ReadFileBytes(VANTREL_TEST_DATA "/two_frames.gif").substr(0, 112); }, nullptr, 6, 4, 8,
        256, -8, kRed, kRed },
    { "WhiteGroup4A4Page", WhiteGroup4Tiff, nullptr, 2480, 3508, 1, 2, -312, kWhite, kWhite },
    { "TextFile", [] { return std::string("img001.tif\r\n"); }, kNoImage },
    { "TruncatedJpeg", Damaged(kSheet, 0.8),
        ": ข้อมูลภาพเสียหาย: ข้อมูล JPEG ขาดหายไปบางส่วน (qt.gui.imageio.jpeg: " },
    { "TruncatedGreyJpeg", Damaged(Coded(16, 16, F::Format_Grayscale8, "jpeg", 8), 0.8), kDamaged },
    { "JpegWithoutScan", Damaged(kSheet, 0.2), ": ข้อมูลภาพเสียหาย: ข้อมูล JPEG ขาดหายไปบางส่วน" },
    { "TruncatedPng", Damaged(Coded(64, 48, kRgb32, "png"), 0.7),
        ": อ่านข้อมูลภาพไม่ได้ (Unable to read image data)" },
    { "TruncatedTiff", Damaged(Coded(64, 48, kRgb32, "tiff"), 0.7),
        ": อ่านข้อมูลภาพไม่ได้ (Unable to read image data)" },
    { "TruncatedBmp", Damaged(Coded(64, 48, kRgb32, "bmp"), 0.7), kBmpCut },
    { "TruncatedGif", Damaged([] { return Saved("gif"); }, 0.7), ": ข้อมูลภาพเสียหาย: ข้อมูล GIF ขาดหายไปบางส่วน" },
    { "JpegOverwritten", Damaged([] { return Saved("jpg"); }, 1, "", true, 1), kDamaged },
    { "JpegCutWithEndMarker", Damaged([] { return Saved("jpg"); }, 0.6, "\xFF\xD9"), kDamaged },
    { "GifZeroedData", Damaged([] { return Saved("gif"); }, 1, "", true), kDamaged },
    { "Gif43BytesOf65535x1525", [] { return GifHeader(65535, 1525, true, 11); }, kDamaged },
    { "Gif36BytesOf11264x4099", [] { return GifHeader(11264, 4099, false, 10); }, kDamaged },
    { "BmpHeaderWithoutRows", [] { return BmpHeader(5000, 4000); }, kBmpCut },
    { "TopDownBmpHeaderWithoutRows", [] { return BmpHeader(5000, -4000); }, kBmpCut },
    // 100 million pixels are allowed, one row more is not.
    { "BmpHeaderOf10000x10001", [] { return BmpHeader(10000, 10001); }, kTooLarge },
    { "BmpHeaderOf10000x10000", [] { return BmpHeader(10000, 10000); }, kBmpCut },
    { "GifHeaderOf10000x10001", [] { return GifHeader(10000, 10001, false, 10); }, kTooLarge },
    { "GifHeaderOf10000x10000", [] { return GifHeader(10000, 10000, false, 10); }, kDamaged },
};

INSTANTIATE_TEST_SUITE_P(Files, ImageFile, ::testing::ValuesIn(kFiles),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageFileTest, MissingFileOrFolderIsRefusedAndFailedLoadKeepsThePixels)
{
    QDir().mkpath(QString::fromStdString(PathOf("folder.png")));
    WriteFileBytes(PathOf("good.bmp"), Coded(2, 2, kRgb32, "bmp")());
    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(PathOf("good.bmp")));
    for (const auto& [path, said] : { std::pair { PathOf("missing.png"), ": ไม่พบไฟล์" },
             { PathOf("folder.png"), ": ไม่ใช่ไฟล์" }, { std::string(), ": ไม่พบไฟล์" } })
        EXPECT_EQ(image.LoadFromFile(path).message(), path + said);
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(BgrAt(image, 0, 0), kMarked);
}

// Qt's allocation limit is for the whole process: loading a small sheet must not fit it
// to that sheet, or the batch grader's next, larger sheet would be refused.
TEST_F(ImageFileTest, LoadingASmallSheetLeavesRoomForALargerImage)
{
    WriteFileBytes(PathOf("small.png"), Coded(8, 8, kRgb32, "png")());
    WriteFileBytes(PathOf("large.png"), Coded(2500, 1800, kRgb32, "png")()); // 18 MB decoded
    SheetImage sheet;
    ASSERT_TRUE(sheet.LoadFromFile(PathOf("small.png")));
    EXPECT_FALSE(QImageReader(QString::fromStdString(PathOf("large.png"))).read().isNull());
    ASSERT_TRUE(sheet.LoadFromFile(PathOf("large.png")));
    EXPECT_EQ(sheet.GetWidth(), 2500);
}

} // namespace
