#include "results/pdf_pages.h"

#include "framework/safe_file_write.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace pdf {

double Units(double millimetres)
{
    return millimetres * kResolution / 25.4;
}

QRectF Box(double x, double y, double width, double height)
{
    return QRectF(Units(x), Units(y), Units(width), Units(height));
}

QString Text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

namespace {

    constexpr qsizetype kDeviceBlock = 1 << 16;

    void SetUpA4(QPdfWriter& writer, const QString& title, const QString& creator, int resolution)
    {
        writer.setResolution(resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title);
        writer.setCreator(creator);
    }

} // namespace

std::optional<std::string> PaintA4Pdf(const QString& title, const QString& creator, int resolution,
    const std::function<void(QPdfWriter&, QPainter&)>& paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        SetUpA4(writer, title, creator, resolution);
        QPainter painter;
        if (!painter.begin(&writer))
            return std::nullopt;
        paint(writer, painter);
        painter.end();
    }
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

Result<std::string> DrawA4Pdf(
    const QString& title, bool numbered, const char* what, const std::function<void(Pages&)>& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    A4PdfStream pdf(buffer, title, numbered);
    if (Pages* pages = pdf.pages())
        draw(*pages);
    if (Status ended = pdf.End(what); !ended)
        return ended;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

WriterDevice::WriterDevice(AtomicFileWriter& file)
    : m_file(file)
{
    open(QIODevice::WriteOnly);
}

WriterDevice::~WriterDevice()
{
    Hand();
}

void WriterDevice::close()
{
    Hand();
    m_file.Flush(); // what the PDF gave so far is in the file
    QIODevice::close();
}

qint64 WriterDevice::writeData(const char* data, qint64 size)
{
    m_block.append(data, static_cast<size_t>(size));
    if (static_cast<qsizetype>(m_block.size()) >= kDeviceBlock)
        Hand();
    return size; // a failed write is the writer's to keep and to report at its commit
}

void WriterDevice::Hand()
{
    if (m_block.empty())
        return;
    m_file.Append(m_block);
    m_block.clear();
}

A4PdfStream::A4PdfStream(QIODevice& out, const QString& title, bool numbered)
    : m_writer(&out)
{
    SetUpA4(m_writer, title, QStringLiteral("vantrel-grade"), kResolution);
    if (m_painter.begin(&m_writer))
        m_pages.emplace(m_writer, m_painter, numbered);
}

Status A4PdfStream::End(const char* what)
{
    if (!m_pages || !m_painter.end())
        return Status::Failure(std::string(what) + " could not be drawn");
    m_pages.reset();
    return {};
}

Pages::Pages(QPdfWriter& writer, QPainter& painter, bool numbered)
    : m_writer(writer)
    , m_painter(painter)
    , m_numbered(numbered)
{
    Foot();
}

void Pages::Font(double points, bool bold, const QColor& colour)
{
    QFont font(QStringLiteral("Loma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    m_painter.setFont(font);
    m_painter.setPen(colour);
}

void Pages::Write(double x, double y, double width, const QString& text, Qt::Alignment align)
{
    m_painter.drawText(Box(x, y, width, kLineHeight), static_cast<int>(align | Qt::AlignVCenter), text);
}

void Pages::Rule(double y)
{
    m_painter.setPen(QPen(kRule, Units(0.2)));
    m_painter.drawLine(QPointF(Units(kMargin), Units(y)), QPointF(Units(kPageWidth - kMargin), Units(y)));
}

void Pages::NewPage()
{
    m_writer.newPage();
    Foot();
}

void Pages::Foot()
{
    if (!m_numbered)
        return;
    Font(8);
    Write(kMargin, kPageHeight - 10, kPageWidth - 2 * kMargin, QString::fromUtf8("หน้า %1").arg(++m_page),
        Qt::AlignRight);
}

} // namespace pdf
