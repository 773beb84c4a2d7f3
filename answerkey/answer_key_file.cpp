#include "answerkey/answer_key_file.h"

#include "framework/format.h"
#include "framework/input_file.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One byte per answer, so every question keeps its own line; a line-end byte
// cannot live inside a line and is written as no answer.
std::string AnswerLine(const std::string& answer)
{
    std::string line;
    if (!answer.empty() && answer.front() != '\r' && answer.front() != '\n')
        line += answer.front();
    return line + "  \r\n";
}

// The whole file, or a failure; reads one byte past the limit at most, so a huge
// file is refused without being read to its end.
Result<std::string> ReadLimited(const std::string& path)
{
    Result<std::string> bytes = ReadInputFile(path, "the key file", kMaxAnswerKeyFileBytes);
    if (bytes && bytes->size() > kMaxAnswerKeyFileBytes)
        return Status::Failure(FormatText("the key file %s is longer than %zu KiB: it is no answer key",
            path.c_str(), kMaxAnswerKeyFileBytes / 1024));
    return bytes;
}

// Where the line starting at begin ends: at its CR or LF, or at the end of the bytes.
size_t LineEnd(std::string_view bytes, size_t begin)
{
    return std::min(bytes.find_first_of("\r\n", begin), bytes.size());
}

// The start of the next line; CR LF is one line end, CR or LF alone is one too.
size_t NextLineStart(std::string_view bytes, size_t end)
{
    if (end < bytes.size() && bytes.substr(end, 2) == "\r\n")
        return end + 2;
    return std::min(end + 1, bytes.size());
}

// The first byte of the line; an empty line, or one starting with a space (the
// writer's line for no answer) or with 0, gives no answer.
std::string LineAnswer(std::string_view line)
{
    if (line.empty() || line.front() == ' ' || line.front() == '0')
        return {};
    return std::string(1, line.front());
}

} // namespace

Status WriteAnswerKeyFile(const std::string& path, const AnswerList& answers)
{
    std::string bytes;
    for (const std::string& answer : answers)
        bytes += AnswerLine(answer);
    return WriteFileSafely(path, bytes);
}

Result<AnswerList> ReadAnswerKeyFile(const std::string& path)
{
    const Result<std::string> read = ReadLimited(path);
    if (!read)
        return read.status();
    std::string_view bytes = *read;
    // Text has no NUL; an image or a UTF-16 file given as the key has one at once.
    if (bytes.find('\0') < LineEnd(bytes, 0))
        return Status::Failure(FormatText(
            "the key file %s has a NUL byte in its first line: it is no answer key", path.c_str()));
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());

    AnswerList answers;
    size_t begin = 0;
    for (std::string& answer : answers) {
        if (begin >= bytes.size())
            break;
        const size_t end = LineEnd(bytes, begin);
        answer = LineAnswer(bytes.substr(begin, end - begin));
        begin = NextLineStart(bytes, end);
    }
    return answers;
}
