#include "grading/csv_report.h"

#include "framework/format.h"

#include <string_view>

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

std::string CsvTextField(const std::string& text)
{
    // OWASP's advice for CSV injection: a spreadsheet runs a cell that begins with one of these.
    const bool formula
        = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    return CsvField(formula ? "'" + text : text);
}

std::string CsvHeader()
{
    std::string header = "file,examinee_id,correct,wrong,error,status";
    for (const char* prefix : { ",q", ",m" })
        for (int question = 1; question <= kQuestionCount; ++question)
            header += prefix + std::to_string(question);
    return header + ",review,second_examinee_id,second_correct,second_wrong,second_error\n";
}

std::string ReviewHeader()
{
    return "file,item,first,second,reason\n";
}

std::string ReviewLines(const SheetOutcome& outcome)
{
    std::string lines;
    for (const ReviewItem& item : outcome.review.items)
        lines += CsvField(outcome.file) + ',' + CsvField(item.item) + ',' + CsvField(item.first) + ','
            + CsvField(item.second) + ',' + CsvField(item.reason) + '\n';
    return lines;
}

std::string CsvRow(const SheetOutcome& outcome)
{
    std::string row = CsvField(outcome.file);
    if (outcome.status == SheetStatus::Refused) {
        row += ",,,,,";
        row += StatusName(outcome.status);
        row.append(2 * kQuestionCount + 5, ',');
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
    const SheetReview& review = outcome.review;
    row += ',' + CsvField(review.List()) + ',';
    if (review.secondRead)
        row += FormatText("%s,%d,%d,%d", review.secondId.c_str(), review.secondCorrect, review.secondWrong,
            review.secondErrors);
    else
        row += ",,";
    return row + '\n';
}

std::string WithField(std::string row, const std::string& field)
{
    const bool ended = !row.empty() && row.back() == '\n';
    if (ended)
        row.pop_back();
    return row + ',' + CsvTextField(field) + (ended ? "\n" : "");
}

std::string CsvHeader(const std::optional<Roster>& roster)
{
    return roster ? WithField(CsvHeader(), "name") : CsvHeader();
}

std::string CsvRow(const SheetOutcome& outcome, const std::optional<Roster>& roster)
{
    return roster ? WithField(CsvRow(outcome), NameOnRoster(outcome, *roster)) : CsvRow(outcome);
}
