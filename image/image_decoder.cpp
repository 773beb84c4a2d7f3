#include "image/bmp_header.h"
#include "image/decoded_image.h"
#include "image/image_codecs.h"
#include "image/sheet_image.h"
#include "image/stream_completeness.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdlib>
#include <optional>

namespace
{

constexpr int64_t kMebibyte = 1 << 20;

// Widest pixel Qt may decode into: four 32-bit float channels.
constexpr int64_t kWidestPixelBytes = 16;

// Lets the decoder allocate what the announced size needs at its widest pixel
// format, and no more. Without a size, what the pixel limit allows at 4 bytes.
int AllocationLimitMiB(const QSize& size)
{
    const int64_t bytes = size.isValid()
        ? static_cast<int64_t>(size.width()) * size.height() * kWidestPixelBytes
        : SheetImage::kMaxPixels * 4;
    return static_cast<int>(bytes / kMebibyte + 1);
}

// Pixels the file's header announces; -1 when unknown. Qt gives no size for a
// bitmap it deems too large, so those headers are read here.
int64_t AnnouncedPixels(const QSize& size, ImageType type, QIODevice& file)
{
    if (size.isValid())
        return static_cast<int64_t>(size.width()) * size.height();
    if (type == ImageType::Bmp)
        if (const std::optional<BmpHeader> header = ReadBmpHeader(file))
            return std::llabs(header->width) * std::llabs(header->height);
    return -1;
}

ImageResult Failure(ImageError error, const std::string& path, const std::string& why)
{
    return ImageResult::Failure(error, path + ": " + why);
}

} // namespace

ImageResult SheetImage::LoadFromFile(const std::string& path)
{
    const QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    const QFileInfo info(name);
    if (!info.exists())
        return Failure(ImageError::CannotOpen, path, "no such file");
    if (!info.isFile())
        return Failure(ImageError::CannotOpen, path, "not a file");
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(ImageError::CannotOpen, path, file.errorString().toStdString());

    QImageReader reader(&file);
    // By content only: a name's suffix would pick Qt's header-less "dib" reader
    // for *.dib bitmaps, or the wrong reader for a misnamed file.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const std::string format = reader.format().toStdString();
    const ImageCodec* codec = DecoderForQtFormat(format);
    if (!codec)
        return Failure(ImageError::CannotDecode, path, "not a BMP, JPEG, GIF, TIFF, PNG or ICO image");

    QFile probe(name);
    if (!probe.open(QIODevice::ReadOnly))
        return Failure(ImageError::CannotOpen, path, probe.errorString().toStdString());

    // The header's size decides before any pixel memory is taken.
    const QSize size = reader.size();
    const int64_t pixels = AnnouncedPixels(size, codec->type, probe);
    if (pixels > kMaxPixels)
        return Failure(
            ImageError::TooLarge, path, std::to_string(pixels) + " pixels are more than 100 megapixels");
    if (!IsStreamComplete(probe, format))
        return Failure(
            ImageError::CannotDecode, path, std::string(codec->description) + " data is truncated");

    reader.setAllocationLimit(AllocationLimitMiB(size));
    QImage decoded;
    if (!reader.read(&decoded))
        return Failure(ImageError::CannotDecode, path, reader.errorString().toStdString());

    SheetImage loaded;
    if (ImageResult stored = StoreDecodedImage(decoded, loaded); !stored)
        return Failure(stored.error, path, stored.message);
    *this = std::move(loaded);
    return {};
}
