#pragma once

#include "grading/page_list.h"

#include <string>
#include <vector>

// Where each sheet's annotated copy goes: DIR/<file's name without extension>.FMT,
// with -pN before the extension for page N of a file of several, in input order.
// Sheets whose names would meet (the same name in two folders, or one file given
// twice) get "-2", "-3", ... in input order, so that no two threads ever write one
// file and the outcome does not depend on which finishes first.
std::vector<std::string> AnnotatedPaths(
    const std::vector<SheetPage>& sheets, const std::string& directory, const std::string& format);
