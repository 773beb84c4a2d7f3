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
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    RecordStatement latest(
        m_db, "SELECT path = ? AND content = ? FROM scoring_plans ORDER BY id DESC LIMIT 1");
    const bool kept = latest.Bind(1, plan.path).Bind(2, plan.text).Step() == SQLITE_ROW && latest.Int(0) == 1;
    latest.Reset(); // its read ends before the write
    if (kept)
        return {};
    RecordStatement insert(m_db, "INSERT INTO scoring_plans(path, content, at) VALUES(?, ?, ?)");
    if (!insert.Bind(1, plan.path).Bind(2, plan.text).Bind(3, UtcNow()).Run())
        return Failure("cannot keep the scoring plan");
    return {};
}

std::optional<KeptPlan> ClassRecord::LatestPlan()
{
    std::lock_guard lock(m_mutex);
    RecordStatement select(m_db, "SELECT path, content FROM scoring_plans ORDER BY id DESC LIMIT 1");
    if (select.Step() != SQLITE_ROW)
        return std::nullopt;
    return KeptPlan { select.Text(0), select.Text(1) };
}
