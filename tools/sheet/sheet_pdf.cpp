#include "sheet_pdf.h"

#include "registration_mark.h"
#include "sheet_print.h"

#include "framework/safe_file_write.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Device units of the PDF writer; the painter scales form pixels up to them.
constexpr int kPdfResolution = 1200;
constexpr double kFormDpi = 100;

void DrawPage(QPainter& painter, const QString& title)
{
    DrawFormContent(painter, title);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QPolygonF& mark : RegistrationMarkOutlines())
        painter.drawPolygon(mark);
}

} // namespace

std::string WriteSheetPdf(const std::string& path, const QString& title, int copies)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title.isEmpty() ? QString::fromUtf8("กระดาษคำตอบ") : title);
        writer.setCreator(QStringLiteral("vantrel-sheet"));
        QPainter painter;
        if (!painter.begin(&writer))
            return "cannot draw the PDF " + path;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kPdfResolution / kFormDpi, kPdfResolution / kFormDpi);
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0)
                writer.newPage();
            DrawPage(painter, title);
        }
        painter.end();
    }
    if (const Status written = WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
        !written)
        return written.message();
    return {};
}
