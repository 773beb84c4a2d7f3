#include "framework/message_box.h"
#include "image/sheet_image.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"

namespace {

constexpr int kWhiteFromGrey = 140;
// Red below this is dark paper: a cyan-painted (measured) window is dark throughout.
constexpr int kBrightRed = 200;
// Bright pixels that clear an earlier dark one.
constexpr int kBrightPixelsToClear = 40;

// Whether the left mark window ends in dark pixels not followed by a fortieth bright
// one: true on a sheet measured before, whose window is cyan.
bool LooksMeasured(const SheetImage& image)
{
    const PixelArea window = ReadablePart(kLeftMarkWindow, image);
    int brightCount = 0;
    bool dark = false;
    for (int column = window.columns.first; column < window.columns.end; ++column) {
        for (int r = window.rows.first; r < window.rows.end; ++r) {
            if (image.GetPixelAddress(column, r)[2] < kBrightRed) {
                dark = true;
            } else if (++brightCount == kBrightPixelsToClear) {
                brightCount = 0;
                dark = false;
            }
        }
    }
    return dark;
}

void Threshold(SheetImage& image)
{
    const PixelArea whole = ReadablePart({ { 0, image.GetWidth() }, { 0, image.GetHeight() } }, image);
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    for (int r = whole.rows.first; r < whole.rows.end; ++r) {
        uint8_t* pixel = image.GetPixelAddress(whole.columns.first, r);
        for (int column = whole.columns.first; column < whole.columns.end; ++column, pixel += bytesPerPixel) {
            // A fourth (alpha) byte is left alone.
            const uint8_t level = GreyLevel(pixel) >= kWhiteFromGrey ? 255 : 0;
            pixel[0] = pixel[1] = pixel[2] = level;
        }
    }
}

} // namespace

SheetCheck SheetImage::PrepareSheet()
{
    if (!HoldsMarkWindows(*this)) {
        ShowMessage(RefusalMessage(SheetCheck::TooSmall));
        return SheetCheck::TooSmall;
    }
    const int depth = GetBitsPerPixel();
    if (depth > 8 && depth < 24)
        ShowMessage("ภาพไม่เป็นindex \n  โปรแกรมจะแสดงผลผิดพลาดได้!!");
    ConvertTo24Bits();
    if (!LooksMeasured(*this))
        Threshold(*this);
    return SheetCheck::Accepted;
}
