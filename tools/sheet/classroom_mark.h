#pragma once

#include "engine_grid.h"
#include "sheet_content.h"
#include "sheet_random.h"

#include <QImage>

#include <optional>
#include <string>

// An eraser leaves a residue of grey 150 to this.
constexpr int kLightestResidue = 210;

// The kind named on the command line ("tick", "offcentre"); nothing for another word.
std::optional<MarkKind> MarkKindNamed(const std::string& name);
// Its name, as the command line and items.csv give it.
const char* MarkKindName(MarkKind kind);

// Draws one mark of the kind in the box (the printed bubble's pixels at the page's
// resolution, `scale` times 100 dpi); grey is the pencil's darkness. The ink only ever
// darkens the page, as graphite and ballpoint do.
// The row kinds (changed, erased, double) draw a neat fill.
void DrawClassroomMark(
    QImage& image, const PixelRect& box, const ItemMark& item, int grey, double scale, SheetRandom& random);

// What an eraser leaves of a mark: a smudge of the grey given (0: drawn from 150 to
// 210) over most of the box.
void DrawErasedResidue(QImage& image, const PixelRect& box, int grey, double scale, SheetRandom& random);
