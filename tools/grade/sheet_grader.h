#pragma once

#include "grade_options.h"
#include "sheet_outcome.h"

// Loads and grades one sheet file with this thread's engine and the entered key,
// in the order the desktop program uses; saves the annotated sheet when asked.
SheetOutcome GradeSheetFile(const std::string& path, const GradeOptions& options);
