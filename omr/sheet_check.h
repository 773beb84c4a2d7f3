#pragma once

#include <string>

// Whether the engine could work on a sheet, and if not, why.
enum class SheetCheck {
    Accepted,
    TooSmall, // smaller than the mark windows: not an answer sheet
    NoRegistrationMark, // a mark window without a black pixel
    OutsideImage, // the ID bands or the answer grid would leave the image
};

// The text shown to the person when a sheet is refused; empty for Accepted.
std::string RefusalMessage(SheetCheck check);
