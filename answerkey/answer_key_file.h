#pragma once

#include "answerkey/answer_key.h"
#include "framework/safe_file_write.h"
#include "framework/status.h"

#include <cstddef>
#include <string>

// A key file is a few hundred bytes; anything longer is not one.
constexpr size_t kMaxAnswerKeyFileBytes = 64 * 1024;

// Writes 100 lines "<answer>  " with CR LF, one per question.
Status WriteAnswerKeyFile(const std::string& path, const AnswerList& answers);
// Reads one line per question (CR, LF and CR LF each end a line) into a whole new
// key: questions the file does not reach have no answer. Fails, naming the file and
// the reason, when it cannot be read, is longer than kMaxAnswerKeyFileBytes or has
// a NUL byte in its first line; at most one byte more than the limit is ever read.
Result<AnswerList> ReadAnswerKeyFile(const std::string& path);
