#include "image/pdf_page.h"

#include "image/decode_messages.h"
#include "image/decoded_image.h"
#include "image/sheet_image.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>

#include <cmath>
#include <memory>

namespace {

constexpr double kPointsPerInch = 72;
constexpr int kRenderDpi = 100;

const char* const kLockedMessage = "ไฟล์ PDF นี้ตั้งรหัสผ่านไว้ โปรแกรมเปิดไม่ได้\n"
                                   "โปรดสแกนใหม่โดยไม่ตั้งรหัสผ่าน";
const char* const kNoPagesMessage = "ไฟล์ PDF นี้ไม่มีหน้าใดเลย";

// The opened document, or why it cannot be read.
struct OpenedPdf {
    std::unique_ptr<QPdfDocument> document;
    Status status;
};

OpenedPdf Open(const std::string& path)
{
    OpenedPdf opened { std::make_unique<QPdfDocument>(), {} };
    switch (opened.document->load(QString::fromStdString(path))) {
    case QPdfDocument::Error::None:
        if (opened.document->pageCount() <= 0)
            opened.status = Status::Failure(kNoPagesMessage);
        break;
    case QPdfDocument::Error::IncorrectPassword:
        opened.status = Status::Failure(kLockedMessage);
        break;
    case QPdfDocument::Error::FileNotFound:
        opened.status
            = Status::Failure(QCoreApplication::translate("SheetImage", "เปิดไฟล์ PDF ไม่ได้").toStdString());
        break;
    default:
        opened.status = CorruptImage("PDF data cannot be read");
        break;
    }
    return opened;
}

} // namespace

bool IsPdfFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) && file.read(5) == QByteArrayLiteral("%PDF-");
}

Result<int> CountPdfPages(const std::string& path)
{
    const OpenedPdf opened = Open(path);
    if (!opened.status)
        return Status::Failure(opened.status.message());
    return opened.document->pageCount();
}

Result<QImage> RenderPdfPageHere(const std::string& path, int index)
{
    const OpenedPdf opened = Open(path);
    if (!opened.status)
        return opened.status;
    if (index < 0 || index >= opened.document->pageCount())
        return Status::Failure(
            QCoreApplication::translate("SheetImage", "ไฟล์นี้ไม่มีหน้าที่ %1").arg(index + 1).toStdString());
    const QSizeF points = opened.document->pagePointSize(index);
    const double width = std::round(points.width() * kRenderDpi / kPointsPerInch);
    const double height = std::round(points.height() * kRenderDpi / kPointsPerInch);
    if (width < 1 || height < 1)
        return Status::Failure(QCoreApplication::translate("SheetImage", "หน้า PDF นี้ไม่มีขนาด").toStdString());
    // Checked before the renderer takes the memory.
    if (width * height > static_cast<double>(SheetImage::kMaxPixels))
        return Status::Failure(TooManyPixels(static_cast<int64_t>(width * height)));
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    const QImage rendered = opened.document->render(index, size);
    if (rendered.isNull())
        return Status::Failure(
            QCoreApplication::translate("SheetImage", "แปลงหน้า PDF นี้เป็นภาพไม่ได้").toStdString());
    // What the page leaves transparent is paper.
    QImage paper(size, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        painter.drawImage(0, 0, rendered);
    }
    return paper;
}
