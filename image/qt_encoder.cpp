#include "image/qt_encoder.h"

#include "image/sheet_image.h"
#include "image/upside_down_rows.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

ImageResult EncodeWithQt(const SheetImage& image, const char* qtFormat, QByteArray& bytes)
{
    const QImage picture = ToQImage(image);
    if (picture.isNull())
        return ImageResult::Failure(ImageError::OutOfMemory, "not enough memory to encode the image");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, qtFormat);
    if (!writer.write(picture))
        return ImageResult::Failure(ImageError::CannotEncode, std::string("cannot encode the image as ") + qtFormat
                                                                  + ": " + writer.errorString().toStdString());
    return {};
}
