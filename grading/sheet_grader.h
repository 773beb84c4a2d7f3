#pragma once

#include "answerkey/answer_key.h"
#include "grading/file_fingerprint.h"
#include "grading/page_list.h"
#include "grading/sheet_outcome.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"

#include <cstdint>
#include <string>
#include <vector>

struct SheetJob {
    SheetPage page;
    std::string annotatedPath; // where to save the graded sheet; empty: nowhere
    std::string reviewImagePath; // where to save the picture of a doubtful sheet; empty: nowhere
    bool readMarkedLetters = false;
    bool cutIdArea = false; // for the students' slips
};

// One graded sheet, whoever graded it: its page, its file's fingerprint, the outcome as
// graded with the run's key (messages or refusal), and, once the sheet was read, the
// first reading's measures of every box and ID column and the whole second reading
// (neither depends on the key), then what the class record and the review add.
struct RecordedSheet {
    SheetPage page;
    FileFingerprint file; // left empty by ReadSheetFile: the caller fingerprints each file once
    SheetOutcome outcome;
    bool measured = false; // false: refused before or once it was read; nothing measured
    ReviewMeasures measures;
    SecondReading second;
    int64_t recordId = 0; // the sheet's row in the class record; 0 before it is added
    std::vector<Resolution> resolutions; // the items settled on it, oldest first
};

// Loads, normalises and grades one page against the key, with an engine state of its
// own, in the order the desktop program uses; saves the annotated sheet when asked.
RecordedSheet ReadSheetFile(const SheetJob& job, const AnswerKey& key);

// The outcome alone.
SheetOutcome GradeSheetFile(const SheetJob& job, const AnswerKey& key);
