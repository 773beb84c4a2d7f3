#pragma once

#include "answerkey/answer_key.h"
#include "framework/safe_file_write.h"

#include <string>

// Writes 100 lines "<answer>  " with CR LF, one per question.
FileWriteResult WriteAnswerKeyFile(const std::string& path, const AnswerList& answers);
// Reads one line per question into answers; false when the file cannot be opened
// (answers unchanged).
bool ReadAnswerKeyFile(const std::string& path, AnswerList& answers);
