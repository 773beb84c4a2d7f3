#pragma once

#include "omr/pixel_area.h"

#include <optional>

class GreyPage;

// A registration mark found as a solid blob of ink: the centre of its pixels,
// which a speck beside it cannot move, how many there are, and how much darker than the
// paper around it its darkest print is (the page's black, however light the scan).
struct RegistrationBlob {
    double centreX = 0;
    double centreY = 0;
    int pixels = 0;
    int ink = 0;
};

// The largest blob of ink in the window, split from the paper halfway between the
// window's paper and its darkest ink; nothing when the window holds no blob near
// a mark's size.
std::optional<RegistrationBlob> FindRegistrationBlob(const GreyPage& page, const PixelArea& window);

// Where a mark's centre lies from its reference pixel on the untilted form.
double MarkCentreOffsetX();
double MarkCentreOffsetY();
