#include "grading/plan_columns.h"

#include "grading/csv_report.h"

std::string PlanHeaderFields(const ScoringPlan& plan)
{
    std::string fields = ",points,max_points,percent,grade";
    for (const std::string& section : plan.sections)
        fields += ',' + CsvTextField("section:" + section);
    return fields;
}

std::string PlanFields(const ScoringPlan& plan, const AnswerList& key, const GradedSheet& sheet)
{
    if (!sheet.finalReading.graded)
        return std::string(4 + plan.sections.size(), ',');
    const PlanScore score = ScoreWithPlan(plan, key, sheet.finalReading);
    std::string fields;
    for (const Hundredths figure : { score.points, score.maxPoints, score.percent, score.grade })
        fields += ',' + HundredthsText(figure);
    for (const Hundredths points : score.sections)
        fields += ',' + HundredthsText(points);
    return fields;
}

std::string WithPlanFields(std::string line, const std::string& fields)
{
    line.insert(line.size() - (line.ends_with('\n') ? 1 : 0), fields);
    return line;
}
