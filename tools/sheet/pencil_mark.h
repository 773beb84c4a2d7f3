#pragma once

#include "engine_grid.h"
#include "sheet_random.h"

#include <QImage>

// Draws a pencil mark of the given size centred in the area: dark graphite with a
// slightly ragged outline and a faint smudge around it. Every column of the mark
// stays dark from its top few rows to its bottom few, so the grader sees one
// unbroken mark. baseGrey is the pencil's darkness (about 40 to 70).
void DrawPencilMark(QImage& image, const PixelRect& area, int width, int height, int baseGrey,
                    SheetRandom& random);
