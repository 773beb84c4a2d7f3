#pragma once

#include "grading/graded_sheet.h"

#include <string>
#include <string_view>

// A sheet's hundred question rows as one value, kept in the class record beside the rows
// themselves: the rows are what a person reads with sqlite3, the packed copy is what a
// re-score reads, a hundred rows' columns at once. Without the official scores, which a
// re-score works out again. Little-endian varints whatever the
// machine, so a record moves between computers.
std::string PackQuestions(const GradedSheet& sheet);

// Fills each question's boxes, row check and letters of both readings from a value
// PackQuestions made. False, the sheet untouched, for a value it cannot read whole (another
// version, cut short): the rows are read instead.
bool UnpackQuestions(std::string_view packed, GradedSheet& sheet);
