#include "framework/format.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"

#include <cmath>

namespace {

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

SheetCheck Refuse(EngineState& engine, SheetCheck check)
{
    // Leaves no measurement from an earlier sheet that a grid could be placed by.
    engine.g_skew = {};
    engine.Show(RefusalMessage(check));
    return check;
}

} // namespace

SheetCheck SheetImage::MeasureSkew(EngineState& engine, int showAngle)
{
    if (!HoldsMarkWindows(*this))
        return Refuse(engine, SheetCheck::TooSmall);
    ConvertTo24Bits();
    const MarkPoint left = SearchMarkWindow(*this, kLeftMarkWindow);
    const MarkPoint right = SearchMarkWindow(*this, kRightMarkWindow);
    if (!left.found || !right.found || left.x == right.x)
        return Refuse(engine, SheetCheck::NoRegistrationMark);

    engine.g_skew = SkewFromMarkPoints(left.x, left.y, right.x, right.y);
    const SkewMeasurement& skew = engine.g_skew;

    if (showAngle == 1)
        engine.Show(FormatText(" มุมเอียง=%f", skew.angleDegrees));
    else if (std::fabs(skew.angleDegrees) >= kTiltLimitDegrees)
        engine.Show(FormatText(" มุมเอียง=%f \nซึ่งมากเกินข้อจำกัด\nอาจทำให้การตรวจผิดพลาด", skew.angleDegrees));
    return SheetCheck::Accepted;
}
