#pragma once

#include "engine_grid.h"
#include "sheet_pose.h"

#include <QImage>
#include <QPolygonF>
#include <array>

// Draws both registration marks, solid black, turned with the sheet.
void DrawRegistrationMarks(QImage& image, const SheetPose& pose);

// Both marks as vector outlines in untilted form pixels, for printing: the same
// shape, covering exactly the pixels DrawRegistrationMarks blackens at no tilt.
std::array<QPolygonF, 2> RegistrationMarkOutlines();

// The reference points the grader will find: in each mark window, the last pixel
// in column order that thresholds to black (grey level below 140). A window
// without one gives (0, 0), as in the grader.
ReferencePoints FindReferencePoints(const QImage& image);
