#pragma once

#include <cstdint>

// The counts a graded sheet hands on once its walk has reached the key's last
// counted question (reported), or at the end of the walk when it never did.
struct SheetScores {
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t errors = 0;
    bool reported = false;
};

// Where the engine hands a sheet's examinee ID and counts: the results register
// in the desktop program, a per-sheet record in the batch grader.
class ScoreRecorder {
public:
    virtual ~ScoreRecorder() = default;
    virtual void RecordId(int32_t examineeId) = 0;
    virtual void RecordScores(const SheetScores& scores) = 0;
};
