#include "image_test_support.h"

#include <QPainter>

namespace {

constexpr QRgb kUntouched = 0xFF123456;

struct DepthCase {
    int depth;
    bool hasAlpha;
};

std::string DepthName(const DepthCase& c)
{
    return "Depth" + std::to_string(c.depth) + (c.hasAlpha ? "Alpha" : "");
}

void PrintTo(const DepthCase& c, std::ostream* out)
{
    *out << DepthName(c);
}

SheetImage Patterned(const DepthCase& c)
{
    SheetImage image;
    EXPECT_TRUE(image.Create(7, 5, c.depth, c.hasAlpha));
    FillPattern(image);
    return image;
}

QRgb ExpectedColor(const SheetImage& reference, int x, int y)
{
    const auto bgr = BgrAt(reference, x, y);
    return qRgb(bgr[2], bgr[1], bgr[0]);
}

class StretchDraw : public ::testing::TestWithParam<DepthCase> {
protected:
    StretchDraw()
        : m_reference(Patterned(GetParam()))
    {
        m_reference.ConvertTo24Bits();
    }

    // Draws into a fresh canvas and checks every canvas pixel: inside the target it
    // shows source pixel expectedSource(x, y), or stays untouched when that is none.
    template <typename Expected> void Check(const QRect& target, const QRect& source, Expected expectedSource)
    {
        const SheetImage image = Patterned(GetParam());
        QImage canvas(16, 12, QImage::Format_ARGB32);
        canvas.fill(kUntouched);
        {
            QPainter painter(&canvas);
            image.StretchDraw(painter, target, source);
        }
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const std::optional<QPoint> from
                    = target.contains(x, y) ? expectedSource(x, y) : std::nullopt;
                const QRgb want = from ? ExpectedColor(m_reference, from->x(), from->y()) : kUntouched;
                ASSERT_EQ(canvas.pixel(x, y), want) << "canvas pixel " << x << ", " << y;
            }
    }

    SheetImage m_reference;
};

TEST_P(StretchDraw, UnscaledCopyLandsAtTheTarget)
{
    Check(QRect(3, 2, 7, 5), QRect(0, 0, 7, 5),
        [](int x, int y) { return std::optional(QPoint(x - 3, y - 2)); });
}

TEST_P(StretchDraw, DoubledSizeRepeatsEachPixel)
{
    Check(QRect(0, 0, 14, 10), QRect(0, 0, 7, 5),
        [](int x, int y) { return std::optional(QPoint(x / 2, y / 2)); });
}

TEST_P(StretchDraw, PartOfTheImage)
{
    Check(QRect(1, 1, 3, 2), QRect(2, 3, 3, 2),
        [](int x, int y) { return std::optional(QPoint(x + 1, y + 2)); });
}

TEST_P(StretchDraw, SourceReachingPastTheImageDrawsOnlyWhatExists)
{
    Check(QRect(0, 0, 4, 4), QRect(5, 3, 4, 4),
        [](int x, int y) { return x < 2 && y < 2 ? std::optional(QPoint(x + 5, y + 3)) : std::nullopt; });
}

INSTANTIATE_TEST_SUITE_P(Depths, StretchDraw,
    ::testing::Values(DepthCase { 1, false }, DepthCase { 4, false }, DepthCase { 8, false },
        DepthCase { 16, false }, DepthCase { 24, false }, DepthCase { 32, false }, DepthCase { 32, true }),
    [](const auto& info) { return DepthName(info.param); });

TEST(StretchDrawEmpty, DrawsNothing)
{
    QImage canvas(4, 4, QImage::Format_ARGB32);
    canvas.fill(kUntouched);
    QPainter painter(&canvas);
    SheetImage().StretchDraw(painter, QRect(0, 0, 4, 4), QRect(0, 0, 4, 4));
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), kUntouched);
}

} // namespace
