#pragma once

#include "sheet_pose.h"

#include <QColor>
#include <QImage>

// Everything printed on the form except the registration marks is in this light
// drop-out red: grey level 195, which the grader's threshold (140) turns white even
// through a fair amount of scanner noise.
inline const QColor kDropOutColor(240, 168, 178);

// A new scan-sized image of blank paper.
QImage BlankPaper(QColor paper = Qt::white);

// Prints the form, turned by the pose: drop-out boxes, digits, letters, question
// numbers, headings, then the black registration marks.
void PrintSheetForm(QImage& image, const SheetPose& pose);
