#pragma once

#include "framework/status.h"
#include "results/class_workbook.h"

#include <string>

// The class report as a PDF (A4, vector, Thai fonts embedded): page 1 the summary
// and a histogram of the scores; then the item table with a bar for each
// question's difficulty and discrimination and its flag; then the score list, by
// class and number where the roster gives them. Needs a QGuiApplication for its fonts.
// The bytes of the file; the caller writes them through the one atomic writer.
Result<std::string> MakeClassReport(const ClassWorkbook& book);
