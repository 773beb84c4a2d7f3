#pragma once

#include <cstdint>

// How the engine scored one question of the key.
enum class QuestionScore : uint8_t { // a byte: a class keeps a hundred a sheet
    Correct, // the key's box was marked
    Wrong, // the key's box was not marked
    RowRejected, // the row check flagged the row
};

// The letter a score is written as in the CSV and the review: C, W or E.
constexpr char ScoreLetter(QuestionScore score)
{
    switch (score) {
    case QuestionScore::Correct:
        return 'C';
    case QuestionScore::Wrong:
        return 'W';
    case QuestionScore::RowRejected:
        return 'E';
    }
    return 'E';
}

// Told of every question the engine scores, as it scores it: the batch grader's
// per-question columns. Questions the key does not grade are never told.
class QuestionObserver {
public:
    virtual ~QuestionObserver() = default;
    virtual void QuestionScored(int32_t questionNumber, QuestionScore score) = 0;
};
