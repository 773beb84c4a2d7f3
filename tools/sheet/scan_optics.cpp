#include "scan_optics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kLid = 255;

uchar ToByte(double value)
{
    return static_cast<uchar>(std::clamp(std::lround(value), 0l, 255l));
}

std::vector<float> GaussianKernel(double sigma)
{
    const int radius = static_cast<int>(std::ceil(3 * sigma));
    std::vector<float> kernel(static_cast<size_t>(2 * radius + 1));
    double sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[static_cast<size_t>(i + radius)]
            = static_cast<float>(std::exp(-i * i / (2 * sigma * sigma)));
    for (float& weight : kernel)
        weight = static_cast<float>(weight / sum);
    return kernel;
}

// Convolves the planes of channel values along one direction: step 1 for rows,
// the plane's width for columns; edges repeat their last pixel.
void Convolve(
    std::vector<float>& plane, int width, int height, const std::vector<float>& kernel, bool alongRows)
{
    const int radius = static_cast<int>(kernel.size() / 2);
    const int lines = alongRows ? height : width;
    const int length = alongRows ? width : height;
    const size_t lineStep = alongRows ? static_cast<size_t>(3 * width) : 3;
    const size_t step = alongRows ? 3 : static_cast<size_t>(3 * width);
    std::vector<float> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l)
        for (size_t channel = 0; channel < 3; ++channel) {
            float* first = plane.data() + static_cast<size_t>(l) * lineStep + channel;
            for (int i = 0; i < length; ++i)
                line[static_cast<size_t>(i)] = first[static_cast<size_t>(i) * step];
            for (int i = 0; i < length; ++i) {
                float value = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int source = std::clamp(i + k, 0, length - 1);
                    value += kernel[static_cast<size_t>(k + radius)] * line[static_cast<size_t>(source)];
                }
                first[static_cast<size_t>(i) * step] = value;
            }
        }
}

} // namespace

double SampleBilinear(const QImage& page, double x, double y, int channel, int outside)
{
    const int left = static_cast<int>(std::floor(x));
    const int top = static_cast<int>(std::floor(y));
    const double fx = x - left;
    const double fy = y - top;
    const auto at = [&](int column, int row) -> double {
        if (column < 0 || row < 0 || column >= page.width() || row >= page.height())
            return outside;
        return page.constScanLine(row)[3 * column + channel];
    };
    const double upper = at(left, top) * (1 - fx) + at(left + 1, top) * fx;
    const double lower = at(left, top + 1) * (1 - fx) + at(left + 1, top + 1) * fx;
    return upper * (1 - fy) + lower * fy;
}

QImage PlaceOnGlass(const QImage& page, double degrees, double shiftX, double shiftY)
{
    QImage scan(page.size(), QImage::Format_RGB888);
    scan.setDotsPerMeterX(page.dotsPerMeterX());
    scan.setDotsPerMeterY(page.dotsPerMeterY());
    const double cosine = std::cos(degrees * kPi / 180);
    const double sine = std::sin(degrees * kPi / 180);
    const double centreX = page.width() / 2.0;
    const double centreY = page.height() / 2.0;
    for (int y = 0; y < scan.height(); ++y) {
        uchar* pixel = scan.scanLine(y);
        for (int x = 0; x < scan.width(); ++x, pixel += 3) {
            // Back from the scan to the page; rows grow downwards, so turning the
            // right side up is a turn the other way in these coordinates.
            const double u = x + 0.5 - centreX - shiftX;
            const double v = y + 0.5 - centreY - shiftY;
            const double pageX = centreX + u * cosine - v * sine - 0.5;
            const double pageY = centreY + u * sine + v * cosine - 0.5;
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = ToByte(SampleBilinear(page, pageX, pageY, channel, kLid));
        }
    }
    return scan;
}

void BlurOptically(QImage& image, double sigma)
{
    if (sigma <= 0)
        return;
    const int width = image.width();
    const int height = image.height();
    std::vector<float> plane(static_cast<size_t>(3 * width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(image.constScanLine(y), 3 * width, plane.begin() + static_cast<ptrdiff_t>(3 * width) * y);
    const std::vector<float> kernel = GaussianKernel(sigma);
    Convolve(plane, width, height, kernel, true);
    Convolve(plane, width, height, kernel, false);
    for (int y = 0; y < height; ++y) {
        uchar* pixel = image.scanLine(y);
        const float* value = plane.data() + static_cast<ptrdiff_t>(3 * width) * y;
        for (int i = 0; i < 3 * width; ++i)
            pixel[i] = ToByte(value[i]);
    }
}

QPoint AddMarkSpeck(QImage& image, QPoint corner, const PixelRect& window, SheetRandom& random)
{
    // Up to 30 columns either side of the corner: to its right the speck becomes the
    // reference point, to its left it only lies in the window.
    const double cx = std::clamp(corner.x() + random.Uniform(-30, 30), window.left + 2.0, window.right - 2.0);
    const double cy = std::clamp(corner.y() + random.Uniform(-35, 20), window.top + 2.0, window.bottom - 2.0);
    const double radius = random.Uniform(1.0, 1.8);
    const int grey = random.Between(15, 50);
    for (int y = static_cast<int>(cy - radius); y <= static_cast<int>(cy + radius); ++y)
        for (int x = static_cast<int>(cx - radius); x <= static_cast<int>(cx + radius); ++x) {
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > radius)
                continue;
            uchar* pixel = image.scanLine(y) + 3 * x;
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<uchar>(std::min<int>(pixel[channel], grey));
        }
    return { static_cast<int>(cx), static_cast<int>(cy) };
}
