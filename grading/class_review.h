#pragma once

#include "grading/sheet_outcome.h"
#include "results/class_workbook.h"

#include <string>

// What a teacher should look at on a sheet of a class, in Thai, the scan named as `shown`
// (its path never appears): why it could not be graded, a walk that never reached the
// key's last question, and each doubtful item with both readings. Empty when nothing.
std::string ClassReviewText(const SheetOutcome& outcome, const std::string& shown);

// The sheet as the class outputs show it, with that review.
ClassSheetRow ClassRowWithReview(const SheetOutcome& outcome, const std::string& shown);
