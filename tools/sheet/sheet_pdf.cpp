#include "sheet_pdf.h"

#include "registration_mark.h"
#include "sheet_print.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return "cannot open " + path + " for writing: " + file.errorString().toStdString();
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title.isEmpty() ? QString::fromUtf8("กระดาษคำตอบ") : title);
        writer.setCreator(QStringLiteral("vantrel-sheet"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return "cannot draw the PDF " + path;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kPdfResolution / kFormDpi, kPdfResolution / kFormDpi);
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0)
                writer.newPage();
            DrawPage(painter, title);
        }
        painter.end();
    }
    if (!file.commit())
        return "cannot save " + path + ": " + file.errorString().toStdString();
    return {};
}
