// What a page's worker calls: it sets the key once, then grades one scan at a time through
// the same calls as vantrel-grade, into the same CSV text. Each call's text stays valid
// until the next call; a worker is one thread, so one buffer serves.
#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "framework/message_box.h"
#include "framework/safe_file_write.h"
#include "grading/csv_report.h"
#include "grading/scan_bytes.h"

#include <emscripten/emscripten.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string g_text;

// The key's validation messages, as the desktop would show them in boxes.
class CollectedMessages : public MessageBoxService {
public:
    void Show(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

// A file name from the page, as the CSV names it.
std::string ScanName(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '_');
    if (name.empty() || name == "." || name == "..")
        name = "scan";
    return name;
}

int Answer(int value, std::string text)
{
    g_text = std::move(text);
    return value;
}

} // namespace

extern "C" {

// Reads the key from a key file's bytes (a typed key is turned into one by the page).
// Returns the number of questions it grades, 0 when it grades none, -1 when the bytes are
// no key file; vantrel_text() then gives the messages or the reason, one a line.
EMSCRIPTEN_KEEPALIVE int vantrel_set_key(const char* bytes, int size)
{
    // emscripten starts with a umask of 0777, which leaves every file written unreadable;
    // the key is the first thing a worker is given.
    ::umask(022);
    const std::string path = "/answer.key";
    if (const Status written = WriteFileSafely(path, std::string_view(bytes, size)); !written)
        return Answer(-1, written.message());
    const Result<AnswerList> read = ReadAnswerKeyFile(path);
    std::filesystem::remove(path);
    if (!read)
        return Answer(-1, read.message());
    CollectedMessages messages;
    {
        ScopedMessageBox bound(messages);
        AcceptAnswerKey(*read, "key");
    }
    std::string lines;
    for (const std::string& line : messages.lines)
        lines += line + "\n";
    return Answer(g_enteredKey.count, lines);
}

// The text the last call left: the key's messages, the CSV rows, the header, or a reason.
EMSCRIPTEN_KEEPALIVE const char* vantrel_text()
{
    return g_text.c_str();
}

// Leaves the CSV's header line, as vantrel-grade writes it without a class list or plan.
EMSCRIPTEN_KEEPALIVE int vantrel_csv_header()
{
    return Answer(0, CsvHeader(std::nullopt));
}

// Grades one scan against the key set last. Returns 1 and leaves its CSV row, with its
// line end, exactly as vantrel-grade writes it.
EMSCRIPTEN_KEEPALIVE int vantrel_grade(const char* name, const char* bytes, int size)
{
    return Answer(
        1, CsvRow(GradeScanBytes(ScanName(name), std::string_view(bytes, size), g_enteredKey), std::nullopt));
}

} // extern "C"
