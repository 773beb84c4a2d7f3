#include "image_output.h"

#include "framework/safe_file_write.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageWriter>

namespace {

QByteArray FormatFor(const std::string& path)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return "tiff";
    if (suffix == QLatin1String("bmp") || suffix == QLatin1String("png"))
        return suffix.toLatin1();
    return {};
}

} // namespace

bool IsScanExtension(const std::string& path)
{
    return !FormatFor(path).isEmpty();
}

std::string SaveScan(const QImage& image, const std::string& path, int jpegQuality)
{
    const QByteArray format = FormatFor(path);
    if (format.isEmpty())
        return "cannot tell the image type of " + path + ": use .jpg, .bmp, .tif or .png";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg")
        writer.setQuality(jpegQuality);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        return "cannot write " + path + ": " + writer.errorString().toStdString();
    if (const Status written = WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
        !written)
        return written.message();
    return {};
}
