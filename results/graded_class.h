#pragma once

#include "answerkey/answer_key.h"
#include "results/class_workbook.h"
#include "results/roster.h"

#include <optional>
#include <vector>

// A class as it was graded: the key it was graded with, the class list that names it and
// its sheets in input order. Every class output is made of one, so an export can only
// ever use the key its own class was graded with.
struct GradedClass {
    AnswerKey key;
    std::optional<Roster> roster;
    std::vector<ClassSheetRow> sheets;
};
