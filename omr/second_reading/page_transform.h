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

    SheetPoint Map(SheetPoint form) const;
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
