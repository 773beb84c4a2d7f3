#pragma once

#include <algorithm>

// The registration mark as printed: solid black, kMarkWidth x kMarkHeight, its
// reference point the bottom-right pixel. The right edge stands upright for the
// bottom kMarkUprightRows rows, then leans left by kMarkLean columns per row, so
// the bottom-right corner stays the last black pixel in column order when the
// sheet is turned a little either way.
constexpr int kMarkWidth = 20;
constexpr int kMarkHeight = 30;
constexpr int kMarkUprightRows = 3;
constexpr double kMarkLean = 0.25;

// Whether a point at (u, v) from the centre of the reference pixel, on the
// untilted form, lies inside the mark.
inline bool InsideRegistrationMark(double u, double v)
{
    if (u < -kMarkWidth + 0.5 || v < -kMarkHeight + 0.5 || v > 0.5)
        return false;
    const double lean = std::max(0.0, -v - (kMarkUprightRows - 0.5)) * kMarkLean;
    return u <= 0.5 - lean;
}
