#pragma once

#include "answerkey/answer_key.h"
#include "grading/graded_sheet.h"
#include "image/sheet_image.h"
#include "omr/grading_grid.h"

#include <optional>

// Grades a page already in memory into the sheet, with an engine state of its own, in
// the order the desktop program uses: the first reading, the review and the second
// reading, the final reading. `turned` says the page was turned half a turn before;
// `warnings` are what its decoder said. Gives the grid the sheet was read on, or
// nothing when the page was refused (the sheet says why).
std::optional<GradingGrid> GradeLoadedSheet(SheetImage& image, const AnswerKey& key, bool turned,
    const DecodeWarnings& warnings, bool readMarkedLetters, GradedSheet& sheet);

// The reason a sheet is refused, on one line.
std::string OneLine(std::string text);
