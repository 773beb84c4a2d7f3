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

const std::string& Shown(const RosterSheet& sheet)
{
    return sheet.shown.empty() ? sheet.file : sheet.shown;
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
    std::vector<std::string> unknownThai;
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
        std::string thai = FormatText("รหัส %08d ไม่อยู่ในรายชื่อนักเรียน", id);
        const std::vector<const RosterStudent*> near = roster.OneDigitAway(id);
        for (size_t n = 0; n < near.size(); ++n) {
            note += (n == 0 ? "; one digit from " : ", ") + Student(*near[n]);
            thai += (n == 0 ? "; ต่างกันหนึ่งหลักกับ " : ", ") + Student(*near[n]);
        }
        AddNote(check.notes[s], thai);
        unknown.push_back(sheets[s].file + ": " + note);
        unknownThai.push_back(Shown(sheets[s]) + ": " + thai);
    }

    std::vector<std::string> doubled;
    std::vector<std::string> doubledThai;
    for (const auto& [id, onSheets] : sheetsOfId) {
        if (onSheets.size() < 2)
            continue;
        std::string files;
        std::string shown;
        for (const size_t s : onSheets) {
            files += (files.empty() ? "" : ", ") + sheets[s].file;
            shown += (shown.empty() ? "" : ", ") + Shown(sheets[s]);
        }
        doubled.push_back(FormatText("ID %08d is on %zu sheets: %s", id, onSheets.size(), files.c_str()));
        doubledThai.push_back(FormatText("รหัส %08d อยู่ใน %zu แผ่น: %s", id, onSheets.size(), shown.c_str()));
        for (const size_t s : onSheets)
            AddNote(check.notes[s], FormatText("รหัส %08d อยู่ใน %zu แผ่น", id, onSheets.size()));
    }
    for (const RosterStudent& student : roster.Students())
        if (!sheetsOfId.count(student.id))
            check.absent.push_back(&student);

    check.summary.push_back(
        FormatText("roster: %zu students, %zu sheets on it, %zu IDs not on it, %zu students "
                   "with no sheet, %zu IDs on more than one sheet",
            roster.Students().size(), matched, unknown.size(), check.absent.size(), doubled.size()));
    check.findings.push_back(FormatText("รายชื่อนักเรียน %zu คน: ตรงกับรายชื่อ %zu แผ่น, รหัสไม่อยู่ในรายชื่อ %zu แผ่น, "
                                        "ไม่มีกระดาษคำตอบ %zu คน, รหัสซ้ำกัน %zu รหัส",
        roster.Students().size(), matched, unknown.size(), check.absent.size(), doubled.size()));
    for (size_t u = 0; u < unknown.size(); ++u) {
        check.summary.push_back("not on the roster: " + unknown[u]);
        check.findings.push_back(unknownThai[u]);
    }
    for (const RosterStudent* student : check.absent) {
        check.summary.push_back("no sheet: " + Student(*student));
        check.findings.push_back("ไม่มีกระดาษคำตอบ: " + Student(*student));
    }
    for (size_t d = 0; d < doubled.size(); ++d) {
        check.summary.push_back("twice: " + doubled[d]);
        check.findings.push_back(doubledThai[d]);
    }
    return check;
}
