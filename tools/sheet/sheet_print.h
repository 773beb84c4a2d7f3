#pragma once

#include "sheet_pose.h"

#include <QColor>
#include <QImage>

// Everything printed on the form except the registration marks is in this light
// drop-out red: grey level 177, which the grader's threshold (140) turns white.
inline const QColor kDropOutColor(232, 145, 155);

// A new scan-sized image of blank paper.
QImage BlankPaper(QColor paper = Qt::white);

// Prints the form, turned by the pose: drop-out boxes, digits, letters, question
// numbers, headings, then the black registration marks.
void PrintSheetForm(QImage& image, const SheetPose& pose);
