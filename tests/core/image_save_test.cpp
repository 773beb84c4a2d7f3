// The extension picks the encoder; lossless types give back every colour; a failed
// save writes nothing and leaves what was there; the save dialog lists the types.

#include "image_test_support.h"

#include <QDir>

namespace {

const char *const kJpeg = "\xFF\xD8\xFF", *const kGif = "GIF8", *const kTiff = "II*", *const kPng = "\x89PNG",
                  *const kBmp = "BM";

struct SaveCase {
    const char* fileName;
    int depth;
    const char* magic;
    bool hasAlpha = false;
    int blackAt = -1; // a black-and-white table, black at this index: kept at one bit
};

class SaveToFile : public ImageFileTest, public ::testing::WithParamInterface<SaveCase> { };

TEST_P(SaveToFile, WritesTheTypeOfTheExtensionAndReadsBack)
{
    const SaveCase& c = GetParam();
    const std::string path = PathOf(c.fileName);
    SheetImage image = Patterned(13, 7, c.depth, c.hasAlpha), back;
    // PNG keeps alpha as it is, here from 1 to 255: a save that drops or premultiplies it shows.
    for (int i = 0; c.hasAlpha && c.magic == kPng && i < 13 * 7; ++i)
        image.GetPixelAddress(i % 13, i / 13)[3] = uint8_t(1 + i * 37 % 255);
    const RgbQuad blackAndWhite[] = { { 255, 255, 255, 0 }, {}, { 255, 255, 255, 0 } };
    if (c.blackAt >= 0)
        image.SetColorTable(0, 2, blackAndWhite + 1 - c.blackAt);
    ASSERT_TRUE(image.SaveToFile(path));
    EXPECT_EQ(ReadFileBytes(path).rfind(c.magic, 0), 0u) << "wrong file type written";
    ASSERT_TRUE(back.LoadFromFile(path));
    ASSERT_EQ(back.GetWidth(), 13);
    ASSERT_EQ(back.GetHeight(), 7);
    EXPECT_EQ(back.HasAlphaChannel(), c.hasAlpha);
    EXPECT_TRUE(c.blackAt < 0 || back.GetBitsPerPixel() == 1);
    if (c.magic == kJpeg)
        return; // lossy
    image.ConvertTo24Bits();
    back.ConvertTo24Bits();
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            ASSERT_EQ(BgrAt(back, x, y), BgrAt(image, x, y)) << "pixel " << x << ", " << y;
            ASSERT_TRUE(!c.hasAlpha || back.GetPixelAddress(x, y)[3] == image.GetPixelAddress(x, y)[3])
                << "alpha of " << x << ", " << y;
        }
}

const SaveCase kSaves[] = { { "a.jpg", 24, kJpeg }, { "a.JPG", 24, kJpeg }, { "a.Jpeg", 24, kJpeg },
    { "a.jpe", 24, kJpeg }, { "a.jfif", 24, kJpeg }, { "a.png", 1, kPng }, { "a.png", 4, kPng },
    { "a.png", 8, kPng }, { "a.png", 16, kPng }, { "a.png", 24, kPng }, { "a.png", 32, kPng },
    { "a.png", 32, kPng, true }, { "several.dots.png", 24, kPng }, { ".png", 24, kPng }, { "a.bmp", 1, kBmp },
    { "a.bmp", 4, kBmp }, { "a.bmp", 8, kBmp }, { "a.bmp", 24, kBmp }, { "a.dib", 24, kBmp },
    { "a.tif", 1, kTiff }, { "bw.tif", 1, kTiff, false, 0 }, { "wb.tif", 1, kTiff, false, 1 },
    { "a.tif", 8, kTiff }, { "a.tif", 24, kTiff }, { "a.tif", 32, kTiff, true }, { "a.TIFF", 24, kTiff },
    { "แผ่นที่ 1.tif", 24, kTiff }, { "a.gif", 1, kGif }, { "a.gif", 4, kGif }, { "a.gif", 8, kGif },
    { "a.gif", 16, kGif }, { "a.gif", 24, kGif }, { "a.gif", 32, kGif }, { "a.GIF", 24, kGif } };

INSTANTIATE_TEST_SUITE_P(Types, SaveToFile, ::testing::ValuesIn(kSaves));

struct FailedSaveCase {
    const char* fileName;
    int width; // 0: an empty image
    const char* said; // part of the message a person reads
};

class FailedSave : public ImageFileTest, public ::testing::WithParamInterface<FailedSaveCase> { };

TEST_P(FailedSave, WritesNothingAndLeavesAnExistingFile)
{
    const FailedSaveCase& c = GetParam();
    QDir().mkpath(QString::fromStdString(PathOf("folder.d")));
    QDir().mkpath(QString::fromStdString(PathOf("folder.png")));
    const SheetImage image = c.width ? Patterned(c.width, 2, 24) : SheetImage();
    const QFileInfo target(QString::fromStdString(PathOf(c.fileName)));
    const std::string path = target.filePath().toStdString(), said = image.SaveToFile(path).message();
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_EQ(QDir(QString::fromStdString(PathOf(""))).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(PathOf("missing"))));
    if (!target.absoluteDir().exists() || target.isDir())
        return;
    WriteFileBytes(path, "the sheet saved last week");
    EXPECT_FALSE(image.SaveToFile(path));
    EXPECT_EQ(ReadFileBytes(path), "the sheet saved last week");
}

const char* const kNoType = "no image type has this extension (use jpg, gif, tif, png or bmp)";

const FailedSaveCase kFailures[] = { { "sheet", 4, kNoType }, { "sheet.", 4, kNoType },
    { "folder.d/sheet", 4, kNoType }, { "sheet.xyz", 4, kNoType }, { "sheet.ico", 4, kNoType },
    { "sheet.JPG;", 4, kNoType }, { "sheet.png", 0, "the image holds no pixels to save" },
    { "sheet.jpg", 70000, "cannot encode the image as jpeg" },
    { "sheet.gif", 70000, "a GIF image is at most 65535 pixels wide and high" },
    { "missing/sheet.png", 4, "cannot open for writing " },
    { "folder.png", 4, "folder.png: Is a directory" } };

INSTANTIATE_TEST_SUITE_P(Failures, FailedSave, ::testing::ValuesIn(kFailures));

TEST_F(ImageFileTest, GifOfAPhotoReducesToCloseColours)
{
    // 64 x 64 distinct colours: more than a GIF palette holds.
    SheetImage image, back;
    ASSERT_TRUE(image.Create(64, 64, 24));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.SetPixel(x, y, ColorRef((x * 4) | ((y * 4) << 8) | (128 << 16)));
    ASSERT_TRUE(image.SaveToFile(PathOf("photo.gif")));
    ASSERT_TRUE(back.LoadFromFile(PathOf("photo.gif")));
    back.ConvertTo24Bits();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (size_t c = 0; c < 3; ++c)
                ASSERT_NEAR(BgrAt(back, x, y)[c], BgrAt(image, x, y)[c], 40) << x << ", " << y;
}

using T = ImageType;

struct FilterCase {
    const char* name;
    const char* firstDescription;
    uint32_t excludeMask;
    char separator;
    std::string before, expected; // the filter text given, and after
    std::vector<ImageType> typesBefore {}, types {};
};

const std::string kDialogTypes = "BMP (*.BMP;*.DIB;*.RLE)|*.BMP;*.DIB;*.RLE|"
                                 "JPEG (*.JPG;*.JPEG;*.JPE;*.JFIF)|*.JPG;*.JPEG;*.JPE;*.JFIF|"
                                 "GIF (*.GIF)|*.GIF|TIFF (*.TIF;*.TIFF)|*.TIF;*.TIFF|PNG (*.PNG)|*.PNG|";

class BuildImageFilter : public ::testing::TestWithParam<FilterCase> { };

TEST_P(BuildImageFilter, AppendsEntriesAndTypes)
{
    const FilterCase& c = GetParam();
    std::string filter = c.before;
    std::vector<ImageType> types = c.typesBefore;
    ASSERT_TRUE(SheetImage::BuildImageFilter(filter, types, c.firstDescription, c.excludeMask, c.separator));
    EXPECT_EQ(filter, c.expected);
    EXPECT_EQ(types, c.types);
}

const FilterCase kFilters[] = {
    { "DialogDefault", nullptr, 140, '|', "", kDialogTypes + "|", {},
        { T::Bmp, T::Jpeg, T::Gif, T::Tiff, T::Png } },
    { "EverythingExcluded", nullptr, 0xFFFFFFFF, '|', "", "||" },
    { "FirstEntryListsAllPatterns", "Images", 140, '|', "",
        "Images|*.BMP;*.DIB;*.RLE;*.JPG;*.JPEG;*.JPE;*.JFIF;*.GIF;*.TIF;*.TIFF;*.PNG|" + kDialogTypes + "|",
        {}, { T::None, T::Bmp, T::Jpeg, T::Gif, T::Tiff, T::Png } },
    { "FirstEntryAlone", "Images", 0xFF, '|', "", "Images|||", {}, { T::None } },
    // A description holding separators goes in unchanged.
    { "DescriptionWithSeparators", "Keys|*.txt|Images", 0xEF, '|', "",
        "Keys|*.txt|Images|*.JPG;*.JPEG;*.JPE;*.JFIF|JPEG "
        "(*.JPG;*.JPEG;*.JPE;*.JFIF)|*.JPG;*.JPEG;*.JPE;*.JFIF||",
        {}, { T::None, T::Jpeg } },
    { "IconWhenNotExcluded", nullptr, 0x7F, '|', "", "ICO (*.ICO)|*.ICO||", {}, { T::Icon } },
    { "OtherSeparator", nullptr, 0xFE, '\n', "", "GIF (*.GIF)\n*.GIF\n\n", {}, { T::Gif } },
    // A list that was not empty gets no second separator.
    { "KeepsWhatWasThere", nullptr, 0xFF, '|', "Text (*.txt)|*.txt|", "Text (*.txt)|*.txt||", { T::None },
        { T::None } },
};

INSTANTIATE_TEST_SUITE_P(Cases, BuildImageFilter, ::testing::ValuesIn(kFilters),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
