#pragma once

#include "classroom_plan.h"
#include "option_reader.h"

#include <string>

// The options of fill and batch that draw a classroom's sheets: --marks, --tone,
// --print-scale, --upside-down, --page-defects. In batch --print-scale also takes a
// range A-B drawn per sheet. Returns an error message for a person, or an empty string.
std::string ParseClassroomOptions(const OptionReader& options, bool batch, ClassroomOptions& classroom);

// Whether one of them is given.
bool AnyClassroomOption(const OptionReader& options);
