#pragma once

#include "answerkey/answer_key.h"
#include "grading/final_reading.h"
#include "results/plan_score.h"

// The score of the final reading's letters: a question the key grades is correct when its
// row holds one letter the plan accepts (a rejected row never is); a wrong letter or a
// rejected row costs the penalty, a blank row nothing; a dropped question gives everyone
// its points.
PlanScore ScoreWithPlan(const ScoringPlan& plan, const AnswerList& key, const FinalReading& reading);
