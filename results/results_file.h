#pragma once

#include "framework/safe_file_write.h"
#include "results/results_register.h"

#include <cstdint>
#include <string>

// "<id>  = <correct> " and CR LF: one line of the results file.
std::string FormatResultLine(int32_t examineeId, int32_t correctCount);
// One line per register row whose ID is not 0, row 0 first.
std::string FormatResultsFile(const ResultsRegister& resultsRegister);
Status WriteResultsFile(const std::string& path, const ResultsRegister& resultsRegister);
