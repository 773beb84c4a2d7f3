#include "image_test_support.h"

#include <QDir>

#include <gif_lib.h>

#include <cstdlib>
#include <memory>

namespace {

bool StartsWith(const std::string& bytes, const std::string& magic)
{
    return bytes.rfind(magic, 0) == 0;
}

SheetImage Patterned(int width, int height, int depth, bool hasAlpha = false)
{
    SheetImage image;
    EXPECT_TRUE(image.Create(width, height, depth, hasAlpha));
    FillPattern(image);
    return image;
}

// --- The extension picks the encoder ---

struct ExtensionCase {
    const char* fileName;
    std::vector<std::string> magics; // any of them
};

void PrintTo(const ExtensionCase& c, std::ostream* out)
{
    *out << c.fileName;
}

class SaveByExtension : public ImageFileTest, public ::testing::WithParamInterface<ExtensionCase> { };

TEST_P(SaveByExtension, WritesThatTypeAndReadsBack)
{
    const SheetImage image = Patterned(12, 5, 24);
    const std::string path = PathOf(GetParam().fileName);
    ASSERT_TRUE(image.SaveToFile(path));
    const std::string bytes = ReadBytes(path);
    bool matched = false;
    for (const std::string& magic : GetParam().magics)
        matched = matched || StartsWith(bytes, magic);
    EXPECT_TRUE(matched) << "wrong file type written";
    SheetImage back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.GetWidth(), 12);
    EXPECT_EQ(back.GetHeight(), 5);
}

const std::vector<std::string> kJpeg { "\xFF\xD8\xFF" }, kGif { "GIF87a", "GIF89a" },
    kTiff { std::string("II*\0", 4), std::string("MM\0*", 4) }, kPng { "\x89PNG\r\n\x1A\n" }, kBmp { "BM" };

INSTANTIATE_TEST_SUITE_P(Extensions, SaveByExtension,
    ::testing::Values(ExtensionCase { "a.jpg", kJpeg }, ExtensionCase { "a.JPG", kJpeg },
        ExtensionCase { "a.Jpeg", kJpeg }, ExtensionCase { "a.jpe", kJpeg },
        ExtensionCase { "a.jfif", kJpeg }, ExtensionCase { "a.gif", kGif }, ExtensionCase { "a.GIF", kGif },
        ExtensionCase { "a.tif", kTiff }, ExtensionCase { "a.TIFF", kTiff }, ExtensionCase { "a.png", kPng },
        ExtensionCase { "a.bmp", kBmp }, ExtensionCase { "a.dib", kBmp },
        ExtensionCase { "several.dots.png", kPng }, ExtensionCase { ".png", kPng },
        ExtensionCase { "แผ่นที่ 1.tif", kTiff }),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// --- Saves that must write nothing, and leave what was there ---

struct FailedSaveCase {
    const char* name;
    const char* fileName;
    int width; // 0: an empty image
    const char* said; // part of the message a person sees
};

void PrintTo(const FailedSaveCase& c, std::ostream* out)
{
    *out << c.name;
}

class FailedSave : public ImageFileTest, public ::testing::WithParamInterface<FailedSaveCase> { };

TEST_P(FailedSave, WritesNothing)
{
    const FailedSaveCase& c = GetParam();
    QDir().mkpath(QString::fromStdString(PathOf("folder.d")));
    const SheetImage image = c.width ? Patterned(c.width, 2, 24) : SheetImage();
    const std::string path = PathOf(c.fileName);
    const Status result = image.SaveToFile(path);
    EXPECT_NE(result.message().find(c.said), std::string::npos) << result.message();
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(QDir(QString::fromStdString(PathOf(""))).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_P(FailedSave, LeavesAnExistingFileAsItWas)
{
    const FailedSaveCase& c = GetParam();
    const std::string path = PathOf(c.fileName);
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    const std::string original = "the sheet saved last week";
    WriteBytes(path, original);
    const SheetImage image = c.width ? Patterned(c.width, 2, 24) : SheetImage();
    EXPECT_NE(image.SaveToFile(path).message().find(c.said), std::string::npos);
    EXPECT_EQ(ReadBytes(path), original);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedSave,
    ::testing::Values(FailedSaveCase { "NoExtension", "sheet", 4, "no image type has this extension" },
        FailedSaveCase { "EmptyExtension", "sheet.", 4, "no image type has this extension" },
        FailedSaveCase { "DotOnlyInFolder", "folder.d/sheet", 4, "no image type has this extension" },
        FailedSaveCase { "UnknownExtension", "sheet.xyz", 4, "no image type has this extension" },
        FailedSaveCase { "IconIsReadOnly", "sheet.ico", 4, "no image type has this extension" },
        FailedSaveCase { "PatternWithoutStar", "sheet.JPG;", 4, "no image type has this extension" },
        FailedSaveCase { "EmptyImage", "sheet.png", 0, "the image holds no pixels to save" },
        FailedSaveCase { "TooWideForJpeg", "sheet.jpg", 70000, "cannot encode the image as jpeg" },
        FailedSaveCase {
            "TooWideForGif", "sheet.gif", 70000, "a GIF image is at most 65535 pixels wide and high" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageFileTest, UnwritableTargetsFailAndKeepWhatIsThere)
{
    const SheetImage image = Patterned(4, 4, 24);
    EXPECT_EQ(image.SaveToFile(PathOf("missing/sheet.png")).message(),
        "cannot open for writing " + PathOf("missing/sheet.png") + ": No such file or directory");
    EXPECT_FALSE(Exists(PathOf("missing")));

    const std::string folder = PathOf("looks-like.png");
    QDir().mkpath(QString::fromStdString(folder));
    EXPECT_NE(
        image.SaveToFile(folder).message().find("cannot open for writing " + folder), std::string::npos);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folder)).isDir());
}

// --- What a round trip keeps ---

struct RoundTripCase {
    const char* extension;
    int depth;
    bool hasAlpha;
};

void PrintTo(const RoundTripCase& c, std::ostream* out)
{
    *out << c.extension << " from depth " << c.depth << (c.hasAlpha ? " with alpha" : "");
}

class LosslessRoundTrip : public ImageFileTest, public ::testing::WithParamInterface<RoundTripCase> { };

TEST_P(LosslessRoundTrip, KeepsEveryColour)
{
    const RoundTripCase& c = GetParam();
    const std::string path = PathOf(std::string("sheet.") + c.extension);
    ASSERT_TRUE(Patterned(13, 7, c.depth, c.hasAlpha).SaveToFile(path));
    SheetImage back;
    ASSERT_TRUE(back.LoadFromFile(path));
    SheetImage expected = Patterned(13, 7, c.depth, c.hasAlpha);
    expected.ConvertTo24Bits();
    back.ConvertTo24Bits();
    ASSERT_EQ(back.GetWidth(), 13);
    ASSERT_EQ(back.GetHeight(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(BgrAt(back, x, y), BgrAt(expected, x, y)) << "pixel " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Encoders, LosslessRoundTrip,
    ::testing::Values(RoundTripCase { "png", 1, false }, RoundTripCase { "png", 4, false },
        RoundTripCase { "png", 8, false }, RoundTripCase { "png", 16, false },
        RoundTripCase { "png", 24, false }, RoundTripCase { "png", 32, false },
        RoundTripCase { "png", 32, true }, RoundTripCase { "bmp", 1, false },
        RoundTripCase { "bmp", 4, false }, RoundTripCase { "bmp", 8, false },
        RoundTripCase { "bmp", 24, false }, RoundTripCase { "tif", 1, false },
        RoundTripCase { "tif", 8, false }, RoundTripCase { "tif", 24, false },
        RoundTripCase { "tif", 32, true }, RoundTripCase { "gif", 1, false },
        RoundTripCase { "gif", 4, false }, RoundTripCase { "gif", 8, false },
        RoundTripCase { "gif", 16, false }, RoundTripCase { "gif", 24, false },
        RoundTripCase { "gif", 32, false }),
    [](const auto& info) {
        return std::string(info.param.extension) + std::to_string(info.param.depth)
            + (info.param.hasAlpha ? "Alpha" : "");
    });

TEST_F(ImageFileTest, PngKeepsAlpha)
{
    SheetImage image;
    ASSERT_TRUE(image.Create(3, 1, 32, true));
    const std::array<uint8_t, 12> pixels { 10, 20, 30, 0, 40, 50, 60, 128, 70, 80, 90, 255 };
    std::copy(pixels.begin(), pixels.end(), image.GetPixelAddress(0, 0));
    const std::string path = PathOf("alpha.png");
    ASSERT_TRUE(image.SaveToFile(path));

    SheetImage back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_TRUE(back.HasAlphaChannel());
    ASSERT_EQ(back.GetBitsPerPixel(), 32);
    EXPECT_TRUE(std::equal(pixels.begin() + 4, pixels.end(), back.GetPixelAddress(1, 0)));
    EXPECT_EQ(back.GetPixelAddress(0, 0)[3], 0);
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

TEST_F(ImageFileTest, GifOfAnIndexedImageHoldsItsIndicesAndPalette)
{
    for (const int depth : { 1, 4, 8 }) {
        const SheetImage image = Patterned(21, 9, depth);
        const std::string path = PathOf("indexed.gif");
        ASSERT_TRUE(image.SaveToFile(path));

        int error = 0;
        const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
        ASSERT_TRUE(gif);
        ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK);
        ASSERT_EQ(gif->ImageCount, 1);
        const ColorMapObject* map = gif->SColorMap;
        ASSERT_TRUE(map);
        ASSERT_EQ(map->ColorCount, image.GetColorTableSize()) << "depth " << depth;
        for (int i = 0; i < map->ColorCount; ++i) {
            RgbQuad want;
            image.GetColorTable(i, 1, &want);
            const GifColorType got = map->Colors[i];
            ASSERT_EQ((std::array { got.Red, got.Green, got.Blue }),
                (std::array { want.rgbRed, want.rgbGreen, want.rgbBlue }));
        }
        const GifByteType* indices = gif->SavedImages[0].RasterBits;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 21; ++x) {
                const uint8_t* row = image.GetPixelAddress(0, y);
                const int want = depth == 8 ? row[x]
                    : depth == 4            ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F
                                            : (row[x / 8] >> (7 - x % 8)) & 1;
                ASSERT_EQ(indices[y * 21 + x], want) << "depth " << depth << " pixel " << x << ", " << y;
            }
    }
}

TEST_F(ImageFileTest, GifOfAPhotoReducesToCloseColours)
{
    // 64 x 64 distinct colours: more than a GIF palette holds.
    SheetImage image;
    ASSERT_TRUE(image.Create(64, 64, 24));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.SetPixel(x, y, static_cast<ColorRef>((x * 4) | ((y * 4) << 8) | (128 << 16)));
    const std::string path = PathOf("photo.gif");
    ASSERT_TRUE(image.SaveToFile(path));
    SheetImage back;
    ASSERT_TRUE(back.LoadFromFile(path));
    back.ConvertTo24Bits();
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst,
                    std::abs(BgrAt(back, x, y)[static_cast<size_t>(c)]
                        - BgrAt(image, x, y)[static_cast<size_t>(c)]));
    EXPECT_LE(worst, 40);
}

} // namespace

namespace {

TEST_F(ImageFileTest, BlackAndWhiteTiffKeepsWhichIndexIsBlack)
{
    const RgbQuad black { 0, 0, 0, 0 }, white { 255, 255, 255, 0 };
    for (const auto& table : { std::array { white, black }, std::array { black, white } }) {
        SheetImage image;
        ASSERT_TRUE(image.Create(10, 2, 1));
        image.SetColorTable(0, 2, table.data());
        *image.GetPixelAddress(0, 0) = 0x80; // top-left pixel takes index 1
        const std::string path = PathOf("bilevel.tif");
        ASSERT_TRUE(image.SaveToFile(path));
        SheetImage back;
        ASSERT_TRUE(back.LoadFromFile(path));
        EXPECT_EQ(back.GetBitsPerPixel(), 1);
        back.ConvertTo24Bits();
        const int one = table[1].rgbRed, zero = table[0].rgbRed;
        EXPECT_EQ(BgrAt(back, 0, 0), (std::array { one, one, one }));
        EXPECT_EQ(BgrAt(back, 1, 0), (std::array { zero, zero, zero }));
        EXPECT_EQ(BgrAt(back, 9, 1), (std::array { zero, zero, zero }));
    }
}

} // namespace
