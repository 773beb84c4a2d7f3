#pragma once

#include "framework/status.h"
#include "results/class_workbook.h"

#include <string>

// A slip for every sheet, three to an A4 page with cut lines between, for the
// teacher to hand back: the student's name, ID and score, each keyed question's key
// and the letters read (wrong ones in red), and the ID bands cut from the sheet so
// the student sees it was theirs. Needs a QGuiApplication for its fonts. The bytes
// of the PDF; the caller writes them through the one atomic writer.
Result<std::string> MakeClassSlips(const ClassWorkbook& book);
