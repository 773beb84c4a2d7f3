#pragma once

#include "framework/status.h"
#include "results/class_workbook.h"
#include "results/pdf_pages.h"

#include <QIODevice>

#include <cstddef>
#include <optional>
#include <string>

// A slip for every sheet, three to an A4 page with cut lines between, for the
// teacher to hand back: the student's name, ID and score, each keyed question's key
// and the letters read (wrong ones in red), and the ID bands cut from the sheet so
// the student sees it was theirs. Needs a QGuiApplication for its fonts. The bytes
// of the PDF; the caller writes them through the one atomic writer.
Result<std::string> MakeClassSlips(const ClassWorkbook& book);

// The same slips drawn one sheet at a time, as the sheets come, onto a PDF that leaves
// for `out` page by page: memory stays flat however large the class.
class ClassSlips {
public:
    // With a plan, each slip gives the sheet's points, grade and sections and each question's points.
    ClassSlips(const AnswerList& key, QIODevice& out, std::optional<ScoringPlan> plan = {});

    // The sheet's slip, named from the class list already.
    void Add(const ClassSheetRow& sheet);
    // Ends the PDF; fails when it could not be drawn.
    Status Finish();

private:
    ClassWorkbook m_book; // the key and the plan alone: all a slip needs of its class
    pdf::A4PdfStream m_pdf;
    size_t m_count = 0;
};
