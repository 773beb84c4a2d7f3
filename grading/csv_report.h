#pragma once

#include "grading/graded_sheet.h"

#include "results/roster.h"

#include <optional>
#include <string>

// The CSV file: file,examinee_id,correct,wrong,error,status, then q1..q100 (C
// correct, W wrong, E row rejected, empty where the key grades nothing) and
// m1..m100 (the letters found marked), then the review: review (the doubtful items,
// "id:3;q12;tilt", empty when none) and the second reading's
// second_examinee_id,second_correct,second_wrong,second_error; last the final reading
// (final_examinee_id,final_correct,final_wrong,final_error, and unresolved: the doubtful
// items nobody settled). A refused sheet has only file and status.
std::string CsvHeader();
// One row, with its line end.
std::string CsvRow(const GradedSheet& sheet);

// The review file: file,item,first,second,reason, one line per doubtful item.
std::string ReviewHeader();
// The lines of one sheet, with their line ends; none when nothing is doubtful.
std::string ReviewLines(const GradedSheet& sheet);

// The header and a row as they are with a class list (the name its ID has there, as a text
// field, before the final reading's columns; empty when none or refused), or without one.
std::string CsvHeader(const std::optional<Roster>& roster);
std::string CsvRow(const GradedSheet& sheet, const std::optional<Roster>& roster);

// Quotes a CSV field when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
// A field of text from outside the program (a name from the class list): one that begins with
// =, +, -, @, a tab or a CR gets a leading ' so that no spreadsheet reads it as a formula.
std::string CsvTextField(const std::string& text);
