#include "engine_test_support.h"

#include <optional>

namespace {

// The last black pixel in column order: the rightmost column of the mark, lowest
// pixel, though walked row by row. The pure white pixels of both windows, and no
// others, turn cyan; measuring again finds the same points.
TEST_F(EngineTest, ReferencePointIsTheLastBlackPixelInColumnOrder)
{
    SheetImage image = WhiteImage(800, 600);
    Fill(image, 100, 430, 120, 460, kBlack);
    Dot(image, 60, 499, kBlack); // lower, but in an earlier column
    Dot(image, 120, 400, kBlack);
    DrawMark(image, 720, 460);
    Dot(image, 770, 400, kBlack); // a later column, but outside the right window
    Dot(image, 50, 420, kDarkGrey);
    Dot(image, 51, 420, { 254, 255, 255 });
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);
        EXPECT_EQ(engine.g_skew.leftMarkX, 120.0f);
        EXPECT_EQ(engine.g_skew.leftMarkY, 460.0f);
        EXPECT_EQ(engine.g_skew.rightMarkX, 720.0f);
        EXPECT_EQ(engine.g_skew.rightMarkY, 460.0f);
        EXPECT_EQ(engine.g_skew.angleRadians, 0.0);
    }
    EXPECT_TRUE(messages.texts.empty());
    for (const auto& [x, y, colour] :
        { std::tuple { 25, 400, kCyan }, { 169, 499, kCyan }, { 675, 400, kCyan }, { 769, 499, kCyan },
            { 130, 450, kCyan }, { 24, 400, kWhite }, { 170, 450, kWhite }, { 25, 399, kWhite },
            { 25, 500, kWhite }, { 674, 450, kWhite }, { 700, 500, kWhite }, { 100, 450, kBlack },
            { 50, 420, kDarkGrey }, { 51, 420, Rgb { 254, 255, 255 } } })
        EXPECT_EQ(PixelAt(image, x, y), colour) << x << ", " << y;
}

struct AngleCase {
    int rightY;
    int showAngle;
    double degrees;
    std::optional<std::string> message;
};

class SkewAngleTest : public EngineTest, public ::testing::WithParamInterface<AngleCase> { };

TEST_P(SkewAngleTest, AngleAndItsMessage)
{
    const AngleCase& c = GetParam();
    SheetImage image = WhiteImage(800, 600);
    DrawMark(image, 100, 450);
    DrawMark(image, 700, c.rightY);
    EXPECT_EQ(image.MeasureSkew(engine, c.showAngle), SheetCheck::Accepted);
    EXPECT_NEAR(engine.g_skew.angleDegrees, c.degrees, 5e-7);
    EXPECT_EQ(
        messages.texts, c.message ? std::vector<std::string> { *c.message } : std::vector<std::string> {});
}

const std::string kTiltWarningUp = " มุมเอียง=1.145764 \nซึ่งมากเกินข้อจำกัด\nอาจทำให้การตรวจผิดพลาด";
const std::string kTiltWarningDown = " มุมเอียง=-1.145764 \nซึ่งมากเกินข้อจำกัด\nอาจทำให้การตรวจผิดพลาด";

// Right mark 12 rows higher over 600 columns: slope -0.02, a positive angle, in
// degrees by 180 / 3.14159 (1.145763 by 180 / pi).
INSTANTIATE_TEST_SUITE_P(Angles, SkewAngleTest,
    ::testing::Values(AngleCase { 450, 0, 0.0, std::nullopt }, AngleCase { 450, 1, 0.0, " มุมเอียง=0.000000" },
        AngleCase { 438, 0, 1.145764, kTiltWarningUp }, AngleCase { 462, 0, -1.145764, kTiltWarningDown },
        AngleCase { 440, 0, 0.954842, std::nullopt }, AngleCase { 460, 0, -0.954842, std::nullopt },
        AngleCase { 438, 1, 1.145764, " มุมเอียง=1.145764" }));

TEST_F(EngineTest, LowDepthSheetIsMeasuredAsTrueColour)
{
    SheetImage image;
    ASSERT_TRUE(image.Create(800, 600, 8).ok());
    const RgbQuad table[2] = { { 255, 255, 255, 0 }, { 0, 0, 0, 0 } };
    image.SetColorTable(0, 2, table);
    for (const int x : { 100, 700 })
        image.GetPixelAddress(x, 450)[0] = 1;
    EXPECT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(engine.g_skew.leftMarkX, 100.0f);
    EXPECT_EQ(engine.g_skew.rightMarkX, 700.0f);
}

struct RefusalCase {
    int width;
    int leftMarkX; // 0: no left mark
    int rightMarkX; // 0: no right mark
    SheetCheck expected;
};

class SkewRefusalTest : public EngineTest, public ::testing::WithParamInterface<RefusalCase> { };

// Nothing is left that a grid could be laid by; a sheet too small is not painted.
TEST_P(SkewRefusalTest, RefusedSheetLeavesNoMeasurement)
{
    const RefusalCase& c = GetParam();
    engine.g_skew = { 100, 450, 700, 450, 0.5, 28.6 };
    SheetImage image = WhiteImage(c.width, 600);
    if (c.leftMarkX)
        DrawMark(image, c.leftMarkX, 450);
    if (c.rightMarkX)
        DrawMark(image, c.rightMarkX, 450);
    EXPECT_EQ(image.MeasureSkew(engine, 1), c.expected);
    EXPECT_EQ(messages.texts, std::vector<std::string> { RefusalMessage(c.expected) });
    EXPECT_EQ(engine.g_skew.leftMarkX, 0.0f);
    EXPECT_EQ(engine.g_skew.leftMarkY, 0.0f);
    EXPECT_EQ(engine.g_skew.angleRadians, 0.0);
    EXPECT_EQ(PixelAt(image, 50, 450), c.expected == SheetCheck::TooSmall ? kWhite : kCyan);
}

INSTANTIATE_TEST_SUITE_P(Sheets, SkewRefusalTest,
    ::testing::Values(RefusalCase { 769, 100, 700, SheetCheck::TooSmall },
        RefusalCase { 800, 100, 0, SheetCheck::NoRegistrationMark },
        RefusalCase { 800, 0, 700, SheetCheck::NoRegistrationMark },
        RefusalCase { 800, 0, 0, SheetCheck::NoRegistrationMark }));

TEST_F(EngineTest, EmptyImageIsTooSmall)
{
    SheetImage image;
    EXPECT_EQ(image.PrepareSheet(engine), SheetCheck::TooSmall);
    EXPECT_EQ(image.MeasureSkew(engine, 0), SheetCheck::TooSmall);
}

} // namespace
