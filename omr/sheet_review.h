#pragma once

#include "answerkey/answer_key.h"
#include "omr/marked_letters.h"
#include "omr/question_observer.h"
#include "omr/score_recorder.h"
#include "omr/sheet_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ReviewMeasures;
struct SecondReading;

// What the official reading made of a sheet: what the engine handed over, and the letters
// found marked in each row.
struct FirstReading {
    int32_t examineeId = 0;
    std::array<std::optional<QuestionScore>, kQuestionCount> scores; // nothing where the key grades nothing
    SheetScores counts; // as handed over; all 0 and not reported when they never were
    MarkedLetters letters; // read only when asked for
};

// Why an item is doubtful. The reason's words for scripts stay in ReviewItem::reason;
// results/review_texts gives a teacher's words from this and the figures.
enum class ReviewReason {
    LightMark, // figures[0]: the key box's black pixels
    TwoBoxes,
    NearRejection, // figures[0]: dark columns from a rejection
    NoIdMark,
    TwoIdMarks, // figures: the two digits marked
    DarkestElsewhere, // figures: the digit read, the darkest box's digit
    ReadingsDiffer,
    Turned, // figures[0]: pixels the marks lie off the first reading's boxes
    NoSecondMark,
    NotSolidMark,
    CheckedBefore,
    ErasedResidue, // the second reading found a mark as light as an erasure's trace
    RingOnly,
    SmallFill,
    CloseMarks,
};
inline constexpr int kReviewReasonCount = 15;

// One thing a person should look at on a sheet.
struct ReviewItem {
    std::string item; // "id:3" (an ID column, 1 the leftmost), "q12", "tilt", "mark", "checked"
    std::string first; // what the first reading made of it
    std::string second; // what the second reading made of it
    std::string reason; // in English, as the CSV and the review file keep it
    ReviewReason why = ReviewReason::ReadingsDiffer;
    std::array<double, 2> figures {};
};

// The verdict on a sheet: the doubtful items, and the second reading's own result.
struct SheetReview {
    std::vector<ReviewItem> items;
    bool secondRead = false; // false: the second reading found no registration marks
    std::string secondId; // eight digits, '?' for a column it could not settle
    int secondCorrect = 0;
    int secondWrong = 0;
    int secondErrors = 0;
    double degrees = 0; // the page's turn as the first reading measured it
    double printScale = 1; // the form's size on the page against the printed sheet's, from its marks

    bool IsDoubtful() const { return !items.empty(); }
    // The turn where it is large enough to tell and no "tilt" item says it (both readings
    // agree, or the marks lie on the boxes): the details say it instead. 0 otherwise.
    double UntoldTurn() const;
    // The per cent a sheet printed "fit to page" was shrunk to; 0 for one printed at full size.
    double ShrunkToPercent() const;
    // The items joined by ';', empty when nothing is doubtful.
    std::string List() const;
};

// Doubtful: a measure within its rule's margin, or the two readings disagreeing on
// an ID column or a graded question.
SheetReview ReviewSheet(const ReviewMeasures& measures, const SecondReading& second,
    const FirstReading& first, const AnswerList& answers);

// The score of a row with these letters marked against the key's letter (0 for a): a
// double mark is an error, the key's one letter correct, anything else (a blank row too)
// wrong; nothing where the key grades nothing (-1).
std::optional<QuestionScore> ScoreOfMarkedLetters(const std::string& marked, int keyLetter);
// The key's letter as a box index (0 for a); -1 where the key grades nothing.
int KeyLetterOf(const std::string& answer);
