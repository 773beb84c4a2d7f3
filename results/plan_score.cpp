#include "results/plan_score.h"

#include <cstdlib>

std::vector<GradeBand> ScoringPlan::ThaiBands()
{
    std::vector<GradeBand> bands;
    for (Hundredths grade = 400; grade >= 100; grade -= 50)
        bands.push_back({ grade, 5000 + (grade - 100) * 10 });
    bands.push_back({ 0, 0 });
    return bands;
}

std::string HundredthsText(Hundredths amount)
{
    std::string text = (amount < 0 ? "-" : "") + std::to_string(std::abs(amount) / 100);
    const Hundredths cents = std::abs(amount) % 100;
    if (cents != 0)
        text += '.' + std::to_string(100 + cents).substr(1, cents % 10 == 0 ? 1 : 2);
    return text;
}
