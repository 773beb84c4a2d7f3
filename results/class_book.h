#pragma once

#include "results/class_workbook.h"
#include "results/roster.h"
#include "results/roster_check.h"

#include <string>
#include <vector>

// The item analysis in one line, in the teacher's language ("ข้อสอบ 40 ข้อ จาก 45 แผ่น;
// ค่าเฉลี่ย ..."; in English "items: 40 questions over 45 sheets; mean ..."), naming the
// questions whose key should be checked.
std::string ItemsSummaryLine(const ItemAnalysis& analysis);

// The rows named from the class list, each one's findings joined to its review, after
// what is there; what the list finds of the class as a whole.
RosterCheck NameFromRoster(const Roster& roster, std::vector<ClassSheetRow>& sheets);

// How a teacher reads the sheet's file: relative to the folder all the class's scans
// share (the class folder), never the whole path.
std::vector<std::string> ShownFileNames(const std::vector<std::string>& files);

// A graded sheet named as MakeClassBook names it: the name, class and number the class
// list gives its ID; nothing changes when the list does not hold the ID.
void NameSheet(ClassSheetRow& sheet, const Roster& roster);
