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

// Each output pixel covers the input pixels [first, first + taps) with their share
// of it in 1/256 of an input pixel; a span shorter than taps has zero weights at its
// end, so the sums need no test per pixel.
struct Spans {
    int taps = 0;
    std::vector<int> first;
    std::vector<uint32_t> weights; // taps per output pixel
    std::vector<uint32_t> total;
};

Spans MakeSpans(int inputLength, int outputLength)
{
    const double scale = static_cast<double>(inputLength) / outputLength;
    Spans spans;
    spans.taps = static_cast<int>(std::ceil(scale)) + 1;
    const auto taps = static_cast<size_t>(spans.taps);
    spans.first.resize(static_cast<size_t>(outputLength));
    spans.weights.assign(static_cast<size_t>(outputLength) * taps, 0);
    spans.total.assign(static_cast<size_t>(outputLength), 0);
    for (int out = 0; out < outputLength; ++out) {
        const auto o = static_cast<size_t>(out);
        const double begin = out * scale;
        const double end = std::min<double>(inputLength, (out + 1) * scale);
        spans.first[o] = static_cast<int>(begin);
        uint32_t* weight = spans.weights.data() + o * taps;
        for (int in = spans.first[o]; in < end; ++in, ++weight) {
            const double overlap = std::min<double>(end, in + 1) - std::max<double>(begin, in);
            *weight = static_cast<uint32_t>(std::lround(overlap * 256));
            spans.total[o] += *weight;
        }
        if (spans.total[o] == 0) { // a sliver of the last pixel
            spans.weights[o * taps] = 1;
            spans.total[o] = 1;
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

// One input row's share of the sums down. Its own function with unaliased
// pointers, so the compiler vectorises it, and built for AVX2 too (chosen when the
// processor has it), since plain x86-64 has no 32-bit vector multiply.
#if defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void AddWeighted(
    uint32_t* __restrict sums, const uint8_t* __restrict row, size_t values, uint32_t weight)
{
    for (size_t i = 0; i < values; ++i)
        sums[i] += weight * row[i];
}

// A rounded quotient without a division per channel: the estimate from the
// reciprocal is off by at most one either way, and the check makes it exact.
uint8_t RoundedQuotient(uint32_t sum, uint32_t total, double reciprocal)
{
    const uint32_t n = sum + total / 2;
    auto q = static_cast<uint32_t>(n * reciprocal);
    if ((q + 1) * total <= n)
        ++q;
    else if (q * total > n)
        --q;
    return static_cast<uint8_t>(q);
}

} // namespace

// Summed down the few input rows of an output row first (long runs the compiler
// vectorises), then across: the same integer sums as over the area at once.
Status AverageToSize(const SheetImage& page, int width, int height, SheetImage& out)
{
    if (Status created = out.CreateForOverwrite(width, height, 24); !created)
        return created;
    const Spans across = MakeSpans(page.GetWidth(), width);
    const Spans down = MakeSpans(page.GetHeight(), height);
    std::vector<RgbQuad> table(static_cast<size_t>(page.GetColorTableSize()));
    page.GetColorTable(0, page.GetColorTableSize(), table.data());
    std::vector<double> reciprocalAcross(across.total.size());
    for (size_t x = 0; x < across.total.size(); ++x)
        reciprocalAcross[x] = 1.0 / across.total[x];

    const size_t values = static_cast<size_t>(page.GetWidth()) * 3;
    const auto taps = static_cast<size_t>(across.taps);
    std::vector<uint8_t> colour(values);
    std::vector<uint32_t> column(values + taps * 3, 0); // zeros past the end for the last spans
    for (int y = 0; y < height; ++y) {
        const auto o = static_cast<size_t>(y);
        const uint32_t* weight = down.weights.data() + o * static_cast<size_t>(down.taps);
        std::fill_n(column.begin(), values, 0);
        for (int r = 0; r < down.taps; ++r) {
            if (weight[r] == 0) // a sliver, or past the span's end (and maybe the page's)
                continue;
            const int input = down.first[o] + r;
            const uint8_t* row = page.GetPixelAddress(0, input);
            if (page.GetBitsPerPixel() != 24) {
                RowAsColour(page, input, table, colour.data());
                row = colour.data();
            }
            AddWeighted(column.data(), row, values, weight[r]);
        }
        uint8_t* to = out.GetPixelAddress(0, y);
        const uint32_t* acrossWeight = across.weights.data();
        const double reciprocalDown = 1.0 / down.total[o];
        for (size_t x = 0; x < across.first.size(); ++x, acrossWeight += taps) {
            const uint32_t* in = column.data() + static_cast<size_t>(across.first[x]) * 3;
            uint32_t b = 0, g = 0, red = 0;
            for (size_t k = 0; k < taps; ++k, in += 3) {
                b += acrossWeight[k] * in[0];
                g += acrossWeight[k] * in[1];
                red += acrossWeight[k] * in[2];
            }
            // At most 6 x 256 by 6 x 256 weights of 255: the sums stay within 32 bits.
            const uint32_t total = across.total[x] * down.total[o];
            const double reciprocal = reciprocalAcross[x] * reciprocalDown;
            *to++ = RoundedQuotient(b, total, reciprocal);
            *to++ = RoundedQuotient(g, total, reciprocal);
            *to++ = RoundedQuotient(red, total, reciprocal);
        }
    }
    out.SetDotsPerInch(kEngineDpi);
    return {};
}

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
    if (Status averaged = AverageToSize(page, width, height, normalised); !averaged)
        return averaged;
    page = std::move(normalised);
    return {};
}
