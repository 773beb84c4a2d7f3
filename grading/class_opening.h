#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "grading/rescore.h"
#include "results/roster.h"

#include <optional>
#include <set>

#include <string>
#include <vector>

class ClassRecord;

// A page the record holds a sheet of, and the scan it was graded from.
struct RecordedScan {
    SheetPage page;
    FileFingerprint file;
};

// A scan the record graded that is no longer on disk as it was.
struct ScanChange {
    std::string file;
    bool gone = false; // false: changed
};

// A class as its record keeps it: the latest key and class list, every listed page's latest sheet
// scored with that key and its resolutions, the pages listed but never graded, and the
// scans changed or gone since they were graded (each file once).
struct OpenedClass {
    AnswerKey key;
    std::optional<Roster> roster;
    std::set<int32_t> absent; // students of the list confirmed absent
    std::vector<GradedSheet> sheets;
    std::vector<std::string> ungraded;
    std::vector<ScanChange> changes;
};

Result<OpenedClass> ReadClass(ClassRecord& record);

// The scans changed or gone since they were graded; a file whose size and change time are
// as recorded is not read again.
std::vector<ScanChange> ScanChanges(const std::vector<RecordedScan>& scans);

// Where the class window keeps the record of a class graded from these scans: beside
// the first, named after its folder.
std::string ClassRecordPathFor(const std::vector<SheetPage>& pages);
