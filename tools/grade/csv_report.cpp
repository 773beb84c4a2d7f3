#include "csv_report.h"

#include "framework/format.h"

namespace {

char ScoreLetter(QuestionScore score)
{
    switch (score) {
    case QuestionScore::Correct:
        return 'C';
    case QuestionScore::Wrong:
        return 'W';
    case QuestionScore::RowRejected:
        return 'E';
    }
    return 'E';
}

} // namespace

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

std::string CsvHeader()
{
    std::string header = "file,examinee_id,correct,wrong,error,status";
    for (const char* prefix : { ",q", ",m" })
        for (int question = 1; question <= kQuestionCount; ++question)
            header += prefix + std::to_string(question);
    return header + '\n';
}

std::string CsvRow(const SheetOutcome& outcome)
{
    std::string row = CsvField(outcome.file);
    if (outcome.status == SheetStatus::Refused) {
        row += ",,,,,";
        row += StatusName(outcome.status);
        row.append(2 * kQuestionCount, ',');
        return row + '\n';
    }
    row += FormatText(",%08d,%d,%d,%d,", outcome.examineeId, outcome.correct, outcome.wrong, outcome.errors);
    row += StatusName(outcome.status);
    for (const std::optional<QuestionScore>& score : outcome.questionScores) {
        row += ',';
        if (score)
            row += ScoreLetter(*score);
    }
    for (const std::string& letters : outcome.markedLetters)
        row += ',' + letters;
    return row + '\n';
}
