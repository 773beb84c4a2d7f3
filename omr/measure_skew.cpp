#include "framework/format.h"
#include "framework/message_box.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"
#include "omr/sheet_check.h"

#include <cmath>

namespace {

// 180 / 3.14159, the factor the angle has always been shown with.
constexpr double kDegreesPerRadian = 57.29582790879778;
constexpr double kTiltLimitDegrees = 1.0;

struct MarkPoint {
    bool found = false;
    int x = 0;
    int y = 0;
};

// The last black pixel in column order: the rightmost column of the mark, lowest
// pixel. White pixels of the window turn cyan, which also marks the sheet as
// measured. Walked row by row for the cache; neither outcome depends on the order.
MarkPoint SearchMarkWindow(SheetImage& image, const PixelArea& window)
{
    const PixelArea area = ReadablePart(window, image);
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    MarkPoint point;
    for (int r = area.rows.first; r < area.rows.end; ++r) {
        uint8_t* pixel = image.GetPixelAddress(area.columns.first, r);
        for (int column = area.columns.first; column < area.columns.end; ++column, pixel += bytesPerPixel) {
            if (IsBlack(pixel)) {
                // Rows come in increasing order, so within a column the later one wins.
                if (!point.found || column >= point.x)
                    point = { true, column, r };
            } else if ((pixel[0] & pixel[1] & pixel[2]) == 255) { // grey level 255
                PaintPixel(pixel, kSearchedWindowCyan);
            }
        }
    }
    return point;
}

SheetCheck Refuse(SheetCheck check)
{
    // Leaves no measurement from an earlier sheet that a grid could be placed by.
    g_skew = {};
    ShowMessage(RefusalMessage(check));
    return check;
}

} // namespace

SheetCheck SheetImage::MeasureSkew(int showAngle)
{
    if (!HoldsMarkWindows(*this))
        return Refuse(SheetCheck::TooSmall);
    ConvertTo24Bits();
    const MarkPoint left = SearchMarkWindow(*this, kLeftMarkWindow);
    const MarkPoint right = SearchMarkWindow(*this, kRightMarkWindow);
    if (!left.found || !right.found || left.x == right.x)
        return Refuse(SheetCheck::NoRegistrationMark);

    g_skew.leftMarkX = static_cast<float>(left.x);
    g_skew.leftMarkY = static_cast<float>(left.y);
    g_skew.rightMarkX = static_cast<float>(right.x);
    g_skew.rightMarkY = static_cast<float>(right.y);
    // Rows grow downwards: a right mark lower than the left one gives a negative angle.
    // The rise is taken upwards rather than negating the arctangent, so a level sheet
    // reads 0 and not -0.
    const long double rise = static_cast<long double>(g_skew.leftMarkY) - g_skew.rightMarkY;
    const long double run = static_cast<long double>(g_skew.rightMarkX) - g_skew.leftMarkX;
    g_skew.angleRadians = static_cast<double>(std::atan(rise / run));
    g_skew.angleDegrees = g_skew.angleRadians * kDegreesPerRadian;

    if (showAngle == 1)
        ShowMessage(FormatText(" มุมเอียง=%f", g_skew.angleDegrees));
    else if (std::fabs(g_skew.angleDegrees) >= kTiltLimitDegrees)
        ShowMessage(FormatText(" มุมเอียง=%f \nซึ่งมากเกินข้อจำกัด\nอาจทำให้การตรวจผิดพลาด", g_skew.angleDegrees));
    return SheetCheck::Accepted;
}
