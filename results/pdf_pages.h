#pragma once

#include "framework/status.h"

#include <QColor>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class AtomicFileWriter;

// Drawing on A4 pages of a PDF in millimetres from the top left, in Loma (Thai),
// with the page number at the foot of each when asked. The class report and the students'
// slips are drawn through it.
namespace pdf {

constexpr int kResolution = 600; // device units per inch
constexpr double kPageWidth = 210; // A4, millimetres
constexpr double kPageHeight = 297;
constexpr double kMargin = 15;
constexpr double kLineHeight = 6.2;
inline const QColor kInk(0x20, 0x20, 0x20);
inline const QColor kBar(0x3B, 0x6E, 0xA8);
inline const QColor kFlag(0xC0, 0x00, 0x00);
inline const QColor kRule(0xC8, 0xC8, 0xC8);

double Units(double millimetres);
QRectF Box(double x, double y, double width, double height);
QString Text(const std::string& utf8);

class Pages {
public:
    // Numbered pages carry "หน้า N" at the foot.
    Pages(QPdfWriter& writer, QPainter& painter, bool numbered = true);

    QPainter& painter() { return m_painter; }
    void Font(double points, bool bold = false, const QColor& colour = kInk);
    // One line in a row-high box at (x, y), vertically centred.
    void Write(double x, double y, double width, const QString& text, Qt::Alignment align = Qt::AlignLeft);
    // A thin grey rule across the page between the margins.
    void Rule(double y);
    void NewPage();

private:
    void Foot();

    QPdfWriter& m_writer;
    QPainter& m_painter;
    bool m_numbered;
    int m_page = 0;
};

// An atomic writer as a device Qt writes to, so that a PDF streams into the writer's
// temporary file; the writer stays the one that writes, keeps the first failure and
// commits. Bytes are gathered in blocks; Close() hands over the last of them.
class WriterDevice : public QIODevice {
public:
    explicit WriterDevice(AtomicFileWriter& file);
    ~WriterDevice() override;
    bool isSequential() const override { return true; }
    void close() override;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void Hand();

    AtomicFileWriter& m_file;
    std::string m_block;
};

// A PDF of A4 portrait pages without margins at kResolution, with its title, drawn onto
// `out` (open for writing) as it goes: each page leaves for the device once the next
// begins, so the PDF never sits whole in memory however many pages it has.
class A4PdfStream {
public:
    A4PdfStream(QIODevice& out, const QString& title, bool numbered);

    // Nothing when the PDF cannot be painted.
    Pages* pages() { return m_pages ? &*m_pages : nullptr; }
    // Ends the PDF; fails, naming it by `what`, when it could not be painted.
    Status End(const char* what);

private:
    QPdfWriter m_writer;
    QPainter m_painter;
    std::optional<Pages> m_pages;
};

// The bytes of a PDF of A4 portrait pages without margins, `resolution` device units
// an inch, with its title and creator, painted by `paint` from the first page on;
// nothing when the PDF cannot be painted.
std::optional<std::string> PaintA4Pdf(const QString& title, const QString& creator, int resolution,
    const std::function<void(QPdfWriter&, QPainter&)>& paint);

// The bytes of a PDF of A4 portrait pages without margins at kResolution, with the
// title, drawn by `draw` from the first page on; `what` names it when it cannot be drawn.
Result<std::string> DrawA4Pdf(
    const QString& title, bool numbered, const char* what, const std::function<void(Pages&)>& draw);

} // namespace pdf
