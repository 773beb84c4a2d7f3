#include "image/qt_encoder.h"

#include "image/sheet_image.h"
#include "image/upside_down_rows.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

namespace {

bool IsBlackAndWhite(const QList<QRgb>& colors)
{
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    return colors.size() == 2
        && ((colors[0] == black && colors[1] == white) || (colors[0] == white && colors[1] == black));
}

// Qt writes two-colour TIFFs as black and white whatever their colours; other
// two-colour tables go out as a palette.
QImage Encodable(QImage picture, const char* qtFormat)
{
    if (picture.format() == QImage::Format_Mono && qstrcmp(qtFormat, "tiff") == 0
        && !IsBlackAndWhite(picture.colorTable()))
        return picture.convertToFormat(QImage::Format_Indexed8);
    return picture;
}

} // namespace

Status EncodeWithQt(const SheetImage& image, const char* qtFormat, QByteArray& bytes)
{
    const QImage picture = Encodable(ToQImage(image), qtFormat);
    if (picture.isNull())
        return Status::Failure("not enough memory to encode the image");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, qtFormat);
    if (!writer.write(picture))
        return Status::Failure(std::string("cannot encode the image as ") + qtFormat + ": "
            + writer.errorString().toStdString());
    return {};
}
