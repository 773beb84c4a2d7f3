#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Converts dialog-template units to pixels the way Windows does: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

    // Gives the widget the rectangle, in dialog units.
    void Place(QWidget& widget, int x, int y, int width, int height) const;
    // Moves the widget to the position and lets it take its natural size.
    void Place(QWidget& widget, int x, int y) const;

private:
    int m_averageCharWidth;
    int m_fontHeight;
};

// The dialog font: the application's font at the template's point size.
QFont DialogFont(int pointSize);
