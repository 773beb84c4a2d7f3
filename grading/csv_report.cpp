#include "grading/csv_report.h"

#include "framework/format.h"

#include <string_view>

namespace {

// The final reading's columns, after every other.
constexpr const char* kFinalHeader = ",final_examinee_id,final_correct,final_wrong,final_error,unresolved\n";

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
    return header + ",review,second_examinee_id,second_correct,second_wrong,second_error" + kFinalHeader;
}

std::string ReviewHeader()
{
    return "file,item,first,second,reason\n";
}

std::string ReviewLines(const GradedSheet& sheet)
{
    std::string lines;
    for (const ReviewItem& item : sheet.review.items)
        lines += CsvField(sheet.file) + ',' + CsvField(item.item) + ',' + CsvField(item.first) + ','
            + CsvField(item.second) + ',' + CsvField(item.reason) + '\n';
    return lines;
}

namespace {

// The final reading's fields, each with its leading comma, and the line end; empty fields
// for a refused sheet.
std::string FinalFields(const GradedSheet& sheet)
{
    const FinalReading& reading = sheet.finalReading;
    if (!reading.graded)
        return ",,,,,\n";
    return FormatText(",%08d,%d,%d,%d,%d\n", reading.examineeId, reading.correct, reading.wrong,
        reading.errors, reading.unresolved);
}

// The row up to the final reading, without its line end.
std::string ReadingsRow(const GradedSheet& sheet)
{
    std::string row = CsvField(sheet.file);
    if (sheet.status == SheetStatus::Refused) {
        row += ",,,,,";
        row += StatusName(sheet.status);
        row.append(2 * kQuestionCount + 5, ',');
        return row;
    }
    row += FormatText(",%08d,%d,%d,%d,", sheet.first.examineeId, sheet.first.counts.correct,
        sheet.first.counts.wrong, sheet.first.counts.errors);
    row += StatusName(sheet.status);
    for (const std::optional<QuestionScore>& score : sheet.first.scores) {
        row += ',';
        if (score)
            row += ScoreLetter(*score);
    }
    for (const std::string& letters : sheet.first.letters)
        row += ',' + letters;
    const SheetReview& review = sheet.review;
    row += ',' + CsvField(review.List()) + ',';
    if (review.secondRead)
        row += FormatText("%s,%d,%d,%d", review.secondId.c_str(), review.secondCorrect, review.secondWrong,
            review.secondErrors);
    else
        row += ",,";
    return row;
}

} // namespace

std::string CsvRow(const GradedSheet& sheet)
{
    return ReadingsRow(sheet) + FinalFields(sheet);
}

std::string CsvHeader(const std::optional<Roster>& roster)
{
    std::string header = CsvHeader();
    if (roster)
        header.insert(header.size() - std::string_view(kFinalHeader).size(), ",name");
    return header;
}

std::string CsvRow(const GradedSheet& sheet, const std::optional<Roster>& roster)
{
    if (!roster)
        return CsvRow(sheet);
    return ReadingsRow(sheet) + ',' + CsvTextField(NameOnRoster(sheet, *roster)) + FinalFields(sheet);
}
