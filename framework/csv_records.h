#pragma once

#include "framework/status.h"

#include <string>
#include <string_view>
#include <vector>

// A file a teacher writes in a spreadsheet (the class list, the scoring plan), read as CSV.

// Whether the bytes are UTF-8 text.
bool IsUtf8(std::string_view text);

// The text without its leading and trailing spaces and tabs.
std::string Trimmed(const std::string& text);

// One record of the CSV, with the line it starts on.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// The separator the first line uses: Excel in a comma-decimal locale separates with semicolons.
char CsvSeparatorOf(std::string_view text);

// The records of the CSV, blank lines left out; quoted fields may hold the separator,
// doubled quotes and line ends. A line ends with CR LF, LF or a lone CR (as old Mac programs
// save). Fails on a quote left open, which would swallow the rest of the file; the failure
// begins with `named` (the file as a teacher knows it: "รายชื่อนักเรียน PATH").
Result<std::vector<CsvRecord>> SplitCsvRecords(
    std::string_view text, char separator, const std::string& named);
