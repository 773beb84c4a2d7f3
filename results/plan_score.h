#pragma once

#include "answerkey/answer_key.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What a scoring plan is and what it gives a sheet, here so that the class outputs show it;
// grading/scoring_plan.h scores a reading with it.

// Points, penalties and percents are kept in hundredths, so that 0.25 and 1.5 add exactly
// and a band's edge is met or not without rounding.
using Hundredths = int64_t;

// How one question is scored.
struct PlannedQuestion {
    std::string letters; // the accepted letters, a-e in order; empty: the key's letter
    Hundredths points = 100;
    // Given to everyone: a voided question costs no one its points, and the total stays the
    // one announced.
    bool dropped = false;
    int section = -1; // in ScoringPlan::sections; -1: in none
};

// A grade and the percent it starts at.
struct GradeBand {
    Hundredths grade = 0; // 400 is grade 4, 350 grade 3.5
    Hundredths minPercent = 0; // 8000 is 80 %
};

// How a class's sheets are scored beside the key: per question the accepted letters,
// points, drop and section, a penalty a wrong answer, and the grade bands.
struct ScoringPlan {
    std::array<PlannedQuestion, kQuestionCount> questions;
    Hundredths wrongPenalty = 0;
    std::vector<std::string> sections; // in the order the plan first names them
    std::vector<GradeBand> bands = ThaiBands(); // the highest first; the last starts at 0 %

    // The common Thai table: 4 at 80 %, then half a grade every 5 % down to 1 at 50 %, 0 below.
    static std::vector<GradeBand> ThaiBands();
};

// A sheet's score under a plan.
struct PlanScore {
    Hundredths points = 0; // never below 0
    Hundredths maxPoints = 0;
    Hundredths percent = 0; // rounded down, so that the grade shown fits the percent shown
    Hundredths grade = 0;
    std::vector<Hundredths> sections; // each section's points, never below 0
    // Each question's points: what it gave less its penalty; 0 for one the key does not grade.
    std::vector<Hundredths> questions;
};

// "1", "1.5", "0.25": the shortest decimal of an amount in hundredths.
std::string HundredthsText(Hundredths amount);
