#pragma once

#include "sheet_pose.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

// Everything printed on the form except the registration marks is in this light
// drop-out red: grey level 195, which the grader's threshold (140) turns white even
// through a fair amount of scanner noise.
inline const QColor kDropOutColor(240, 168, 178);

// A new scan-sized image of blank paper, A4 at the resolution given.
QImage BlankPaper(QColor paper = Qt::white, int dpi = 100);

// Draws everything but the registration marks in form pixels (100 dpi) on the
// painter. The title line under the heading; an empty title names the program.
void DrawFormContent(QPainter& painter, const QString& title);

// Prints the form, turned by the pose: drop-out boxes, digits, letters, question
// numbers, headings, then the black registration marks.
void PrintSheetForm(QImage& image, const SheetPose& pose);
