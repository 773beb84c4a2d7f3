#include "results/roster_check.h"

#include "framework/format.h"

#include <map>

namespace {

std::string Student(const RosterStudent& student)
{
    return FormatText("%08d %s", student.id, student.name.c_str());
}

void AddNote(std::string& notes, const std::string& note)
{
    notes += (notes.empty() ? "" : "; ") + note;
}

} // namespace

RosterCheck CheckAgainstRoster(const Roster& roster, const std::vector<RosterSheet>& sheets)
{
    RosterCheck check;
    check.students.resize(sheets.size(), nullptr);
    check.notes.resize(sheets.size());
    std::map<int32_t, std::vector<size_t>> sheetsOfId;
    size_t matched = 0;
    std::vector<std::string> unknown;
    for (size_t s = 0; s < sheets.size(); ++s) {
        if (!sheets[s].examineeId)
            continue;
        const int32_t id = *sheets[s].examineeId;
        sheetsOfId[id].push_back(s);
        check.students[s] = roster.Find(id);
        if (check.students[s]) {
            ++matched;
            continue;
        }
        std::string note = FormatText("ID %08d is not on the roster", id);
        const std::vector<const RosterStudent*> near = roster.OneDigitAway(id);
        for (size_t n = 0; n < near.size(); ++n)
            note += (n == 0 ? "; one digit from " : ", ") + Student(*near[n]);
        AddNote(check.notes[s], note);
        unknown.push_back(sheets[s].file + ": " + note);
    }

    std::vector<std::string> doubled;
    for (const auto& [id, onSheets] : sheetsOfId) {
        if (onSheets.size() < 2)
            continue;
        std::string files;
        for (const size_t s : onSheets)
            files += (files.empty() ? "" : ", ") + sheets[s].file;
        doubled.push_back(FormatText("ID %08d is on %zu sheets: %s", id, onSheets.size(), files.c_str()));
        for (const size_t s : onSheets)
            AddNote(check.notes[s], FormatText("ID %08d is on %zu sheets", id, onSheets.size()));
    }
    for (const RosterStudent& student : roster.Students())
        if (!sheetsOfId.count(student.id))
            check.absent.push_back(&student);

    check.summary.push_back(
        FormatText("roster: %zu students, %zu sheets on it, %zu IDs not on it, %zu students "
                   "with no sheet, %zu IDs on more than one sheet",
            roster.Students().size(), matched, unknown.size(), check.absent.size(), doubled.size()));
    for (const std::string& line : unknown)
        check.summary.push_back("not on the roster: " + line);
    for (const RosterStudent* student : check.absent)
        check.summary.push_back("no sheet: " + Student(*student));
    for (const std::string& line : doubled)
        check.summary.push_back("twice: " + line);
    return check;
}
