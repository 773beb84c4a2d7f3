#include "framework/safe_file_write.h"
#include "image/gif_encoder.h"
#include "image/image_codecs.h"
#include "image/qt_encoder.h"
#include "image/sheet_image.h"

#include <QByteArray>

#include <string_view>

Status SheetImage::SaveToFile(const std::string& path) const
{
    const ImageCodec* codec = EncoderForPath(path);
    if (!codec)
        return Status::Failure(path + ": no image type has this extension (use jpg, gif, tif, png or bmp)");
    if (IsEmpty())
        return Status::Failure("the image holds no pixels to save");

    QByteArray bytes;
    const Status encoded = codec->type == ImageType::Gif ? EncodeGif(*this, bytes)
                                                         : EncodeWithQt(*this, codec->qtFormat, bytes);
    if (!encoded)
        return encoded;
    if (const Status written
        = WriteFileSafely(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        !written)
        return written;
    return {};
}
