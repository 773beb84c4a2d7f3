#include "image/page_normalise.h"

#include "framework/format.h"
#include "image/pixel_access.h"
#include "image/sheet_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr int kEngineDpi = 100;
constexpr int kA4Width = 827; // 210 mm at 100 dpi
constexpr int kA4Height = 1169; // 297 mm
// A 100-dpi scan of a little more than the sheet, or with the scanner's margins.
constexpr double kUntouchedSlack = 1.3;
constexpr double kLowestDpi = 140;
constexpr double kHighestDpi = 620;
// How far width and height may disagree about the resolution of one paper.
constexpr double kAspectTolerance = 0.05;
// Widths a scanned A4 or Letter sheet can have, with or without the scanner's margins.
constexpr double kNarrowestSheetInches = 0.7 * 210 / 25.4;
constexpr double kWidestSheetInches = 1.3 * 8.5;

struct Paper {
    double widthInches;
    double heightInches;
};
constexpr Paper kPapers[] = { { 210 / 25.4, 297 / 25.4 }, { 8.5, 11.0 } };

bool IsPlausible(double dpi)
{
    return dpi >= kLowestDpi && dpi <= kHighestDpi;
}

// The file's resolution, or 0 when it said nothing useful. A field that would make
// the page far narrower or wider than a sheet belongs to some earlier step (a page
// scaled down and its field left as it was), not to the scan.
int StatedDpi(const SheetImage& page)
{
    const int dpi = page.GetDotsPerInch();
    if (dpi == 72 || dpi == 96 || dpi <= 0)
        return 0;
    const double inches = static_cast<double>(page.GetWidth()) / dpi;
    if (dpi != kEngineDpi && (inches < kNarrowestSheetInches || inches > kWidestSheetInches))
        return 0;
    return dpi;
}

bool FitsUntouched(const SheetImage& page)
{
    return page.GetWidth() <= kA4Width * kUntouchedSlack && page.GetHeight() <= kA4Height * kUntouchedSlack;
}

// The resolution at which the page is A4 or Letter, if any plausible one.
std::optional<double> DpiFromSize(int width, int height)
{
    for (const Paper& paper : kPapers) {
        const double across = width / paper.widthInches;
        const double down = height / paper.heightInches;
        if (IsPlausible(across) && std::abs(across - down) <= kAspectTolerance * across)
            return across;
    }
    return std::nullopt;
}

// Input pixels [first, first + weights.size()) with their share of one output pixel,
// in 1/256 of an input pixel.
struct Span {
    int first = 0;
    std::vector<uint32_t> weights;
    uint32_t total = 0;
};

std::vector<Span> Spans(int inputLength, int outputLength)
{
    const double scale = static_cast<double>(inputLength) / outputLength;
    std::vector<Span> spans(static_cast<size_t>(outputLength));
    for (int out = 0; out < outputLength; ++out) {
        const double begin = out * scale;
        const double end = std::min<double>(inputLength, (out + 1) * scale);
        Span& span = spans[static_cast<size_t>(out)];
        span.first = static_cast<int>(begin);
        for (int in = span.first; in < end; ++in) {
            const double overlap = std::min<double>(end, in + 1) - std::max<double>(begin, in);
            const auto weight = static_cast<uint32_t>(std::lround(overlap * 256));
            span.weights.push_back(weight);
            span.total += weight;
        }
        if (span.total == 0) { // a sliver of the last pixel
            span.weights.assign(1, 1);
            span.total = 1;
        }
    }
    return spans;
}

// One row of any stored depth as blue, green, red.
void RowAsColour(const SheetImage& page, int y, std::vector<RgbQuad>& table, uint8_t* out)
{
    const uint8_t* row = page.GetPixelAddress(0, y);
    const int width = page.GetWidth();
    switch (page.GetBitsPerPixel()) {
    case 24:
        std::copy_n(row, static_cast<size_t>(width) * 3, out);
        return;
    case 32:
        for (int x = 0; x < width; ++x, row += 4, out += 3)
            std::copy_n(row, 3, out);
        return;
    case 16:
        for (int x = 0; x < width; ++x, out += 3) {
            const Rgb8 color = ExpandRgb565(row + 2 * x);
            out[0] = color.blue;
            out[1] = color.green;
            out[2] = color.red;
        }
        return;
    default:
        for (int x = 0; x < width; ++x, out += 3) {
            const RgbQuad& color = table[PackedIndex(row, x, page.GetBitsPerPixel())];
            out[0] = color.rgbBlue;
            out[1] = color.rgbGreen;
            out[2] = color.rgbRed;
        }
    }
}

// Each output pixel is the mean of the input area it covers, so a black-and-white
// page comes out with the grey levels a coarser sensor would see.
Status AreaAverage(const SheetImage& page, int width, int height, SheetImage& out)
{
    if (Status created = out.CreateForOverwrite(width, height, 24); !created)
        return created;
    const std::vector<Span> across = Spans(page.GetWidth(), width);
    const std::vector<Span> down = Spans(page.GetHeight(), height);
    std::vector<RgbQuad> table(static_cast<size_t>(page.GetColorTableSize()));
    page.GetColorTable(0, page.GetColorTableSize(), table.data());

    std::vector<uint8_t> colour(static_cast<size_t>(page.GetWidth()) * 3);
    std::vector<uint32_t> sum(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const Span& rows = down[static_cast<size_t>(y)];
        std::fill(sum.begin(), sum.end(), 0);
        for (size_t r = 0; r < rows.weights.size(); ++r) {
            RowAsColour(page, rows.first + static_cast<int>(r), table, colour.data());
            for (int x = 0; x < width; ++x) {
                const Span& columns = across[static_cast<size_t>(x)];
                const uint8_t* in = colour.data() + static_cast<size_t>(columns.first) * 3;
                uint32_t b = 0, g = 0, red = 0;
                for (const uint32_t weight : columns.weights) {
                    b += weight * in[0];
                    g += weight * in[1];
                    red += weight * in[2];
                    in += 3;
                }
                uint32_t* s = sum.data() + static_cast<size_t>(x) * 3;
                s[0] += b * rows.weights[r];
                s[1] += g * rows.weights[r];
                s[2] += red * rows.weights[r];
            }
        }
        uint8_t* to = out.GetPixelAddress(0, y);
        for (int x = 0; x < width; ++x) {
            const uint64_t total = static_cast<uint64_t>(across[static_cast<size_t>(x)].total) * rows.total;
            for (int c = 0; c < 3; ++c)
                *to++ = static_cast<uint8_t>((sum[static_cast<size_t>(x) * 3 + c] + total / 2) / total);
        }
    }
    out.SetDotsPerInch(kEngineDpi);
    return {};
}

} // namespace

std::string PageSizeMessage(int width, int height)
{
    return FormatText("ขนาดภาพ %d x %d จุด ไม่ใช่ขนาดที่โปรแกรมอ่านได้\n"
                      "โปรแกรมอ่านกระดาษ A4 ที่ 100 dpi (%d x %d จุด)\n"
                      "โปรดตั้งเครื่องสแกนเป็นกระดาษ A4 ที่ 200 หรือ 300 dpi",
        width, height, kA4Width, kA4Height);
}

bool SizeShowsResolution(const SheetImage& page)
{
    return !FitsUntouched(page) && DpiFromSize(page.GetWidth(), page.GetHeight()).has_value();
}

Status NormalisePage(SheetImage& page)
{
    const int stated = StatedDpi(page);
    if (stated == kEngineDpi || (!IsPlausible(stated) && FitsUntouched(page)))
        return {};
    const std::optional<double> dpi = IsPlausible(stated) ? std::optional<double>(stated)
                                                          : DpiFromSize(page.GetWidth(), page.GetHeight());
    if (!dpi)
        return Status::Failure(PageSizeMessage(page.GetWidth(), page.GetHeight()));
    const int width = std::max(1, static_cast<int>(std::lround(page.GetWidth() * kEngineDpi / *dpi)));
    const int height = std::max(1, static_cast<int>(std::lround(page.GetHeight() * kEngineDpi / *dpi)));
    SheetImage normalised;
    if (Status averaged = AreaAverage(page, width, height, normalised); !averaged)
        return averaged;
    page = std::move(normalised);
    return {};
}
