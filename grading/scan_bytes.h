#pragma once

#include "answerkey/answer_key.h"
#include "grading/graded_sheet.h"

#include <string>
#include <string_view>

// Grades one scan given as its bytes, as vantrel-grade grades a file of one page: loaded,
// normalised, read (both readings, the review, the final reading), and read again turned
// half a turn when it lies upside down. The sheet is named `name`. Without Qt only JPEG
// scans are read, colour and grey (the browser's, and the check of this library alone);
// any other file is refused, saying so.
GradedSheet GradeScanBytes(const std::string& name, std::string_view bytes, const AnswerKey& key);
