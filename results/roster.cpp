#include "results/roster.h"

#include "framework/csv_records.h"
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
    Result<std::vector<CsvRecord>> split
        = SplitCsvRecords(bytes, CsvSeparatorOf(bytes), "รายชื่อนักเรียน " + path);
    if (!split)
        return split.status();
    const std::vector<CsvRecord>& records = *split;
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
    auto field = [&](const CsvRecord& record, const char* column) {
        const auto found = columns.find(column);
        return found == columns.end() || found->second >= record.fields.size()
            ? std::string()
            : Cleaned(record.fields[found->second]);
    };

    Roster roster;
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
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
