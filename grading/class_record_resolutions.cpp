#include "grading/class_record.h"

#include "grading/record_statement.h"

#include <sqlite3.h>

Status ClassRecord::AddResolution(int64_t sheetId, const Resolution& resolution)
{
    const Result<std::string> value = ResolvedValue(resolution.item, resolution.chosenValue);
    if (!value)
        return Status::Failure(RecordRefusal(m_path, "not kept: " + value.message()));
    std::lock_guard lock(m_mutex);
    if (const Status checked = Checked(); !checked)
        return checked;
    RecordStatement insert(m_db,
        "INSERT INTO resolutions(sheet_id, item, machine_value, chosen_value, how, os_user, at, reason)"
        " VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, sheetId).Bind(2, resolution.item).Bind(3, resolution.machineValue).Bind(4, *value);
    insert.Bind(5, std::string(HowName(resolution.how))).Bind(6, resolution.user).Bind(7, resolution.at);
    insert.Bind(8, resolution.reason);
    // On its own, outside any transaction: SQLite commits it at once.
    if (!insert.Run())
        return Failure("cannot keep the resolution of " + resolution.item);
    return {};
}

Result<std::vector<RecordedResolution>> ClassRecord::Resolutions()
{
    std::lock_guard lock(m_mutex);
    RecordStatement select(m_db,
        "SELECT p.path, p.page, p.page_count, r.item, r.machine_value, r.chosen_value, r.how, r.os_user, "
        "r.at,"
        " r.reason FROM resolutions r JOIN sheets s ON s.id = r.sheet_id JOIN pages p ON p.id = s.page_id"
        " ORDER BY r.id");
    std::vector<RecordedResolution> events;
    int stepped;
    while ((stepped = select.Step()) == SQLITE_ROW)
        events.push_back({ SheetPage { select.Text(0), static_cast<int>(select.Int(1)),
                               static_cast<int>(select.Int(2)), {} }
                               .Name(),
            ResolutionFromRow(select, 3) });
    if (stepped != SQLITE_DONE)
        return Failure("cannot read the resolutions");
    return events;
}
