#pragma once

#include <QPointF>
#include <QTransform>

// How a scanned sheet lies: the untilted form turned by the tilt about the centre
// of the left registration mark's corner pixel. A positive tilt lifts the right
// side, matching the sign of the grader's skew angle. Scanned at another resolution
// than the form's 100 dpi, scan pixels are `scale` form pixels each way.
class SheetPose {
public:
    explicit SheetPose(double tiltDegrees, double scale = 1);

    double TiltDegrees() const { return m_degrees; }
    double Scale() const { return m_scale; }
    // Untilted form coordinates to scan coordinates, and back.
    QPointF Map(QPointF form) const { return m_toScan.map(form); }
    QPointF Unmap(QPointF scan) const { return m_toForm.map(scan); }
    const QTransform& ToScan() const { return m_toScan; }

private:
    double m_degrees;
    double m_scale;
    QTransform m_toScan;
    QTransform m_toForm;
};
