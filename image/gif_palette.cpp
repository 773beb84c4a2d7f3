#include "image/gif_palette.h"

#include "image/pixel_access.h"

#include <gif_lib.h>

#include <new>
#include <unordered_map>

namespace {

constexpr size_t kMaxColors = 256;

void CopyIndices(const SheetImage& image, PaletteImage& result)
{
    const int width = image.GetWidth();
    uint8_t* to = result.indices.data();
    for (int y = 0; y < image.GetHeight(); ++y) {
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < width; ++x)
            *to++ = PackedIndex(row, x, image.GetBitsPerPixel());
    }
    result.palette.resize(static_cast<size_t>(image.GetColorTableSize()));
    image.GetColorTable(0, image.GetColorTableSize(), result.palette.data());
}

Rgb8 ColorAt(const uint8_t* row, int x, int depth)
{
    if (depth == 16)
        return ExpandRgb565(row + 2 * x);
    const uint8_t* pixel = row + static_cast<ptrdiff_t>(x) * (depth / 8);
    return { pixel[2], pixel[1], pixel[0] };
}

uint32_t Key(Rgb8 color)
{
    return (uint32_t { color.red } << 16) | (uint32_t { color.green } << 8) | color.blue;
}

// False when the image has more than 256 colours.
bool IndexExactColors(const SheetImage& image, PaletteImage& result)
{
    std::unordered_map<uint32_t, uint8_t> indexOf;
    uint32_t lastKey = 0;
    uint8_t lastIndex = 0;
    bool haveLast = false;
    uint8_t* to = result.indices.data();
    for (int y = 0; y < image.GetHeight(); ++y) {
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgb8 color = ColorAt(row, x, image.GetBitsPerPixel());
            const uint32_t key = Key(color);
            // Scans are long runs of one colour; skip the lookup for them.
            if (!haveLast || key != lastKey) {
                auto found = indexOf.find(key);
                if (found == indexOf.end()) {
                    if (result.palette.size() == kMaxColors)
                        return false;
                    found = indexOf.emplace(key, static_cast<uint8_t>(result.palette.size())).first;
                    result.palette.push_back(RgbQuad { color.blue, color.green, color.red, 0 });
                }
                lastKey = key;
                lastIndex = found->second;
                haveLast = true;
            }
            *to++ = lastIndex;
        }
    }
    return true;
}

Status QuantizeColors(const SheetImage& image, PaletteImage& result)
{
    const size_t count = result.indices.size();
    std::vector<GifByteType> red(count), green(count), blue(count);
    size_t i = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        const uint8_t* row = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x, ++i) {
            const Rgb8 color = ColorAt(row, x, image.GetBitsPerPixel());
            red[i] = color.red;
            green[i] = color.green;
            blue[i] = color.blue;
        }
    }
    std::vector<GifColorType> colors(kMaxColors);
    int colorCount = static_cast<int>(kMaxColors);
    if (GifQuantizeBuffer(static_cast<unsigned>(image.GetWidth()), static_cast<unsigned>(image.GetHeight()),
            &colorCount, red.data(), green.data(), blue.data(), result.indices.data(), colors.data())
        != GIF_OK)
        return Status::Failure("cannot reduce the image to 256 colours");
    result.palette.clear();
    for (int c = 0; c < colorCount && c < static_cast<int>(kMaxColors); ++c)
        result.palette.push_back(RgbQuad { colors[static_cast<size_t>(c)].Blue,
            colors[static_cast<size_t>(c)].Green, colors[static_cast<size_t>(c)].Red, 0 });
    return {};
}

} // namespace

Status ToPaletteImage(const SheetImage& image, PaletteImage& result)
{
    try {
        result.indices.assign(
            static_cast<size_t>(image.GetWidth()) * static_cast<size_t>(image.GetHeight()), 0);
        result.palette.clear();
        if (image.GetBitsPerPixel() <= 8) {
            CopyIndices(image, result);
            return {};
        }
        if (IndexExactColors(image, result))
            return {};
        return QuantizeColors(image, result);
    } catch (const std::bad_alloc&) {
        return Status::Failure("not enough memory to reduce the image's colours");
    }
}
