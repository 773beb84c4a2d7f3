#include "grading/scoring_plan.h"

#include "omr/sheet_review.h"

#include <algorithm>

PlanScore ScoreWithPlan(const ScoringPlan& plan, const AnswerList& key, const FinalReading& reading)
{
    PlanScore score;
    std::vector<Hundredths> earned(plan.sections.size()), lost(plan.sections.size());
    Hundredths totalEarned = 0, totalLost = 0;
    score.questions.assign(kQuestionCount, 0);
    for (size_t q = 0; q < kQuestionCount; ++q) {
        const int keyLetter = KeyLetterOf(key[q]);
        if (keyLetter < 0)
            continue;
        const PlannedQuestion& planned = plan.questions[q];
        const std::string accepted
            = planned.letters.empty() ? std::string(1, static_cast<char>('a' + keyLetter)) : planned.letters;
        const std::string& marked = reading.letters[q];
        const bool rejected = reading.scores[q] == QuestionScore::RowRejected;
        const bool correct = planned.dropped
            || (!rejected && marked.size() == 1 && accepted.find(marked[0]) != std::string::npos);
        const Hundredths gained = correct ? planned.points : 0;
        const Hundredths penalty = !correct && (rejected || !marked.empty()) ? plan.wrongPenalty : 0;
        score.maxPoints += planned.points;
        score.questions[q] = gained - penalty;
        totalEarned += gained;
        totalLost += penalty;
        if (planned.section >= 0) {
            earned[static_cast<size_t>(planned.section)] += gained;
            lost[static_cast<size_t>(planned.section)] += penalty;
        }
    }
    score.points = std::max<Hundredths>(0, totalEarned - totalLost);
    for (size_t s = 0; s < plan.sections.size(); ++s)
        score.sections.push_back(std::max<Hundredths>(0, earned[s] - lost[s]));
    score.percent = score.maxPoints > 0 ? score.points * 10000 / score.maxPoints : 0;
    for (const GradeBand& band : plan.bands)
        if (score.percent >= band.minPercent) {
            score.grade = band.grade;
            break;
        }
    return score;
}
