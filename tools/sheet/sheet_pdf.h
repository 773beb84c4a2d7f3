#pragma once

#include <QString>
#include <string>

// Writes the printable answer sheet as a vector A4 PDF, one page per copy. One form
// pixel is 1/100 inch measured from the page's top-left corner, so a print at 100 %
// scanned at 100 dpi puts every mark, band and bubble where the grader reads it.
// Returns an error message for a person, or an empty string. A failed write leaves
// any existing file intact.
std::string WriteSheetPdf(const std::string& path, const QString& title, int copies);
