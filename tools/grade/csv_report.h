#pragma once

#include "framework/safe_file_write.h"
#include "sheet_outcome.h"

#include <string>

// The CSV file: a header, then one row per sheet in input order.
class CsvReport {
public:
    CsvReport();
    void Add(const SheetOutcome& outcome);
    FileWriteResult Write(const std::string& path) const;
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// Quotes a CSV field when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
