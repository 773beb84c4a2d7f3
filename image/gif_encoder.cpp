#include "image/gif_encoder.h"

#include "image/gif_palette.h"

#include <QByteArray>

#include <gif_lib.h>

#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int kMaxGifSide = 65535;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length)
{
    try {
        static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
        return length;
    } catch (const std::bad_alloc&) {
        return 0; // giflib reports a write error
    }
}

struct ColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// A GIF colour table has a power-of-two size of at least 2; the rest stays black.
std::unique_ptr<ColorMapObject, ColorMapDeleter> MakeColorMap(const std::vector<RgbQuad>& palette)
{
    int size = 2;
    while (size < static_cast<int>(palette.size()))
        size *= 2;
    std::vector<GifColorType> colors(static_cast<size_t>(size), GifColorType { 0, 0, 0 });
    for (size_t i = 0; i < palette.size(); ++i)
        colors[i] = GifColorType { palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue };
    return std::unique_ptr<ColorMapObject, ColorMapDeleter>(GifMakeMapObject(size, colors.data()));
}

Status GifFailure(int error)
{
    const char* reason = GifErrorString(error);
    return Status::Failure(
        std::string("cannot encode the image as GIF: ") + (reason ? reason : "unknown error"));
}

} // namespace

Status EncodeGif(const SheetImage& image, QByteArray& bytes)
{
    const int width = image.GetWidth(), height = image.GetHeight();
    if (width > kMaxGifSide || height > kMaxGifSide)
        return Status::Failure("a GIF image is at most 65535 pixels wide and high");
    PaletteImage pixels;
    if (Status reduced = ToPaletteImage(image, pixels); !reduced)
        return reduced;
    const auto colorMap = MakeColorMap(pixels.palette);
    if (!colorMap)
        return Status::Failure("not enough memory for the GIF colour table");

    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendBytes, &error);
    if (!gif)
        return GifFailure(error);
    bool written = EGifPutScreenDesc(gif, width, height, colorMap->BitsPerPixel, 0, colorMap.get()) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; y < height && written; ++y)
        written = EGifPutLine(gif, pixels.indices.data() + static_cast<size_t>(y) * width, width) == GIF_OK;
    const int writeError = gif->Error;
    int closeError = 0;
    // Closing writes the trailer, so it can fail too; it frees the handle either way.
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!written)
        return GifFailure(writeError);
    if (!closed)
        return GifFailure(closeError);
    return {};
}
