#pragma once

#include <QImage>
#include <cstdint>

// How the scanner's exposure renders the page.
enum class ScanTone {
    Normal,
    Light, // black comes out grey (80 to 100)
    Dark, // the paper comes out grey
};

// What happens to a classroom's sheets between the printer and the scan, beyond the
// pose and optics every scan has. All off: the page as the other scan conditions leave it.
struct PageHandling {
    ScanTone tone = ScanTone::Normal;
    int toneGrey = 0; // light: the grey black becomes; dark: the grey the paper becomes
    double printScale = 1; // printed "fit to page": the form scaled about the page centre
    bool upsideDown = false; // the page turned a half turn on the glass
    bool fold = false; // a crease across the page, its shadow beside it
    bool holes = false; // two punched holes in the left margin
    bool showThrough = false; // the print on the back, faintly mirrored through
    bool edgeShadow = false; // the lid's shadow darkening one edge of the scan
    bool perspective = false; // the page not flat on the glass: a slight keystone
    uint64_t seed = 0; // where the crease, shadow and keystone fall

    bool Any() const
    {
        return tone != ScanTone::Normal || printScale != 1 || upsideDown || fold || holes || showThrough
            || edgeShadow || perspective;
    }
};

// What the paper carries before it reaches the glass: the form printed to scale,
// the back showing through, a crease, punched holes. `scale` is the page's pixels
// per 100-dpi pixel.
void HandlePaper(QImage& page, const PageHandling& handling, double scale);

// What the scanner adds as it takes the page: a keystone, the lid's shadow, the tone.
void HandleScanner(QImage& scan, const PageHandling& handling, double scale);

// The scan as the page lay: turned a half turn when it lay upside down.
void TurnAsItLay(QImage& scan, const PageHandling& handling);
