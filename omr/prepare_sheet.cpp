#include "framework/message_box.h"
#include "image/sheet_image.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"

namespace {

constexpr int kWhiteFromGrey = 140;
// Other pixels that clear an earlier cyan one.
constexpr int kOtherPixelsToClear = 40;

// The search colour of a measured window, with room for a lossy save in between.
// Only cyan counts: grey or speckled paper must never stop a fresh scan from
// being thresholded, or it would be graded as blank.
bool IsSearchCyan(const uint8_t* pixel)
{
    return pixel[2] < 128 && pixel[1] >= 200 && pixel[0] >= 200;
}

// Whether the left mark window ends in cyan pixels not followed by a fortieth other
// one: true on a sheet measured before, whose window was painted cyan.
bool LooksMeasured(const SheetImage& image)
{
    const PixelArea window = ReadablePart(kLeftMarkWindow, image);
    int otherCount = 0;
    bool cyan = false;
    for (int column = window.columns.first; column < window.columns.end; ++column) {
        for (int r = window.rows.first; r < window.rows.end; ++r) {
            if (IsSearchCyan(image.GetPixelAddress(column, r))) {
                cyan = true;
            } else if (++otherCount == kOtherPixelsToClear) {
                otherCount = 0;
                cyan = false;
            }
        }
    }
    return cyan;
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
