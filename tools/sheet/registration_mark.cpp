#include "registration_mark.h"

#include "form_layout.h"

#include <algorithm>
#include <cmath>

using namespace form_layout;

namespace {

void DrawMark(QImage& image, const SheetPose& pose, QPointF corner)
{
    const QPointF scanCorner = pose.Map(corner);
    const int reach = static_cast<int>(std::ceil((kMarkWidth + kMarkHeight) * pose.Scale()));
    const int x0 = std::max(0, static_cast<int>(scanCorner.x()) - reach);
    const int x1 = std::min(image.width() - 1, static_cast<int>(scanCorner.x()) + reach);
    const int y0 = std::max(0, static_cast<int>(scanCorner.y()) - reach);
    const int y1 = std::min(image.height() - 1, static_cast<int>(scanCorner.y()) + reach);
    for (int y = y0; y <= y1; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = x0; x <= x1; ++x) {
            const QPointF form = pose.Unmap(QPointF(x + 0.5, y + 0.5));
            if (InsideRegistrationMark(form.x() - corner.x(), form.y() - corner.y()))
                std::fill_n(line + 3 * x, 3, uchar { 0 });
        }
    }
}

void FindLastBlack(const QImage& image, const PixelRect& window, int& foundX, int& foundY)
{
    foundX = 0;
    foundY = 0;
    for (int x = window.left; x <= std::min(window.right, image.width() - 1); ++x)
        for (int y = window.top; y <= std::min(window.bottom, image.height() - 1); ++y) {
            const QRgb pixel = image.pixel(x, y);
            if ((qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3 < 140) {
                foundX = x;
                foundY = y;
            }
        }
}

QPolygonF MarkOutline(double cornerX, double cornerY)
{
    // The pixel grid of InsideRegistrationMark as edges: the corner pixel spans cornerX .. cornerX + 1.
    const double right = cornerX + 1;
    const double bottom = cornerY + 1;
    const double left = right - kMarkWidth;
    const double top = bottom - kMarkHeight;
    const double leanRows = kMarkHeight - kMarkUprightRows;
    return QPolygonF({ QPointF(left, top), QPointF(right - leanRows * kMarkLean, top),
        QPointF(right, bottom - kMarkUprightRows), QPointF(right, bottom), QPointF(left, bottom) });
}

} // namespace

void DrawRegistrationMarks(QImage& image, const SheetPose& pose)
{
    DrawMark(image, pose, QPointF(kFormLeftMarkX + 0.5, kFormLeftMarkY + 0.5));
    DrawMark(image, pose, QPointF(kFormLeftMarkX + kFormMarkSpacing + 0.5, kFormLeftMarkY + 0.5));
}

std::array<QPolygonF, 2> RegistrationMarkOutlines()
{
    return { MarkOutline(kFormLeftMarkX, kFormLeftMarkY),
        MarkOutline(kFormLeftMarkX + kFormMarkSpacing, kFormLeftMarkY) };
}

ReferencePoints FindReferencePoints(const QImage& image)
{
    ReferencePoints points;
    FindLastBlack(image, LeftMarkWindow(), points.leftX, points.leftY);
    FindLastBlack(image, RightMarkWindow(), points.rightX, points.rightY);
    return points;
}
