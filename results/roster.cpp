#include "results/roster.h"

#include "framework/format.h"
#include "framework/input_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kIdDigits = 8;

bool IsUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6          ? (lead >= 0xC2 ? 2 : 0) // C0, C1: an overlong form
            : (lead >> 4) == 0xE          ? 3
            : (lead >> 3) == 0x1E         ? 4
                                          : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The records of the CSV, each with the line it starts on; quoted fields may hold the
// separator, doubled quotes and line ends. A line ends with CR LF, LF or a lone CR (as old
// Mac programs save). Fails on a quote left open, which would swallow the rest of the list.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

Result<std::vector<Record>> SplitRecords(std::string_view text, char separator, const std::string& path)
{
    std::vector<Record> records;
    Record record { 1, { std::string() } };
    int line = 1;
    int quoteLine = 0; // the line of the open quote; 0 outside quotes
    auto finish = [&] {
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank)
            records.push_back(std::move(record));
        record = { line, { std::string() } };
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        if (lineEnd)
            ++line;
        if (quoteLine != 0) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                record.fields.back() += text[++i];
            else if (c == '"')
                quoteLine = 0;
            else
                record.fields.back() += c;
        } else if (c == '"') {
            quoteLine = line;
        } else if (c == separator) {
            record.fields.emplace_back();
        } else if (lineEnd) {
            finish();
        } else if (c != '\r') {
            record.fields.back() += c;
        }
    }
    if (quoteLine > 0)
        return Status::Failure(FormatText(
            "รายชื่อนักเรียน %s บรรทัดที่ %d: มีเครื่องหมายคำพูด (\") เปิดไว้แต่ไม่มีตัวปิด", path.c_str(), quoteLine));
    finish();
    return records;
}

// Removes what a terminal, a spreadsheet or a PDF would act on rather than show: C0 controls
// (NUL, ESC, ...), DEL and C1 controls. Tabs and line ends become one space; the ends are
// trimmed. The text is UTF-8, so a C1 control is the two bytes C2 80 to C2 9F.
std::string Cleaned(const std::string& text)
{
    std::string clean;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\t' || c == '\n' || c == '\r') {
            if (!clean.empty() && clean.back() != ' ')
                clean += ' ';
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            ++i;
        } else if (c >= 0x20 && c != 0x7F) {
            clean += static_cast<char>(c);
        }
    }
    return Trimmed(clean);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<int32_t> ParseId(const std::string& text)
{
    if (text.empty() || text.size() > kIdDigits
        || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return static_cast<int32_t>(std::stol(text));
}

} // namespace

Result<Roster> Roster::Parse(std::string_view bytes, const std::string& path)
{
    const std::string_view whole = bytes;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    if (!IsUtf8(bytes))
        return Status::Failure(
            FormatText("รายชื่อนักเรียน %s ไม่ใช่ข้อความ UTF-8: โปรดบันทึกเป็น \"CSV UTF-8\"", path.c_str()));
    // The header decides: Excel in a comma-decimal locale separates with semicolons.
    const std::string_view header = bytes.substr(0, bytes.find_first_of("\r\n"));
    const char separator
        = std::count(header.begin(), header.end(), ';') > std::count(header.begin(), header.end(), ',') ? ';'
                                                                                                        : ',';
    Result<std::vector<Record>> split = SplitRecords(bytes, separator, path);
    if (!split)
        return split.status();
    const std::vector<Record>& records = *split;
    if (records.empty())
        return Status::Failure(FormatText("รายชื่อนักเรียน %s เป็นไฟล์ว่าง ไม่มีรายชื่อนักเรียน", path.c_str()));

    std::map<std::string, size_t> columns;
    for (size_t c = 0; c < records[0].fields.size(); ++c)
        columns.emplace(Lower(Trimmed(records[0].fields[c])), c);
    for (const char* required : { "id", "name" })
        if (!columns.count(required))
            return Status::Failure(
                FormatText("รายชื่อนักเรียน %s ไม่มีคอลัมน์ \"%s\" ในบรรทัดแรก (บรรทัดแรกต้องเป็นหัวตาราง id,name)",
                    path.c_str(), required));
    // Every field is cleaned here, once, so no output can forget to.
    auto field = [&](const Record& record, const char* column) {
        const auto found = columns.find(column);
        return found == columns.end() || found->second >= record.fields.size()
            ? std::string()
            : Cleaned(record.fields[found->second]);
    };

    Roster roster;
    for (size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        const std::string idText = field(record, "id");
        const std::optional<int32_t> id = ParseId(idText);
        if (!id)
            return Status::Failure(FormatText("รายชื่อนักเรียน %s บรรทัดที่ %d: รหัส \"%s\" ไม่ใช่ตัวเลขหนึ่งถึงแปดหลัก",
                path.c_str(), record.line, idText.c_str()));
        if (const RosterStudent* listed = roster.Find(*id))
            return Status::Failure(FormatText("รายชื่อนักเรียน %s บรรทัดที่ %d: รหัส %08d มีซ้ำสองครั้ง (ซ้ำกับ %s)",
                path.c_str(), record.line, *id, listed->name.c_str()));
        roster.m_byId.emplace(*id, roster.m_students.size());
        roster.m_students.push_back(
            { *id, field(record, "name"), field(record, "class"), field(record, "number") });
    }
    if (roster.m_students.empty())
        return Status::Failure(FormatText("รายชื่อนักเรียน %s มีแต่หัวตาราง ไม่มีรายชื่อนักเรียนสักคน", path.c_str()));
    roster.m_path = path;
    roster.m_text = whole;
    return roster;
}

Result<Roster> Roster::Read(const std::string& path)
{
    const Result<std::string> bytes = ReadInputFile(path, "the roster", kMaxRosterFileBytes);
    if (!bytes)
        return bytes.status();
    if (bytes->size() > kMaxRosterFileBytes)
        return Status::Failure(FormatText("รายชื่อนักเรียน %s ยาวเกิน %zu MiB จึงไม่ใช่รายชื่อนักเรียน", path.c_str(),
            kMaxRosterFileBytes / (1024 * 1024)));
    return Parse(*bytes, path);
}

const RosterStudent* Roster::Find(int32_t id) const
{
    const auto found = m_byId.find(id);
    return found == m_byId.end() ? nullptr : &m_students[found->second];
}

std::vector<const RosterStudent*> Roster::OneDigitAway(int32_t id) const
{
    const std::string digits = FormatText("%08d", id);
    std::vector<const RosterStudent*> near;
    for (const RosterStudent& student : m_students) {
        const std::string other = FormatText("%08d", student.id);
        int differing = 0;
        for (int d = 0; d < kIdDigits; ++d)
            differing += digits[static_cast<size_t>(d)] != other[static_cast<size_t>(d)] ? 1 : 0;
        if (differing == 1)
            near.push_back(&student);
    }
    return near;
}
