#pragma once

class QPainter;
class QRect;
class SheetImage;

// Copies the source rectangle of the image onto the painter's target rectangle.
void StretchDraw(const SheetImage& image, QPainter& painter, const QRect& target, const QRect& source);
