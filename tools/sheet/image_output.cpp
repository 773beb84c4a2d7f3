#include "image_output.h"

#include <QByteArray>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

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
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return "cannot open " + path + " for writing: " + file.errorString().toStdString();
    QImageWriter writer(&file, format);
    if (format == "jpeg")
        writer.setQuality(jpegQuality);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) {
        file.cancelWriting();
        return "cannot write " + path + ": " + writer.errorString().toStdString();
    }
    if (!file.commit())
        return "cannot save " + path + ": " + file.errorString().toStdString();
    return {};
}
