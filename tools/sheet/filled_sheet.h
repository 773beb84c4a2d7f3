#pragma once

#include "scan_optics.h"
#include "sheet_content.h"

#include <QImage>
#include <cstdint>
#include <optional>

// A drawn scan and what was drawn at random for it.
struct FilledScan {
    QImage image;
    int pencilGrey = 0;
    std::optional<QPoint> speck; // centre of the dust speck beside a mark
};

// The blank form for printing: untilted, no noise.
QImage RenderBlankSheet();

// A scan of a filled-in sheet: the form turned by the content's tilt, the ID and
// answers pencilled in exactly where the grader will look for them, then the scan
// conditions: the page turned and moved for real, a speck, blur, scanner noise. The
// seed decides the pencil's wobble, the speck and the noise.
FilledScan RenderFilledSheet(const SheetContent& content, const ScanConditions& scan, uint64_t seed);

// A scan of a printed sheet that a student filled in: pencil marks covering the
// printed bubbles of the ID and the answers on the page image (100 dpi, untilted),
// then the page turned by the content's tilt about its centre and the scan conditions.
FilledScan PencilPrintedPage(
    const QImage& page, const SheetContent& content, const ScanConditions& scan, uint64_t seed);
