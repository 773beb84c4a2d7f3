#pragma once

#include "omr/check_sheet.h"
#include "omr/review_measures.h"
#include "omr/score_recorder.h"
#include "omr/second_reading/second_reading.h"
#include "omr/sheet_review.h"

#include <optional>

// What reading one sheet found: the official reading's check, what it handed over, and
// the review beside it.
struct SheetReading {
    CheckedSheet checked;
    FirstReading first; // the ID, each question's score and the counts, as the engine handed them over
    SheetReview review; // nothing doubtful on a refused sheet: the refusal says it all
    // What the review was made from; neither depends on the key. Empty on a refused sheet.
    ReviewMeasures measures;
    SecondReading second;
};

// CheckSheet, with the same messages, hand-offs to the engine's services and painting,
// then the review: the first reading's measures and a second reading of the scan as it
// came in. What it found comes back as the value; the services get only what the
// described program gives them.
SheetReading CheckAndReviewSheet(
    SheetImage& image, EngineState& engine, const AnswerKey& key, const std::function<void()>& recordTitle);
