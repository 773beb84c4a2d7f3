#include "image/sheet_image_draw.h"

#include "image/sheet_image.h"
#include "image/upside_down_rows.h"

#include <QPainter>
#include <QRect>

void StretchDraw(const SheetImage& image, QPainter& painter, const QRect& target, const QRect& source)
{
    if (image.IsEmpty() || target.isEmpty() || source.isEmpty())
        return;
    const QRect visible = source.intersected(QRect(0, 0, image.GetWidth(), image.GetHeight()));
    if (visible.isEmpty())
        return;
    // The part of the target that the visible part of the source lands on.
    const double scaleX = static_cast<double>(target.width()) / source.width();
    const double scaleY = static_cast<double>(target.height()) / source.height();
    const QRectF to(target.x() + (visible.x() - source.x()) * scaleX,
        target.y() + (visible.y() - source.y()) * scaleY, visible.width() * scaleX,
        visible.height() * scaleY);

    const QImage rows = UpsideDownRows(image, visible.top(), visible.bottom() + 1);
    if (rows.isNull())
        return;
    painter.save();
    // The rows come upside down: mirror about the target's horizontal centre line.
    painter.translate(0, 2 * to.y() + to.height());
    painter.scale(1, -1);
    painter.drawImage(to, rows, QRectF(visible.x(), 0, visible.width(), visible.height()));
    painter.restore();
}
