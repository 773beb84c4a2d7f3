#pragma once

class SheetImage;

// Turns the image half a turn in place, as a page laid upside down on the glass is read
// the right way up; an image below 24 bits is made 24-bit first.
void TurnHalf(SheetImage& image);
