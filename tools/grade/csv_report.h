#pragma once

#include "sheet_outcome.h"

#include <string>

// The CSV file: file,examinee_id,correct,wrong,error,status, then q1..q100 (C
// correct, W wrong, E row rejected, empty where the key grades nothing) and
// m1..m100 (the letters found marked). A refused sheet has only file and status.
std::string CsvHeader();
// One row, with its line end.
std::string CsvRow(const SheetOutcome& outcome);

// Quotes a CSV field when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
