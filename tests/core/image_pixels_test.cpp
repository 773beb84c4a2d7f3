// Pixels of every depth read through their colour table or their 5-6-5 bits, when
// converted to 24 bits and when drawn.

#include "image/sheet_image_draw.h"
#include "image_test_support.h"

#include <QPainter>

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

class ConvertTo24Bits : public ::testing::TestWithParam<ConversionCase> { };

TEST_P(ConvertTo24Bits, TakesColoursFromTheTableOrThe565Pixel)
{
    const ConversionCase& c = GetParam();
    SheetImage image;
    ASSERT_TRUE(image.Create(10, 2, c.depth));
    image.SetColorTable(0, int(c.table.size()), c.table.data());
    std::copy(c.topRow.begin(), c.topRow.end(), image.GetPixelAddress(0, 0));
    image.ConvertTo24Bits();
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetPitch(), -32);
    EXPECT_EQ(image.GetColorTableSize(), 0);
    for (const auto& [x, bgr] : c.expected)
        EXPECT_EQ(BgrAt(image, x, 0), bgr) << "pixel " << x;
}

const RgbQuad kDark { 1, 2, 3, 0 }, kLight { 4, 5, 6, 0 };

const ConversionCase kConversions[] = {
    // Leftmost pixel in the most significant bit.
    { "OneBit", 1, { kDark, kLight }, { 0b10100000, 0b01000000 },
        { { 0, { 4, 5, 6 } }, { 1, { 1, 2, 3 } }, { 2, { 4, 5, 6 } }, { 8, { 1, 2, 3 } },
            { 9, { 4, 5, 6 } } } },
    { "FourBits", 4, { kDark, kLight, {}, { 7, 8, 9, 0 }, {}, {}, {}, {}, {}, {}, { 10, 11, 12, 0 } },
        { 0x3A, 0x01 },
        { { 0, { 7, 8, 9 } }, { 1, { 10, 11, 12 } }, { 2, { 1, 2, 3 } }, { 3, { 4, 5, 6 } } } },
    { "EightBits", 8, std::vector<RgbQuad>(256, RgbQuad { 200, 100, 50, 0 }), { 0, 255 },
        { { 0, { 200, 100, 50 } }, { 1, { 200, 100, 50 } } } },
    // Little-endian words: F800 red, 07E0 green, 001F blue, 8410 the middle of each range.
    { "Rgb565", 16, {}, { 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84, 0xFF, 0xFF },
        { { 0, { 0, 0, 255 } }, { 1, { 0, 255, 0 } }, { 2, { 255, 0, 0 } }, { 3, { 132, 130, 132 } },
            { 4, { 255, 255, 255 } }, { 5, { 0, 0, 0 } } } },
};

INSTANTIATE_TEST_SUITE_P(Depths, ConvertTo24Bits, ::testing::ValuesIn(kConversions),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertTo24BitsIgnored, DeepOrEmptyImagesStayAsTheyAre)
{
    for (const bool hasAlpha : { false, true }) {
        SheetImage image = Patterned(3, 2, 32, hasAlpha);
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
    QImage canvas(4, 4, QImage::Format_ARGB32);
    canvas.fill(0xFF123456);
    QPainter painter(&canvas);
    StretchDraw(empty, painter, QRect(0, 0, 4, 4), QRect(0, 0, 4, 4));
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), 0xFF123456);
}

// A 7 x 5 image of the depth drawn from `source` onto `target` of a 16 x 12 canvas.
struct DrawCase {
    QRect target, source;
};

class StretchDrawing : public ::testing::TestWithParam<std::tuple<std::pair<int, bool>, DrawCase>> { };

TEST_P(StretchDrawing, ShowsEachSourcePixelOnItsPartOfTheTarget)
{
    const auto [depth, hasAlpha] = std::get<0>(GetParam());
    const auto [target, source] = std::get<1>(GetParam());
    const SheetImage image = Patterned(7, 5, depth, hasAlpha);
    SheetImage reference = Patterned(7, 5, depth, hasAlpha);
    reference.ConvertTo24Bits();
    constexpr QRgb kUntouched = 0xFF123456;
    QImage canvas(16, 12, QImage::Format_ARGB32);
    canvas.fill(kUntouched);
    QPainter painter(&canvas);
    StretchDraw(image, painter, target, source);
    painter.end();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            // Nearest pixel, scaled by whole factors; nothing where the source leaves the image.
            const int fromX = source.x() + (x - target.x()) * source.width() / target.width();
            const int fromY = source.y() + (y - target.y()) * source.height() / target.height();
            const bool drawn = target.contains(x, y) && fromX < 7 && fromY < 5;
            const Bgr bgr = drawn ? BgrAt(reference, fromX, fromY) : Bgr {};
            ASSERT_EQ(canvas.pixel(x, y), drawn ? qRgb(bgr[2], bgr[1], bgr[0]) : kUntouched)
                << x << ", " << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, StretchDrawing,
    ::testing::Combine(::testing::Values(std::pair { 1, false }, std::pair { 4, false },
                           std::pair { 8, false }, std::pair { 16, false }, std::pair { 24, false },
                           std::pair { 32, false }, std::pair { 32, true }),
        ::testing::Values(DrawCase { QRect(3, 2, 7, 5), QRect(0, 0, 7, 5) }, // unscaled
            DrawCase { QRect(0, 0, 14, 10), QRect(0, 0, 7, 5) }, // doubled
            DrawCase { QRect(1, 1, 3, 2), QRect(2, 3, 3, 2) }, // part of the image
            DrawCase { QRect(0, 0, 4, 4), QRect(5, 3, 4, 4) }))); // reaching past the image

} // namespace
