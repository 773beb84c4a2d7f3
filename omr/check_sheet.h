#pragma once

#include "omr/sheet_check.h"

#include <functional>

class SheetImage;

// Runs one sheet through the engine in the order of the checking commands:
// PrepareSheet, MeasureSkew(0), TakeGradingCopy, GradeSheet with this thread's
// grading key. recordTitle runs once the sheet is known to be readable, just before
// its ID is read, so a refused sheet leaves the register untouched. A refusal has
// already been shown to the person when this returns.
SheetCheck CheckSheet(SheetImage& image, const std::function<void()>& recordTitle);
