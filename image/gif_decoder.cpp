#include "image/gif_decoder.h"

#include "image/compression_bound.h"
#include "image/decode_messages.h"
#include "image/sheet_image.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

int ReadInput(GifFileType* gif, GifByteType* destination, int count)
{
    auto* input = static_cast<Input*>(gif->UserData);
    const size_t taken = std::min(static_cast<size_t>(std::max(count, 0)), input->size - input->at);
    std::memcpy(destination, input->data + input->at, taken);
    input->at += taken;
    return static_cast<int>(taken);
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

Status Corrupt(int gifError)
{
    const char* why = GifErrorString(gifError);
    return CorruptImage(std::string("GIF: ") + (why ? why : "unreadable"));
}

// Skips extensions up to the first picture and reads its descriptor. Returns the
// transparent colour index of its graphic control block, or -1.
Status ReadToFirstPicture(GifFileType* gif, int& transparent)
{
    transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            return Corrupt(gif->Error);
        if (record == IMAGE_DESC_RECORD_TYPE)
            return DGifGetImageDesc(gif) == GIF_ERROR ? Corrupt(gif->Error) : Status {};
        if (record != EXTENSION_RECORD_TYPE)
            return CorruptImage("GIF: no picture");
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
            return Corrupt(gif->Error);
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
            transparent = block[4];
        while (block)
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return Corrupt(gif->Error);
    }
}

// Colours as Qt's reader gives them, alpha aside: the transparent one is black.
void CopyColours(const ColorMapObject* colours, int transparent, SheetImage& image)
{
    for (int i = 0; colours && i < std::min(colours->ColorCount, image.GetColorTableSize()); ++i) {
        const GifColorType& c = colours->Colors[i];
        const RgbQuad entry = i == transparent ? RgbQuad {} : RgbQuad { c.Blue, c.Green, c.Red, 0 };
        image.SetColorTable(i, 1, &entry);
    }
}

// The order in which the rows of a picture are stored.
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(height));
    constexpr std::array<std::array<int, 2>, 4> kPasses { { { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } } };
    for (const auto& [first, step] : kPasses) {
        for (int y = interlaced ? first : 0; y < height; y += interlaced ? step : 1)
            rows.push_back(y);
        if (!interlaced)
            break;
    }
    return rows;
}

} // namespace

Status DecodeGif(const uint8_t* data, size_t size, SheetImage& image)
{
    Input input { data, size };
    int error = 0;
    const GifFile gif(DGifOpen(&input, ReadInput, &error));
    if (!gif)
        return Corrupt(error);
    int transparent = -1;
    if (Status read = ReadToFirstPicture(gif.get(), transparent); !read)
        return read;

    const GifImageDesc& picture = gif->Image;
    const int64_t width = std::max<int64_t>(gif->SWidth, int64_t { picture.Left } + picture.Width);
    const int64_t height = std::max<int64_t>(gif->SHeight, int64_t { picture.Top } + picture.Height);
    if (width * height > SheetImage::kMaxPixels)
        return Status::Failure(TooManyPixels(width * height));
    if (!CouldHoldPixels(ImageType::Gif, width, height, static_cast<int64_t>(size)))
        return CorruptImage("GIF: " + std::to_string(size) + " bytes cannot hold " + std::to_string(width)
            + " x " + std::to_string(height) + " pixels");

    SheetImage decoded;
    if (Status created = decoded.Create(static_cast<int>(width), static_cast<int>(height), 8); !created)
        return created;
    CopyColours(picture.ColorMap ? picture.ColorMap : gif->SColorMap, transparent, decoded);
    const auto background = static_cast<uint8_t>(gif->SBackGroundColor);
    for (int y = 0; y < decoded.GetHeight() && background != 0; ++y)
        std::memset(decoded.GetPixelAddress(0, y), background, static_cast<size_t>(width));
    for (const int y : RowOrder(picture.Height, picture.Interlace)) {
        if (DGifGetLine(gif.get(), decoded.GetPixelAddress(picture.Left, picture.Top + y), picture.Width)
            == GIF_ERROR)
            return Corrupt(gif->Error);
    }
    image = std::move(decoded);
    return {};
}
