#include "image/sheet_image.h"

#include <gtest/gtest.h>

namespace {

using T = ImageType;

struct FilterCase {
    const char* name;
    const char* firstDescription;
    uint32_t excludeMask;
    char separator;
    std::string expected;
    std::vector<ImageType> types;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::string kDialogTypes = "BMP (*.BMP;*.DIB;*.RLE)|*.BMP;*.DIB;*.RLE|"
                                 "JPEG (*.JPG;*.JPEG;*.JPE;*.JFIF)|*.JPG;*.JPEG;*.JPE;*.JFIF|"
                                 "GIF (*.GIF)|*.GIF|TIFF (*.TIF;*.TIFF)|*.TIF;*.TIFF|PNG (*.PNG)|*.PNG|";

class BuildImageFilter : public ::testing::TestWithParam<FilterCase> { };

TEST_P(BuildImageFilter, AppendsEntriesAndTypes)
{
    const FilterCase& c = GetParam();
    std::string filter;
    std::vector<ImageType> types;
    ASSERT_TRUE(SheetImage::BuildImageFilter(filter, types, c.firstDescription, c.excludeMask, c.separator));
    EXPECT_EQ(filter, c.expected);
    EXPECT_EQ(types, c.types);
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildImageFilter,
    ::testing::Values(FilterCase { "DialogDefault", nullptr, 140, '|', kDialogTypes + "|",
                          { T::Bmp, T::Jpeg, T::Gif, T::Tiff, T::Png } },
        FilterCase { "EverythingExcluded", nullptr, 0xFFFFFFFF, '|', "||", {} },
        FilterCase { "FirstEntryListsAllPatterns", "Images", 140, '|',
            "Images|*.BMP;*.DIB;*.RLE;*.JPG;*.JPEG;*.JPE;*.JFIF;*.GIF;*.TIF;*.TIFF;*.PNG|" + kDialogTypes
                + "|",
            { T::None, T::Bmp, T::Jpeg, T::Gif, T::Tiff, T::Png } },
        FilterCase { "FirstEntryAlone", "Images", 0xFF, '|', "Images|||", { T::None } },
        // A description holding separators goes in unchanged.
        FilterCase { "DescriptionWithSeparators", "Keys|*.txt|Images", 0xEF, '|',
            "Keys|*.txt|Images|*.JPG;*.JPEG;*.JPE;*.JFIF|JPEG (*.JPG;*.JPEG;*.JPE;*.JFIF)|"
            "*.JPG;*.JPEG;*.JPE;*.JFIF||",
            { T::None, T::Jpeg } },
        FilterCase { "IconWhenNotExcluded", nullptr, 0x7F, '|', "ICO (*.ICO)|*.ICO||", { T::Icon } },
        FilterCase { "OtherSeparator", nullptr, 0xFE, '\n', "GIF (*.GIF)\n*.GIF\n\n", { T::Gif } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildImageFilterAppending, KeepsWhatWasThere)
{
    std::string filter = "Text (*.txt)|*.txt|";
    std::vector<ImageType> types { T::None };
    ASSERT_TRUE(SheetImage::BuildImageFilter(filter, types, nullptr, 0xFF, '|'));
    // The list was not empty, so no second separator.
    EXPECT_EQ(filter, "Text (*.txt)|*.txt||");
    EXPECT_EQ(types, std::vector<ImageType> { T::None });
}

} // namespace
