#include "sheet_pose.h"

#include "form_layout.h"

SheetPose::SheetPose(double tiltDegrees, double scale)
    : m_degrees(tiltDegrees)
    , m_scale(scale)
{
    const QPointF pivot(kFormLeftMarkX + 0.5, kFormLeftMarkY + 0.5);
    // QTransform turns clockwise on a y-down image for positive angles.
    m_toScan.translate(pivot.x(), pivot.y());
    m_toScan.rotate(-tiltDegrees);
    m_toScan.translate(-pivot.x(), -pivot.y());
    if (scale != 1)
        m_toScan *= QTransform::fromScale(scale, scale);
    m_toForm = m_toScan.inverted();
}
