#pragma once

#include "answerkey/answer_key.h"
#include "grading/graded_sheet.h"
#include "grading/scoring_plan.h"
#include "results/class_workbook.h"
#include "results/roster.h"

#include <optional>
#include <vector>

// A class as it was graded: the key it was graded with, the class list that names it and
// its graded sheets in input order. Every class output is made of one, so an export can
// only ever use the key its own class was graded with.
struct GradedClass {
    AnswerKey key;
    std::optional<Roster> roster;
    std::vector<GradedSheet> sheets;
    // How a teacher knows each sheet's scan, for its review; empty: by its file as given.
    std::vector<std::string> shown;
    // The plan its sheets are scored with beside the key; none: the key's counts alone.
    std::optional<ScoringPlan> plan;
};

// The sheet's row scored under the class's plan, when it has one and the sheet was graded.
void ScoreRow(ClassSheetRow& row, const GradedSheet& sheet, const GradedClass& graded);

// The class as the workbook, the report and the slips show it: each graded sheet a row,
// in their order, named from the class list when there is one, the item analysis of the graded
// ones, and the summary lines: the items' first, then the class list's. What the list
// finds of a sheet joins that sheet's review, after what is there.
// Taken whole: a large class is not held twice.
ClassWorkbook MakeClassBook(GradedClass graded);
