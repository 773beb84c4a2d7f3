#include "image/decoded_image.h"
#include "image_test_support.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

#include <cstdlib>
#include <functional>
#include <random>

namespace {

// Qt image of the given format whose top-left pixel is (10, 20, 30) and the rest
// a plainly different colour, so row order shows.
QImage TopLeftMarked(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    image.fill(QColor(200, 150, 100));
    image.setPixelColor(0, 0, QColor(10, 20, 30));
    return image;
}

// For lossy JPEG: the marked part fills whole 16 x 16 coding blocks.
QImage TopLeftBlockMarked()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 150, 100));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixelColor(x, y, QColor(10, 20, 30));
    return image;
}

QImage Grey(QImage::Format format)
{
    QImage image(8, 8, format);
    image.fill(QColor(77, 77, 77));
    return image;
}

QImage MonoTopLeftBlack()
{
    QImage image(9, 3, QImage::Format_Mono);
    image.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
    image.fill(0);
    image.setPixel(0, 0, 1);
    return image;
}

QImage IndexedTopLeftRed(int colors)
{
    QImage image(5, 4, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colors; ++i)
        table.append(qRgb(i * 10, 255 - i * 10, 128));
    table[3] = qRgb(255, 0, 0);
    image.setColorTable(table);
    image.fill(1);
    image.setPixel(0, 0, 3);
    return image;
}

struct LoadCase {
    const char* name;
    std::function<QImage()> source;
    const char* format;
    int depth;
    bool hasAlpha;
    int colorTableSize;
    int pitch;
    std::array<int, 3> topLeft; // blue, green, red after conversion to 24 bits
    std::array<int, 3> bottomRight; //
    int tolerance; // for lossy formats
};

void PrintTo(const LoadCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::array<int, 3> kMarked { 30, 20, 10 }, kRest { 100, 150, 200 };

class ImageLoad : public ImageFileTest, public ::testing::WithParamInterface<LoadCase> { };

TEST_P(ImageLoad, StoresDepthTableAndTopRowFirst)
{
    const LoadCase& c = GetParam();
    const std::string path = PathOf("sheet");
    WriteBytes(path, Encode(c.source(), c.format));

    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(path)) << image.LoadFromFile(path).message();
    EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
    EXPECT_EQ(image.HasAlphaChannel(), c.hasAlpha);
    EXPECT_EQ(image.GetColorTableSize(), c.colorTableSize);
    EXPECT_EQ(image.GetPitch(), c.pitch);
    EXPECT_EQ(image.GetBits(), image.GetPixelAddress(0, 0));

    image.ConvertTo24Bits();
    const auto near = [&](std::array<int, 3> got, std::array<int, 3> want) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(got[static_cast<size_t>(i)] - want[static_cast<size_t>(i)]) > c.tolerance)
                return false;
        return true;
    };
    EXPECT_PRED2(near, BgrAt(image, 0, 0), c.topLeft);
    EXPECT_PRED2(near, BgrAt(image, image.GetWidth() - 1, image.GetHeight() - 1), c.bottomRight);
}

INSTANTIATE_TEST_SUITE_P(Sources, ImageLoad,
    ::testing::Values(LoadCase { "Bmp24", [] { return TopLeftMarked(10, 3, QImage::Format_RGB32); }, "bmp",
                          24, false, 0, -32, kMarked, kRest, 0 },
        LoadCase { "Png24OnePixelWide", [] { return TopLeftMarked(1, 3, QImage::Format_RGB888); }, "png", 24,
            false, 0, -4, kMarked, kRest, 0 },
        LoadCase { "Tiff24", [] { return TopLeftMarked(10, 3, QImage::Format_RGB32); }, "tiff", 24, false, 0,
            -32, kMarked, kRest, 0 },
        LoadCase { "Jpeg24", TopLeftBlockMarked, "jpeg", 24, false, 0, -192, kMarked, kRest, 6 },
        LoadCase { "JpegGrey", [] { return Grey(QImage::Format_Grayscale8); }, "jpeg", 8, false, 256, -8,
            { 77, 77, 77 }, { 77, 77, 77 }, 2 },
        LoadCase { "PngGrey", [] { return Grey(QImage::Format_Grayscale8); }, "png", 8, false, 256, -8,
            { 77, 77, 77 }, { 77, 77, 77 }, 0 },
        LoadCase { "TiffMono", MonoTopLeftBlack, "tiff", 1, false, 2, -4, { 0, 0, 0 }, { 255, 255, 255 }, 0 },
        LoadCase { "PngMono", MonoTopLeftBlack, "png", 1, false, 2, -4, { 0, 0, 0 }, { 255, 255, 255 }, 0 },
        LoadCase { "PngIndexed", [] { return IndexedTopLeftRed(256); }, "png", 8, false, 256, -8,
            { 0, 0, 255 }, { 128, 245, 10 }, 0 },
        LoadCase { "Bmp16Colors", [] { return IndexedTopLeftRed(16); }, "bmp", 8, false, 256, -8,
            { 0, 0, 255 }, { 128, 245, 10 }, 0 },
        LoadCase { "PngAlpha", [] { return TopLeftMarked(3, 2, QImage::Format_ARGB32); }, "png", 32, true, 0,
            -12, kMarked, kRest, 0 },
        LoadCase { "Png64Alpha", [] { return TopLeftMarked(3, 2, QImage::Format_RGBA64); }, "png", 32, true,
            0, -12, kMarked, kRest, 0 },
        LoadCase { "Png48", [] { return TopLeftMarked(3, 2, QImage::Format_RGBX64); }, "png", 32, false, 0,
            -12, kMarked, kRest, 0 },
        LoadCase { "TiffGrey16", [] { return Grey(QImage::Format_Grayscale16); }, "tiff", 32, false, 0, -32,
            { 77, 77, 77 }, { 77, 77, 77 }, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

// Decoded Qt formats that no file of the tests decodes into.
struct StoreCase {
    const char* name;
    QImage::Format format;
    int depth;
    bool hasAlpha;
};

void PrintTo(const StoreCase& c, std::ostream* out)
{
    *out << c.name;
}

class StoreDecoded : public ::testing::TestWithParam<StoreCase> { };

TEST_P(StoreDecoded, ChoosesDepthAndKeepsTheTopLeftColour)
{
    const StoreCase& c = GetParam();
    QImage decoded(9, 2, c.format);
    if (decoded.depth() == 1) {
        decoded.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
        decoded.fill(1);
        decoded.setPixel(0, 0, 0);
    } else {
        decoded.fill(QColor(255, 255, 255));
        decoded.setPixelColor(0, 0, QColor(0, 0, 0));
    }
    SheetImage image;
    ASSERT_TRUE(StoreDecodedImage(decoded, image));
    EXPECT_EQ(image.GetBitsPerPixel(), c.depth);
    EXPECT_EQ(image.HasAlphaChannel(), c.hasAlpha);
    image.ConvertTo24Bits();
    EXPECT_EQ(BgrAt(image, 0, 0), (std::array<int, 3> { 0, 0, 0 }));
    EXPECT_EQ(BgrAt(image, 1, 0), (std::array<int, 3> { 255, 255, 255 }));
    EXPECT_EQ(BgrAt(image, 0, 1), (std::array<int, 3> { 255, 255, 255 }));
}

INSTANTIATE_TEST_SUITE_P(Formats, StoreDecoded,
    ::testing::Values(StoreCase { "Rgb565", QImage::Format_RGB16, 16, false },
        StoreCase { "MonoLsbFirst", QImage::Format_MonoLSB, 1, false },
        StoreCase { "Rgb888", QImage::Format_RGB888, 24, false },
        StoreCase { "Rgbx8888", QImage::Format_RGBX8888, 24, false },
        StoreCase { "Rgba8888", QImage::Format_RGBA8888, 32, true },
        StoreCase { "Premultiplied", QImage::Format_ARGB32_Premultiplied, 32, true },
        StoreCase { "TenBitColour", QImage::Format_RGB30, 32, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoreDecoded, Rgb565PixelsAreCopiedVerbatim)
{
    QImage decoded(2, 1, QImage::Format_RGB16);
    reinterpret_cast<uint16_t*>(decoded.scanLine(0))[0] = 0x1234;
    reinterpret_cast<uint16_t*>(decoded.scanLine(0))[1] = 0xF81F;
    SheetImage image;
    ASSERT_TRUE(StoreDecodedImage(decoded, image));
    const uint8_t* p = image.GetPixelAddress(0, 0);
    EXPECT_EQ(
        (std::array<int, 4> { p[0], p[1], p[2], p[3] }), (std::array<int, 4> { 0x34, 0x12, 0x1F, 0xF8 }));
}

// --- Files that are not sound images ---

std::string BmpHeader(int32_t width, int32_t height)
{
    std::string header(54, '\0');
    const auto put = [&](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54, 4); // file size as claimed by nobody in particular
    put(10, 54, 4); // pixel data offset
    put(14, 40, 4); // info header size
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2); // planes
    put(28, 24, 2); // bits per pixel
    return header;
}

std::string Truncated(const std::string& bytes, double keep)
{
    return bytes.substr(0, static_cast<size_t>(static_cast<double>(bytes.size()) * keep));
}

QImage Gradient()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 255));
    return image;
}

std::string GifBytes()
{
    SheetImage image;
    image.Create(40, 30, 8);
    FillPattern(image);
    QTemporaryDir folder;
    const std::string path = folder.filePath("g.gif").toStdString();
    EXPECT_TRUE(image.SaveToFile(path));
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

std::string RandomBytes()
{
    std::mt19937 random(12345);
    std::string bytes(4096, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

struct BadFileCase {
    const char* name;
    std::function<std::string()> bytes;
    const char* said; // part of the message a person sees
};

void PrintTo(const BadFileCase& c, std::ostream* out)
{
    *out << c.name;
}

class BadImageFile : public ImageFileTest, public ::testing::WithParamInterface<BadFileCase> { };

TEST_P(BadImageFile, FailsAndLeavesTheImageEmpty)
{
    const BadFileCase& c = GetParam();
    const std::string path = PathOf("bad.img");
    WriteBytes(path, c.bytes());
    SheetImage image;
    const Result<DecodeWarnings> result = image.LoadFromFile(path);
    EXPECT_NE(result.message().find(c.said), std::string::npos) << result.message();
    EXPECT_TRUE(image.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Hostile, BadImageFile,
    ::testing::Values(BadFileCase { "EmptyFile", [] { return std::string(); },
                          "not a BMP, JPEG, GIF, TIFF, PNG or ICO image" },
        BadFileCase { "RandomBytes", RandomBytes, "not a BMP, JPEG, GIF, TIFF, PNG or ICO image" },
        BadFileCase { "TextFile", [] { return std::string("img001.tif\r\n"); },
            "not a BMP, JPEG, GIF, TIFF, PNG or ICO image" },
        BadFileCase { "TruncatedJpeg", [] { return Truncated(Encode(Gradient(), "jpeg"), 0.8); },
            "ข้อมูลภาพเสียหาย: JPEG data is truncated" },
        BadFileCase { "JpegWithoutScan", [] { return Truncated(Encode(Gradient(), "jpeg"), 0.2); },
            "ข้อมูลภาพเสียหาย: JPEG data is truncated" },
        BadFileCase { "TruncatedPng", [] { return Truncated(Encode(Gradient(), "png"), 0.7); },
            "Unable to read image data" },
        BadFileCase { "TruncatedTiff", [] { return Truncated(Encode(Gradient(), "tiff"), 0.7); },
            "Unable to read image data" },
        BadFileCase { "TruncatedBmp", [] { return Truncated(Encode(Gradient(), "bmp"), 0.7); },
            "ข้อมูลภาพเสียหาย: BMP data is truncated" },
        BadFileCase { "TruncatedGif", [] { return Truncated(GifBytes(), 0.7); }, "ข้อมูลภาพเสียหาย: GIF" },
        BadFileCase { "BmpHeaderClaiming30000Squared", [] { return BmpHeader(30000, 30000); },
            "pixels are more than 100 megapixels" },
        // 100 million pixels are allowed, one row more is not.
        BadFileCase { "BmpHeaderOf10000x10000", [] { return BmpHeader(10000, 10000); },
            "ข้อมูลภาพเสียหาย: BMP data is truncated" },
        BadFileCase { "BmpHeaderOf10000x10001", [] { return BmpHeader(10000, 10001); },
            "100010000 pixels are more than 100 megapixels" },
        BadFileCase { "BmpHeaderWithoutRows", [] { return BmpHeader(5000, 4000); },
            "ข้อมูลภาพเสียหาย: BMP data is truncated" },
        BadFileCase { "TopDownBmpHeaderWithoutRows", [] { return BmpHeader(5000, -4000); },
            "ข้อมูลภาพเสียหาย: BMP data is truncated" }),
    [](const auto& info) { return std::string(info.param.name); });

// Sound files whose structure the truncation checks must walk through.
struct UncommonFileCase {
    const char* name;
    std::function<std::string()> bytes;
    int width;
    int height;
    std::array<int, 3> topLeft;
};

void PrintTo(const UncommonFileCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string Fixture(const char* name)
{
    QFile file(QString(VANTREL_TEST_DATA) + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll().toStdString();
}

std::string ProgressiveJpeg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(TopLeftBlockMarked()));
    return bytes.toStdString();
}

std::string TopDownBmp()
{
    std::string bytes = BmpHeader(2, -2);
    bytes += std::string("\x1E\x14\x0A\0\0\0\0\0", 8); // top row: (10, 20, 30), black
    bytes += std::string(8, '\0');
    return bytes;
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

class UncommonFile : public ImageFileTest, public ::testing::WithParamInterface<UncommonFileCase> { };

TEST_P(UncommonFile, Loads)
{
    const UncommonFileCase& c = GetParam();
    const std::string path = PathOf("sound.img");
    WriteBytes(path, c.bytes());
    SheetImage image;
    const Result<DecodeWarnings> result = image.LoadFromFile(path);
    ASSERT_TRUE(result) << result.message();
    EXPECT_EQ(image.GetWidth(), c.width);
    EXPECT_EQ(image.GetHeight(), c.height);
    image.ConvertTo24Bits();
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(BgrAt(image, 0, 0)[i], c.topLeft[i], 6);
}

INSTANTIATE_TEST_SUITE_P(Structures, UncommonFile,
    ::testing::Values(UncommonFileCase { "ProgressiveJpeg", ProgressiveJpeg, 64, 48, kMarked },
        UncommonFileCase { "JpegWithTrailingBytes",
            [] { return Encode(TopLeftBlockMarked(), "jpeg") + "tail"; }, 64, 48, kMarked },
        UncommonFileCase { "TopDownBmp", TopDownBmp, 2, 2, kMarked },
        UncommonFileCase {
            "AnimatedGifWithExtensions", [] { return Fixture("two_frames.gif"); }, 6, 4, { 0, 0, 255 } },
        // Only the first picture is decoded, so losing the second does not matter.
        UncommonFileCase { "GifCutInItsSecondPicture",
            [] { return Fixture("two_frames.gif").substr(0, 112); }, 6, 4, { 0, 0, 255 } },
        UncommonFileCase { "WhiteGroup4A4Page", WhiteGroup4Tiff, 2480, 3508, { 255, 255, 255 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageFileTest, MissingFileOrFolderCannotBeOpened)
{
    QDir().mkpath(QString::fromStdString(PathOf("folder.png")));
    for (const auto& [path, said] : { std::pair { PathOf("missing.png"), ": no such file" },
             std::pair { PathOf("folder.png"), ": not a file" },
             std::pair { std::string(), ": no such file" } }) {
        SheetImage image;
        EXPECT_EQ(image.LoadFromFile(path).message(), path + said);
        EXPECT_TRUE(image.IsEmpty());
    }
}

TEST_F(ImageFileTest, FailedLoadKeepsThePreviousPixels)
{
    const std::string good = PathOf("good.bmp"), bad = PathOf("bad.bmp");
    WriteBytes(good, Encode(TopLeftMarked(2, 2, QImage::Format_RGB32), "bmp"));
    WriteBytes(bad, "BM not really");
    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(good));
    EXPECT_FALSE(image.LoadFromFile(bad));
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(BgrAt(image, 0, 0), kMarked);
}

// EXIF APP1 segment holding only the orientation tag, 6: "turn 90° clockwise".
std::string ExifRotate90()
{
    const std::string tiff("II*\0\x08\0\0\0" // little-endian header, first directory at 8
                           "\x01\0" // one entry
                           "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0" // orientation, SHORT, 1, value 6
                           "\0\0\0\0", // no further directory
        26);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const size_t length = body.size() + 2;
    return std::string("\xFF\xE1") + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + body;
}

TEST_F(ImageFileTest, OrientationTagIsNotApplied)
{
    QImage source(16, 8, QImage::Format_RGB32);
    source.fill(Qt::white);
    std::string jpeg = Encode(source, "jpeg");
    jpeg.insert(2, ExifRotate90()); // right after the start-of-image marker
    const std::string path = PathOf("rotated.jpg");
    WriteBytes(path, jpeg);
    QImageReader turning(QString::fromStdString(path));
    turning.setAutoTransform(true);
    ASSERT_EQ(turning.read().width(), 8) << "the fixture lacks its orientation tag";

    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(path));
    EXPECT_EQ(image.GetWidth(), 16);
    EXPECT_EQ(image.GetHeight(), 8);
}

} // namespace
