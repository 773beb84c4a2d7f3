#pragma once

#include "grading/graded_sheet.h"
#include "grading/scoring_plan.h"

#include <string>

// What a scoring plan adds to the CSV, after every other column:
// points,max_points,percent,grade, then section:NAME (its points) for each section of the
// plan. Each starts with its comma; a refused sheet's fields are empty.
std::string PlanHeaderFields(const ScoringPlan& plan);
std::string PlanFields(const ScoringPlan& plan, const AnswerList& key, const GradedSheet& sheet);

// The line with the fields put before its line end.
std::string WithPlanFields(std::string line, const std::string& fields);
