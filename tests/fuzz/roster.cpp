// Any bytes as a class list. What is read holds no control character and no edge space, and
// the students written back as a plain CSV read as themselves.
#include "results/roster.h"

#include <cstdlib>
#include <string>

namespace {

bool Clean(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F || (c == 0xC2 && i + 1 < text.size() && (text[i + 1] & 0xE0) == 0x80))
            return false;
    }
    return text.empty() || (text.front() != ' ' && text.back() != ' ');
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Result<Roster> read
        = Roster::Parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
    if (!read)
        return 0;
    std::string again = "id,name,class,number\n";
    for (const RosterStudent& s : read->Students()) {
        if (s.id < 0 || s.id > 99999999 || read->Find(s.id) != &s || !Clean(s.name) || !Clean(s.className)
            || !Clean(s.number))
            std::abort();
        again += std::to_string(s.id) + ',' + Quoted(s.name) + ',' + Quoted(s.className) + ','
            + Quoted(s.number) + '\n';
    }
    const Result<Roster> reread = Roster::Parse(again, "again.csv");
    if (!reread || reread->Students().size() != read->Students().size())
        std::abort();
    for (size_t i = 0; i < read->Students().size(); ++i) {
        const RosterStudent &a = read->Students()[i], &b = reread->Students()[i];
        if (a.id != b.id || a.name != b.name || a.className != b.className || a.number != b.number)
            std::abort();
    }
    return 0;
}
