#include "framework/qt/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace {

// Rounded average width of the 52 Latin letters, as Windows measures a dialog font.
int AverageCharWidth(const QFontMetrics& metrics)
{
    const int width
        = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26 + 1) / 2;
}

int Scale(int units, int base, int divisor)
{
    return (units * base + divisor / 2) / divisor;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    m_averageCharWidth = AverageCharWidth(metrics);
    m_fontHeight = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const
{
    return Scale(units, m_averageCharWidth, 4);
}

int DialogUnits::ToPixelsY(int units) const
{
    return Scale(units, m_fontHeight, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const
{
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}

QSize DialogUnits::ToPixels(int width, int height) const
{
    return QSize(ToPixelsX(width), ToPixelsY(height));
}

void DialogUnits::Place(QWidget& widget, int x, int y, int width, int height) const
{
    widget.setGeometry(ToPixels(x, y, width, height));
}

void DialogUnits::Place(QWidget& widget, int x, int y) const
{
    widget.adjustSize();
    widget.move(ToPixelsX(x), ToPixelsY(y));
}

QFont DialogFont(int pointSize)
{
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    return font;
}
