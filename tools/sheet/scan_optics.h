#pragma once

#include "engine_grid.h"
#include "page_handling.h"
#include "sheet_random.h"

#include <QImage>
#include <QPoint>
#include <optional>

// How a real scan departs from the drawn page. All zero: the page as drawn.
struct ScanConditions {
    double noise = 0; // grain, standard deviation in grey levels, with dust and specks
    int pencilGrey = 0; // darkness of the marks; 0: drawn at random from 40 to 70
    double rotateDegrees = 0; // the page turned on the glass; positive: right side higher
    double shiftX = 0; // the page moved right, in pixels
    double shiftY = 0; // and down
    double blurSigma = 0; // optical blur, in pixels
    bool speck = false; // a dark dust speck beside a registration mark
    int dpi = 100; // the resolution the page is drawn at, as a copier scans it
    PageHandling page; // a classroom's sheets: print scale, tone, crease, holes, ...
};

// The page turned about its centre and moved, resampled bilinearly as a scanner
// sees it; what falls outside the page is the white lid.
// One channel of a 24-bit image, bilinear, at a point in pixel-centre coordinates;
// `outside` beyond the image.
double SampleBilinear(const QImage& page, double x, double y, int channel, int outside);

QImage PlaceOnGlass(const QImage& page, double degrees, double shiftX, double shiftY);

// Gaussian blur of the given standard deviation, as the scanner's optics give.
void BlurOptically(QImage& image, double sigma);

// A small dark speck of dust in a mark window near the mark whose corner is given,
// where it may become the last black pixel the grader's mark search finds.
// Returns its centre.
QPoint AddMarkSpeck(QImage& image, QPoint corner, const PixelRect& window, SheetRandom& random);
