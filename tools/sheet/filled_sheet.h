#pragma once

#include "sheet_content.h"

#include <QImage>
#include <cstdint>

// The blank form for printing: untilted, no noise.
QImage RenderBlankSheet();

// A scan of a filled-in sheet: the form turned by the content's tilt, the ID and
// answers pencilled in exactly where the grader will look for them, then scanner
// noise of the given level. The seed decides the pencil's wobble and the noise.
QImage RenderFilledSheet(const SheetContent& content, int noiseLevel, uint64_t seed);

// A scan of a printed sheet that a student filled in: pencil marks covering the
// printed bubbles of the ID and the answers on the page image (100 dpi, untilted),
// then the page turned by the content's tilt about its centre and scanner noise.
QImage PencilPrintedPage(const QImage& page, const SheetContent& content, int noiseLevel, uint64_t seed);
