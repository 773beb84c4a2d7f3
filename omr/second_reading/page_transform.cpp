#include "omr/second_reading/page_transform.h"

#include "omr/second_reading/registration_blob.h"
#include "omr/sheet_layout.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

} // namespace

PageTransform::PageTransform(const RegistrationBlob& left, const RegistrationBlob& right)
    : m_origin { left.centreX, left.centreY }
    , m_formOrigin { kFormLeftMarkX + MarkCentreOffsetX(), kFormLeftMarkY + MarkCentreOffsetY() }
{
    // On the form the right mark's centre lies kFormMarkSpacing straight right.
    m_cos = (right.centreX - left.centreX) / kFormMarkSpacing;
    m_sin = (right.centreY - left.centreY) / kFormMarkSpacing;
}

double PageTransform::Degrees() const
{
    // Rows grow downwards: a right side higher is a negative sine here.
    return -std::atan2(m_sin, m_cos) * 180 / kPi;
}

double PageTransform::Scale() const
{
    return std::hypot(m_cos, m_sin);
}

SheetPoint PageTransform::LeftCorner() const
{
    return Map({ static_cast<double>(kFormLeftMarkX), static_cast<double>(kFormLeftMarkY) });
}

SheetPoint PageTransform::RightCorner() const
{
    return Map(
        { static_cast<double>(kFormLeftMarkX + kFormMarkSpacing), static_cast<double>(kFormLeftMarkY) });
}
