#include "image_test_support.h"

#include <vector>

namespace {

using Bgr = std::array<int, 3>;

struct ConversionCase {
    const char* name;
    int depth;
    std::vector<RgbQuad> table;
    std::vector<uint8_t> topRow; // bytes of row 0
    std::vector<std::pair<int, Bgr>> expected; // x in row 0, colour after conversion
};

void PrintTo(const ConversionCase& c, std::ostream* out)
{
    *out << c.name;
}

class ConvertTo24Bits : public ::testing::TestWithParam<ConversionCase> { };

TEST_P(ConvertTo24Bits, TakesColoursFromTheTableOrThe565Pixel)
{
    const ConversionCase& c = GetParam();
    SheetImage image;
    ASSERT_TRUE(image.Create(10, 2, c.depth));
    image.SetColorTable(0, static_cast<int>(c.table.size()), c.table.data());
    std::copy(c.topRow.begin(), c.topRow.end(), image.GetPixelAddress(0, 0));

    image.ConvertTo24Bits();
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetPitch(), -32);
    EXPECT_EQ(image.GetColorTableSize(), 0);
    for (const auto& [x, bgr] : c.expected)
        EXPECT_EQ(BgrAt(image, x, 0), bgr) << "pixel " << x;
}

const RgbQuad kDark { 1, 2, 3, 0 }, kLight { 4, 5, 6, 0 };

INSTANTIATE_TEST_SUITE_P(Depths, ConvertTo24Bits,
    ::testing::Values(
        // Leftmost pixel in the most significant bit.
        ConversionCase { "OneBit", 1, { kDark, kLight }, { 0b10100000, 0b01000000 },
            { { 0, { 4, 5, 6 } }, { 1, { 1, 2, 3 } }, { 2, { 4, 5, 6 } }, { 8, { 1, 2, 3 } },
                { 9, { 4, 5, 6 } } } },
        ConversionCase { "FourBits", 4,
            { kDark, kLight, {}, { 7, 8, 9, 0 }, {}, {}, {}, {}, {}, {}, { 10, 11, 12, 0 } }, { 0x3A, 0x01 },
            { { 0, { 7, 8, 9 } }, { 1, { 10, 11, 12 } }, { 2, { 1, 2, 3 } }, { 3, { 4, 5, 6 } } } },
        ConversionCase { "EightBits", 8, std::vector<RgbQuad>(256, RgbQuad { 200, 100, 50, 0 }), { 0, 255 },
            { { 0, { 200, 100, 50 } }, { 1, { 200, 100, 50 } } } },
        // Little-endian words: F800 red, 07E0 green, 001F blue, 8410 the middle of each range.
        ConversionCase { "Rgb565", 16, {}, { 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84, 0xFF, 0xFF },
            { { 0, { 0, 0, 255 } }, { 1, { 0, 255, 0 } }, { 2, { 255, 0, 0 } }, { 3, { 132, 130, 132 } },
                { 4, { 255, 255, 255 } }, { 5, { 0, 0, 0 } } } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertTo24BitsIgnored, DeepImagesStayAsTheyAre)
{
    for (const bool hasAlpha : { false, true }) {
        SheetImage image;
        ASSERT_TRUE(image.Create(3, 2, 32, hasAlpha));
        FillPattern(image);
        const std::vector<uint8_t> before(image.GetPixelAddress(0, 1), image.GetPixelAddress(0, 1) + 24);
        image.ConvertTo24Bits();
        EXPECT_EQ(image.GetBitsPerPixel(), 32);
        EXPECT_EQ(image.HasAlphaChannel(), hasAlpha);
        EXPECT_EQ(
            std::vector<uint8_t>(image.GetPixelAddress(0, 1), image.GetPixelAddress(0, 1) + 24), before);
    }
    SheetImage empty;
    empty.ConvertTo24Bits();
    EXPECT_TRUE(empty.IsEmpty());
}

} // namespace
