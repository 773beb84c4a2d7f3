#include "page_handling.h"

#include "scan_optics.h"

#include "sheet_random.h"

#include <QColor>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

uchar ToByte(double value)
{
    return static_cast<uchar>(std::clamp(std::lround(value), 0l, 255l));
}

// The page as seen through a map from scan pixels to page pixels.
QImage Warp(const QImage& page, const QTransform& scanToPage, QColor outside)
{
    QImage scan(page.size(), QImage::Format_RGB888);
    scan.setDotsPerMeterX(page.dotsPerMeterX());
    scan.setDotsPerMeterY(page.dotsPerMeterY());
    const std::array<int, 3> fill { outside.red(), outside.green(), outside.blue() };
    for (int y = 0; y < scan.height(); ++y) {
        uchar* pixel = scan.scanLine(y);
        for (int x = 0; x < scan.width(); ++x, pixel += 3) {
            const QPointF at = scanToPage.map(QPointF(x + 0.5, y + 0.5));
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel]
                    = ToByte(SampleBilinear(page, at.x() - 0.5, at.y() - 0.5, channel, fill[channel]));
        }
    }
    return scan;
}

// Multiplies every pixel by what the function gives for its position (1: unchanged).
template <typename Light> void Shade(QImage& image, Light light)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += 3) {
            const double factor = light(x, y);
            if (factor == 1)
                continue;
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = ToByte(pixel[channel] * factor);
        }
    }
}

QImage PrintedToScale(const QImage& page, double printScale)
{
    const double cx = page.width() / 2.0;
    const double cy = page.height() / 2.0;
    QTransform toPage;
    toPage.translate(cx, cy);
    toPage.scale(1 / printScale, 1 / printScale);
    toPage.translate(-cx, -cy);
    return Warp(page, toPage, page.pixelColor(2, 2)); // the margin is the paper's own
}

// The back's print, mirrored and a little displaced, darkens the front faintly.
void ShowThrough(QImage& page, SheetRandom& random)
{
    const QImage back = page.mirrored(true, false);
    const double strength = random.Uniform(0.04, 0.10) / 255;
    const int offset = random.Between(40, 200);
    Shade(page, [&](int x, int y) {
        const int row = (y + offset) % back.height();
        return 1 - strength * (255 - back.constScanLine(row)[3 * x]);
    });
}

// A crease across the page: a soft shadow on one side, a thin one on the other.
void Fold(QImage& page, double scale, SheetRandom& random)
{
    const double depth = random.Uniform(15, 40) / 255;
    const double width = random.Uniform(2, 5) * scale;
    const double at = page.height() * random.Uniform(0.3, 0.7);
    const double slope = random.Uniform(-0.02, 0.02);
    Shade(page, [&](int x, int y) {
        const double t = (y + 0.5 - at - slope * (x - page.width() / 2.0)) / width;
        if (std::fabs(t) > 4)
            return 1.0;
        return t >= 0 ? 1 - depth * std::exp(-t * t) : 1 - 0.4 * depth * std::exp(-4 * t * t);
    });
}

// Two holes 80 mm apart, 12 mm from the left edge: the lid's white through them,
// the edge facing the lamp in shadow.
void PunchHoles(QImage& page, double scale, SheetRandom& random)
{
    const double radius = 12 * scale;
    const double x = random.Uniform(42, 52) * scale;
    const double middle = page.height() / 2.0 + random.Uniform(-8, 8) * scale;
    const int rim = random.Between(110, 160);
    for (const double cy : { middle - 157.5 * scale, middle + 157.5 * scale })
        for (int py = static_cast<int>(cy - radius); py <= static_cast<int>(cy + radius); ++py)
            for (int px = static_cast<int>(x - radius); px <= static_cast<int>(x + radius); ++px) {
                const double dx = px + 0.5 - x;
                const double dy = py + 0.5 - cy;
                const double distance = std::hypot(dx, dy);
                if (distance > radius || px < 0 || py < 0 || px >= page.width() || py >= page.height())
                    continue;
                const int grey = distance > radius - 1.5 * scale && dy < 0 ? rim : 250;
                uchar* pixel = page.scanLine(py) + 3 * px;
                std::fill(pixel, pixel + 3, static_cast<uchar>(grey));
            }
}

// The page a hair off the glass on one side: that side comes out a little smaller.
QImage Keystone(const QImage& scan, SheetRandom& random)
{
    const double w = scan.width();
    const double h = scan.height();
    const double k = random.Uniform(0.002, 0.006) * w;
    const bool top = random.Chance(0.5);
    const QPolygonF page { { 0, 0 }, { w, 0 }, { w, h }, { 0, h } };
    const QPolygonF seen = top ? QPolygonF { { k, k / 2 }, { w - k, k / 2 }, { w, h }, { 0, h } }
                               : QPolygonF { { 0, 0 }, { w, 0 }, { w - k, h - k / 2 }, { k, h - k / 2 } };
    QTransform toPage;
    QTransform::quadToQuad(seen, page, toPage);
    return Warp(scan, toPage, Qt::white);
}

// The lid's shadow along one edge, darkest at the edge.
void EdgeShadow(QImage& scan, double scale, SheetRandom& random)
{
    const int edge = random.Below(4);
    const double width = random.Uniform(8, 25) * scale;
    const double depth = random.Uniform(0.3, 0.6);
    Shade(scan, [&](int x, int y) {
        const int distance = edge == 0 ? x
            : edge == 1                ? y
            : edge == 2                ? scan.width() - 1 - x
                                       : scan.height() - 1 - y;
        if (distance >= width)
            return 1.0;
        const double near = 1 - distance / width;
        return 1 - depth * near * near;
    });
}

void Tone(QImage& scan, ScanTone tone, int grey)
{
    std::array<uchar, 256> level {};
    for (int v = 0; v < 256; ++v)
        level[static_cast<size_t>(v)]
            = tone == ScanTone::Light ? ToByte(grey + v * (255.0 - grey) / 255) : ToByte(v * grey / 250.0);
    for (int y = 0; y < scan.height(); ++y) {
        uchar* pixel = scan.scanLine(y);
        for (int i = 0; i < 3 * scan.width(); ++i)
            pixel[i] = level[pixel[i]];
    }
}

} // namespace

void HandlePaper(QImage& page, const PageHandling& handling, double scale)
{
    SheetRandom random = SheetRandom::Derived(handling.seed, 1);
    if (handling.printScale != 1)
        page = PrintedToScale(page, handling.printScale);
    if (handling.showThrough)
        ShowThrough(page, random);
    if (handling.fold)
        Fold(page, scale, random);
    if (handling.holes)
        PunchHoles(page, scale, random);
}

void HandleScanner(QImage& scan, const PageHandling& handling, double scale)
{
    SheetRandom random = SheetRandom::Derived(handling.seed, 2);
    if (handling.perspective)
        scan = Keystone(scan, random);
    if (handling.edgeShadow)
        EdgeShadow(scan, scale, random);
    if (handling.tone != ScanTone::Normal)
        Tone(scan, handling.tone, handling.toneGrey);
}

void TurnAsItLay(QImage& scan, const PageHandling& handling)
{
    if (handling.upsideDown)
        scan = scan.mirrored(true, true);
}
