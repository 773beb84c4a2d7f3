#include "omr/mark_windows.h"

bool HoldsMarkWindows(const SheetImage& image)
{
    return FitsInImage(kLeftMarkWindow, image) && FitsInImage(kRightMarkWindow, image);
}
