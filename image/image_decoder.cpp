#include "image/bmp_header.h"
#include "image/colour_jpeg.h"
#include "image/compression_bound.h"
#include "image/decode_messages.h"
#include "image/decoded_image.h"
#include "image/gif_decoder.h"
#include "image/image_codecs.h"
#include "image/pdf_page.h"
#include "image/pdf_page_process.h"
#include "image/scanned_pdf_page.h"
#include "image/sheet_image.h"
#include "image/stream_completeness.h"
#include "image/tiff_pages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

constexpr int64_t kMebibyte = 1 << 20;

// JPEG files up to this size are read whole and decoded directly; larger ones (no
// sheet is) are left to Qt, which reads as it decodes.
constexpr qint64 kMaxDirectJpegBytes = 256 * kMebibyte;

// Widest pixel Qt may decode into: four 32-bit float channels.
constexpr int64_t kWidestPixelBytes = 16;

// Qt's allocation limit is one value for the whole process, and the batch grader
// decodes on several threads at once: a limit fitted to one file would refuse a
// larger file decoding beside it. So it is set once, to what the largest image
// allowed needs at the widest pixel format; each file's announced size has been
// held against the pixel limit before it is decoded.
void LimitQtAllocations()
{
    static const bool limited = [] {
        QImageReader::setAllocationLimit(
            static_cast<int>(SheetImage::kMaxPixels * kWidestPixelBytes / kMebibyte + 1));
        return true;
    }();
    (void)limited;
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

const uint8_t* BytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const uint8_t*>(bytes.constData());
}

int DotsPerInch(const QImage& image)
{
    return static_cast<int>(std::lround(image.dotsPerMeterX() * 0.0254));
}

// The file as the decoder reads page `page` of it: a later TIFF page straight from its
// directory, found by walking the chain when not known.
Result<std::unique_ptr<QIODevice>> PageDevice(QFile& file, int page, int64_t directory)
{
    if (directory <= 0) {
        const std::optional<TiffPages> pages = ReadTiffPages(file);
        file.seek(0);
        if (!pages)
            return Status::Failure("the file has no page " + std::to_string(page + 1));
        if (static_cast<size_t>(page) >= pages->directories.size())
            return Status::Failure(
                pages->broken ? pages->BrokenMessage() : "the file has no page " + std::to_string(page + 1));
        directory = pages->directories[static_cast<size_t>(page)];
    }
    std::unique_ptr<QIODevice> device = OpenTiffPage(file.fileName(), directory);
    if (!device)
        return Status::Failure("the file has no page " + std::to_string(page + 1));
    return device;
}

// Decodes image `page` (from 0) of the open file into `image`; failures say why
// without the path.
Status Decode(QFile& file, int page, int64_t directory, NeededRows needed, const DecodeMessages& messages,
    SheetImage& image)
{
    // These two bytes alone make Qt pick its JPEG reader. A colour JPEG is decoded
    // directly, without Qt's detour; any other goes on to Qt.
    if (page == 0 && file.peek(2) == QByteArrayLiteral("\xFF\xD8") && file.size() <= kMaxDirectJpegBytes) {
        const QByteArray bytes = file.readAll();
        if (std::optional<Status> direct
            = DecodeColourJpeg(BytesOf(bytes), static_cast<size_t>(bytes.size()), image, needed))
            return *direct;
        file.seek(0);
    }

    std::unique_ptr<QIODevice> pageDevice;
    if (page > 0) {
        Result<std::unique_ptr<QIODevice>> opened = PageDevice(file, page, directory);
        if (!opened)
            return opened.status();
        pageDevice = std::move(opened.value());
    }
    QImageReader reader(pageDevice ? pageDevice.get() : &file);
    // By content only: a name's suffix would pick Qt's header-less "dib" reader
    // for *.dib bitmaps, or the wrong reader for a misnamed file.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const std::string format = reader.format().toStdString();
    const ImageCodec* codec = DecoderForQtFormat(format);
    if (!codec)
        return Status::Failure(
            QCoreApplication::translate("SheetImage", "ไม่ใช่ไฟล์ภาพ BMP, JPEG, GIF, TIFF, PNG หรือ ICO")
                .toStdString());
    // Only a TIFF holds several sheets; the reader then tells the size of that page.
    if (page > 0 && codec->type != ImageType::Tiff)
        return Status::Failure(
            QCoreApplication::translate("SheetImage", "ไฟล์นี้ไม่มีหน้าที่ %1").arg(page + 1).toStdString());

    QFile probe(file.fileName());
    if (!probe.open(QIODevice::ReadOnly))
        return Status::Failure(probe.errorString().toStdString());

    // The header's size decides before any pixel memory is taken.
    const QSize size = reader.size();
    const int64_t pixels = AnnouncedPixels(size, codec->type, probe);
    if (pixels > SheetImage::kMaxPixels)
        return Status::Failure(TooManyPixels(pixels));
    if (!IsStreamComplete(probe, format))
        return CorruptImage(QCoreApplication::translate("SheetImage", "ข้อมูล %1 ขาดหายไปบางส่วน")
                                .arg(codec->description)
                                .toStdString());
    if (size.isValid() && !CouldHoldPixels(codec->type, size.width(), size.height(), probe.size()))
        return CorruptImage(QCoreApplication::translate("SheetImage", "%1: ไฟล์ %2 ไบต์ไม่พอสำหรับภาพ %3 x %4 จุด")
                                .arg(codec->description)
                                .arg(probe.size())
                                .arg(size.width())
                                .arg(size.height())
                                .toStdString());
    // Qt's GIF reader decodes past codes that point nowhere; giflib does not.
    if (codec->type == ImageType::Gif) {
        probe.seek(0);
        const QByteArray bytes = probe.readAll();
        return DecodeGif(BytesOf(bytes), static_cast<size_t>(bytes.size()), image);
    }

    LimitQtAllocations();
    QImage decoded;
    if (!reader.read(&decoded)) // Qt's own reason, in English, kept in brackets
        return Status::Failure(QCoreApplication::translate("SheetImage", "อ่านข้อมูลภาพไม่ได้ (%1)")
                                   .arg(reader.errorString())
                                   .toStdString());
    // Every warning of libjpeg's is about damaged or missing data.
    for (const std::string& line : messages.Lines())
        if (line.rfind("qt.gui.imageio.jpeg: ", 0) == 0)
            return CorruptImage(messages.Joined());
    if (Status stored = StoreDecodedImage(decoded, image); !stored)
        return stored;
    image.SetDotsPerInch(DotsPerInch(decoded));
    return {};
}

// A scanned page is read from its picture; any other page is rendered.
Status ReadPdfPage(const std::string& path, int page, SheetImage& image)
{
    if (std::optional<Status> read = ReadScannedPdfPage(path, page, image))
        return *read;
    return RenderPdfPage(path, page, image);
}

} // namespace

Result<DecodeWarnings> SheetImage::LoadFromFile(const std::string& path)
{
    return LoadPage(path, 0);
}

Result<DecodeWarnings> SheetImage::LoadPage(
    const std::string& path, int page, NeededRows needed, int64_t directory)
{
    const auto failure = [&](const std::string& why) { return Status::Failure(path + ": " + why); };
    const QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    const QFileInfo info(name);
    if (!info.exists())
        return failure(QCoreApplication::translate("SheetImage", "ไม่พบไฟล์").toStdString());
    if (!info.isFile())
        return failure(QCoreApplication::translate("SheetImage", "ไม่ใช่ไฟล์").toStdString());
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString().toStdString());

    const DecodeMessages messages;
    SheetImage loaded;
    if (const Status decoded = IsPdfFile(path) ? ReadPdfPage(path, page, loaded)
                                               : Decode(file, page, directory, needed, messages, loaded);
        !decoded) {
        const std::string said = messages.Joined();
        const bool toldAlready = said.empty() || decoded.message().find(said) != std::string::npos;
        return failure(decoded.message() + (toldAlready ? "" : " (" + said + ")"));
    }
    *this = std::move(loaded);
    return messages.Lines();
}
