#pragma once

#include "answerkey/answer_key.h"
#include "grading/file_fingerprint.h"
#include "grading/sheet_grader.h"

// A graded sheet with everything a score is computed from: the outcome as graded with
// the run's key, and, once the sheet was read, the first reading's measures of every
// box and ID column and the whole second reading. Neither depends on the key.
struct RecordedSheet {
    SheetPage page;
    FileFingerprint file;
    SheetOutcome outcome;
    bool measured = false; // false: refused before it was read; measures and second are empty
    ReviewMeasures measures;
    SecondReading second;
    int64_t recordId = 0; // the sheet's row in the class record; 0 before it is added
    std::vector<Resolution> resolutions; // the items settled on it, oldest first
};

// Grades the page as ReadSheetFile does for the record: the marked letters always
// read (the record keeps them), the fingerprint left for the caller.
RecordedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key);

// The outcome a fresh grading of the recorded sheet with this key would give, from the
// record alone: each keyed question scored from its row verdict and its key box's black
// pixels as the engine scores it, the counts and status from those, the review made
// again from the measures and the second reading, the final reading from those and the
// sheet's resolutions. A refused sheet stays as it was.
// The messages are the recorded ones, but for the engine's per-sheet report, which is
// made again with the new counts.
SheetOutcome RescoreSheet(const RecordedSheet& sheet, const AnswerKey& key);
