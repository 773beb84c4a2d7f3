#pragma once

#include "results/roster.h"

#include <optional>
#include <string>
#include <vector>

// One sheet of the run as the class list sees it: its file and, when it was graded,
// the ID read from it.
struct RosterSheet {
    std::string file;
    std::string shown; // the file as a teacher reads it (no folder); the file when empty
    std::optional<int32_t> examineeId; // none for a sheet that could not be graded
};

// The sheets against the class list. Nothing is dropped: every sheet keeps its row,
// and what does not fit becomes a note a person reads.
struct RosterCheck {
    std::vector<const RosterStudent*> students; // per sheet: the student with its ID, or nullptr
    std::vector<std::string> notes; // per sheet: what to look at; empty when nothing
    std::vector<const RosterStudent*> absent; // students with no sheet, in list order
    std::vector<std::string> summary; // lines for the end of the run, on the terminal
    std::vector<std::string> findings; // the same in Thai with the shown names, for the class outputs
};

// Notes (in Thai) a graded sheet whose ID is not on the list (naming the students one digit
// away, the usual mis-marked bubble) and every sheet of an ID read on more than one.
RosterCheck CheckAgainstRoster(const Roster& roster, const std::vector<RosterSheet>& sheets);
