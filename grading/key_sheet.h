#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "grading/page_list.h"

#include <optional>
#include <string>
#include <vector>

// The answers a teacher marked on an answer sheet of the class's own, read as the key:
// each row's letter where both readings agree, a blank row no question. Refused, every
// such row named, where the readings differ or a row holds several letters: a key is
// never a guess. Only the first page of a file of several is read.
Result<AnswerList> ReadKeySheet(const std::string& path);

// A key sheet scanned with the class: the first page whose ID both readings read as
// 00000000, every column marked 0 (a blank ID is a student who forgot it, not a key).
struct FoundKeySheet {
    size_t page = 0; // its index among the pages given
    AnswerList answers;
};
// Nothing when no page is one; refused as ReadKeySheet refuses when the one found
// cannot be read for certain.
Result<std::optional<FoundKeySheet>> FindKeySheet(const std::vector<SheetPage>& pages);
