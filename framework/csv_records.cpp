#include "framework/csv_records.h"

#include "framework/format.h"

#include <algorithm>

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

char CsvSeparatorOf(std::string_view text)
{
    const std::string_view header = text.substr(0, text.find_first_of("\r\n"));
    return std::count(header.begin(), header.end(), ';') > std::count(header.begin(), header.end(), ',')
        ? ';'
        : ',';
}

Result<std::vector<CsvRecord>> SplitCsvRecords(
    std::string_view text, char separator, const std::string& named)
{
    std::vector<CsvRecord> records;
    CsvRecord record { 1, { std::string() } };
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
        return Status::Failure(
            FormatText("%s บรรทัดที่ %d: มีเครื่องหมายคำพูด (\") เปิดไว้แต่ไม่มีตัวปิด", named.c_str(), quoteLine));
    finish();
    return records;
}
