#include "sheet_pdf.h"

#include "registration_mark.h"
#include "sheet_print.h"

#include "framework/safe_file_write.h"
#include "results/pdf_pages.h"

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
    const QString shownTitle = title.isEmpty() ? QString::fromUtf8("กระดาษคำตอบ") : title;
    const std::optional<std::string> bytes = pdf::PaintA4Pdf(shownTitle, QStringLiteral("vantrel-sheet"),
        kPdfResolution, [&](QPdfWriter& writer, QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(kPdfResolution / kFormDpi, kPdfResolution / kFormDpi);
            for (int copy = 0; copy < copies; ++copy) {
                if (copy > 0)
                    writer.newPage();
                DrawPage(painter, title);
            }
        });
    if (!bytes)
        return "cannot draw the PDF " + path;
    if (const Status written = WriteFileSafely(path, *bytes); !written)
        return written.message();
    return {};
}
