#pragma once

struct RegistrationBlob;

// A point on the sheet, in pixels; integer values are pixel indices.
struct SheetPoint {
    double x = 0;
    double y = 0;
};

// Where a point of the untilted form lies on the scan: the true rotation, scale and
// shift that carry the centres of the form's two registration marks onto the two
// blobs found.
class PageTransform {
public:
    PageTransform(const RegistrationBlob& left, const RegistrationBlob& right);

    SheetPoint Map(SheetPoint form) const
    {
        const double u = form.x - m_formOrigin.x;
        const double v = form.y - m_formOrigin.y;
        return { m_origin.x + m_cos * u - m_sin * v, m_origin.y + m_sin * u + m_cos * v };
    }
    // Where one step right and one step down on the form go on the scan.
    SheetPoint Across() const { return { m_cos, m_sin }; }
    SheetPoint Down() const { return { -m_sin, m_cos }; }
    // The turn of the page, in degrees; positive when its right side is higher.
    double Degrees() const;
    double Scale() const;
    // The reference pixel of each mark, its bottom-right corner, fitted from its blob.
    SheetPoint LeftCorner() const;
    SheetPoint RightCorner() const;

private:
    SheetPoint m_origin; // the left blob's centre
    SheetPoint m_formOrigin; // the left mark's centre on the form
    double m_cos = 1; // scale times the cosine of the turn
    double m_sin = 0;
};
