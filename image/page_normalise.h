#pragma once

#include "framework/status.h"

class SheetImage;

// The engine reads A4 at 100 dpi. Copiers scan at 150-600 dpi, often in grey or
// black and white; this brings such a page to the 100-dpi page a 100-dpi scanner
// would have made, by area averaging in colour (24 bits).
//
// The resolution is the file's own when it is plausible (150-600 dpi, giving the
// page a sheet's width); 72 and 96 dpi are what software writes when it knows none,
// so they count as unknown, and an unknown one is found from the page width (A4 or
// Letter, the height agreeing). A page that
// says 100 dpi, or says nothing and is no larger than about 1.3 x a 100-dpi A4
// page, is left exactly as it is. A page clearly larger that fits neither paper at
// any plausible resolution is refused with a message naming both sizes.
Status NormalisePage(SheetImage& page);

// Brings the page to width x height pixels of 24 bits, each the mean of the area of
// the page it covers, so a black-and-white page comes out with the grey levels a
// coarser sensor would see; says 100 dpi.
Status AverageToSize(const SheetImage& page, int width, int height, SheetImage& out);

// Whether a page of this size would have been read better at its resolution: far
// larger than a 100-dpi A4 page though it says 100 dpi. The engine finds no
// registration mark on such a page, and the size is then the reason to give.
bool SizeShowsResolution(const SheetImage& page);

// The refusal for a page whose size the engine cannot read: the size found and the
// size expected.
std::string PageSizeMessage(int width, int height);
