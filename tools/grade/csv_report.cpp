#include "csv_report.h"

#include "framework/format.h"

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

CsvReport::CsvReport()
    : m_text("file,examinee_id,correct,wrong,error,status\n")
{
}

void CsvReport::Add(const SheetOutcome& outcome)
{
    m_text += CsvField(outcome.file);
    if (outcome.status == SheetStatus::Refused)
        m_text += ",,,,,";
    else
        m_text += FormatText(",%08d,%d,%d,%d,", outcome.examineeId, outcome.correct, outcome.wrong, outcome.errors);
    m_text += StatusName(outcome.status);
    m_text += '\n';
}

FileWriteResult CsvReport::Write(const std::string& path) const
{
    return WriteFileSafely(path, m_text);
}
