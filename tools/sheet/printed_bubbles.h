#pragma once

#include <QRectF>

// Where the bubbles are printed, in pixels of the untilted form at 100 dpi. Each is
// smaller than the box the grader reads and centred in it: a student who fills the
// bubble lands well inside the box, and a scribble far past it is too wide for the
// row check.
constexpr double kBubbleWidth = 10;
constexpr double kBubbleHeight = 12;

// question 0..99, letter 0 (a) .. 4 (e).
QRectF AnswerBubble(int question, int letter);
// band 0..7 (most significant digit first), digit 0..9.
QRectF IdBubble(int band, int digit);
