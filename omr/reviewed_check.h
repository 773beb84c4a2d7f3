#pragma once

#include "omr/check_sheet.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"
#include "omr/sheet_review.h"

// A sheet checked by the official reading, and reviewed beside it.
struct ReviewedSheet {
    CheckedSheet checked;
    SheetReview review; // nothing doubtful on a refused sheet: the refusal says it all
    // What the review was made from; neither depends on the key. Empty on a refused sheet.
    ReviewMeasures measures;
    SecondReading second;
};

// CheckSheet, with the same messages, hand-offs and painting, then the review: the
// first reading's measures and a second reading of the scan as it came in.
ReviewedSheet CheckAndReviewSheet(
    SheetImage& image, EngineState& engine, const AnswerKey& key, const std::function<void()>& recordTitle);
