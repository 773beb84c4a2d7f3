#pragma once

#include "answerkey/answer_key.h"
#include "grading/file_fingerprint.h"
#include "grading/sheet_grader.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"

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
};

// GradeSheetFile, keeping the measures: the outcome is the one GradeSheetFile gives,
// except that the marked letters are always read (the record keeps them).
RecordedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key);
