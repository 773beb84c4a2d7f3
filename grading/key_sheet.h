#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"

#include <string>

// The answers a teacher marked on an answer sheet of the class's own, read as the key:
// each row's letter where both readings agree, a blank row no question. Refused, every
// such row named, where the readings differ or a row holds several letters: a key is
// never a guess. Only the first page of a file of several is read.
Result<AnswerList> ReadKeySheet(const std::string& path);
