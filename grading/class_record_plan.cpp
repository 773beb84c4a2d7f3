#include "grading/class_record.h"

#include "grading/record_statement.h"

#include <sqlite3.h>

namespace {

// The scoring plans the class was scored with, newest last, each as its file was. Records
// made before plans were kept gain the table when they are next opened.
constexpr const char* kPlans = R"(
CREATE TABLE IF NOT EXISTS scoring_plans(id INTEGER PRIMARY KEY, path TEXT NOT NULL,
  content TEXT NOT NULL, at TEXT NOT NULL);
CREATE TRIGGER IF NOT EXISTS scoring_plans_kept BEFORE UPDATE ON scoring_plans
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
CREATE TRIGGER IF NOT EXISTS scoring_plans_not_removed BEFORE DELETE ON scoring_plans
  BEGIN SELECT RAISE(ABORT, 'the record keeps what it holds'); END;
)";

} // namespace

Status ClassRecord::MakePlanTable()
{
    return Execute(kPlans);
}

Status ClassRecord::KeepPlan(const KeptPlan& plan)
{
    return KeepFile("scoring_plans", plan, "scoring plan");
}

std::optional<KeptPlan> ClassRecord::LatestPlan()
{
    return LatestFile("scoring_plans");
}
