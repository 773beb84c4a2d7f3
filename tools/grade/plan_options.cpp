#include "plan_options.h"

#include "grading/plan_columns.h"

#include <cstdio>

Status RunPlan::ReadOption(const GradeOptions& options, const AnswerList& key)
{
    if (options.planFile.empty())
        return {};
    Result<PlanFile> read = ReadPlanFile(options.planFile, key);
    if (!read)
        return read.status();
    file = std::move(read).value();
    return {};
}

Status RunPlan::TakeKept(ClassRecord& record, const AnswerList& key)
{
    if (file)
        return {};
    std::optional<KeptPlan> kept = record.LatestPlan();
    if (!kept)
        return {};
    // Checked again: the key it is used with now may grade other questions.
    Result<ScoringPlan> plan = ParsePlan(kept->text, kept->path, key);
    if (!plan)
        return Status::Failure(RecordRefusal(record.Path(),
            "the scoring plan it keeps does not fit this key (give --plan with one that does): "
                + plan.message()));
    std::fprintf(stderr, "vantrel-grade: note: the scoring plan kept in the record (%s) scores the class\n",
        kept->path.c_str());
    file = PlanFile { kept->path, std::move(kept->text), std::move(plan).value() };
    return {};
}

std::string RunPlan::Header(std::string csvHeader) const
{
    return file ? WithPlanFields(std::move(csvHeader), PlanHeaderFields(file->plan)) : csvHeader;
}

std::string RunPlan::Row(std::string csvRow, const AnswerList& key, const GradedSheet& sheet) const
{
    return file ? WithPlanFields(std::move(csvRow), PlanFields(file->plan, key, sheet)) : csvRow;
}
