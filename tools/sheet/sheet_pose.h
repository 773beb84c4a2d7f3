#pragma once

#include <QPointF>
#include <QTransform>

// How a scanned sheet lies: the untilted form turned by the tilt about the centre
// of the left registration mark's corner pixel. A positive tilt lifts the right
// side, matching the sign of the grader's skew angle.
class SheetPose {
public:
    explicit SheetPose(double tiltDegrees);

    double TiltDegrees() const { return m_degrees; }
    // Untilted form coordinates to scan coordinates, and back.
    QPointF Map(QPointF form) const { return m_toScan.map(form); }
    QPointF Unmap(QPointF scan) const { return m_toForm.map(scan); }
    const QTransform& ToScan() const { return m_toScan; }

private:
    double m_degrees;
    QTransform m_toScan;
    QTransform m_toForm;
};
