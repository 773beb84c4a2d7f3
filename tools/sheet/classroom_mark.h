#pragma once

#include "engine_grid.h"
#include "sheet_content.h"
#include "sheet_random.h"

#include <QImage>

#include <optional>
#include <string>

// The kind named on the command line ("tick", "offcentre"); nothing for another word.
std::optional<MarkKind> MarkKindNamed(const std::string& name);

// Draws one mark of the kind in the box (the printed bubble's pixels at the page's
// resolution, `scale` times 100 dpi); grey is the pencil's darkness. The ink only ever
// darkens the page, as graphite and ballpoint do.
void DrawClassroomMark(
    QImage& image, const PixelRect& box, MarkKind kind, int grey, double scale, SheetRandom& random);

// What an eraser leaves of a mark: a grey smudge of 150 to 210 over most of the box.
void DrawErasedResidue(QImage& image, const PixelRect& box, double scale, SheetRandom& random);
