#pragma once

#include "engine_grid.h"
#include "sheet_pose.h"

#include <QImage>

// Draws both registration marks, solid black, turned with the sheet.
void DrawRegistrationMarks(QImage& image, const SheetPose& pose);

// The reference points the grader will find: in each mark window, the last pixel
// in column order that thresholds to black (grey level below 140). A window
// without one gives (0, 0), as in the grader.
ReferencePoints FindReferencePoints(const QImage& image);
