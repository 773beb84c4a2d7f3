#pragma once

#include "grade_options.h"

#include <string>
#include <vector>

// Why the outputs the options ask for would overwrite an input (a sheet, the key) or
// each other, naming both paths, or a file that holds a scan whatever its name (the
// report and the slips may replace a PDF only of their own making); empty when they
// are safe to write. Checked before anything is written, so a forgotten file name
// (`--csv *.jpg`, `--report *.pdf`) never costs a scan.
std::string OutputClash(const GradeOptions& options, const std::vector<std::string>& annotatedPaths);
