#pragma once

#include "grading/final_reading.h"
#include "omr/marked_letters.h"
#include "omr/question_observer.h"
#include "omr/sheet_review.h"
#include "results/class_workbook.h"
#include "results/roster.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class SheetStatus {
    Reported, // graded; the key's last counted question was reached
    Unreported, // graded; the walk never reached the key's last counted question
    Refused, // could not be graded
};

// What grading one sheet file gave.
struct SheetOutcome {
    std::string file;
    SheetStatus status = SheetStatus::Refused;
    int32_t examineeId = 0;
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t errors = 0;
    // How the engine scored each question; nothing where the key does not grade it.
    std::array<std::optional<QuestionScore>, kQuestionCount> questionScores;
    // The letters found marked in each row; read only when asked for.
    MarkedLetters markedLetters;
    // The review beside the reading: what to look at, and the second reading.
    SheetReview review;
    // What leaves the program for the class: the readings with their doubts settled.
    FinalReading finalReading;
    std::string refusal; // one line: why the sheet could not be graded
    std::vector<std::string> messages; // what the desktop program would show in boxes, in order
    std::string writeFailure; // why the annotated copy could not be saved; empty when it was
    QImage idArea; // the ID bands as scanned, for the students' slips; only when asked for
};

const char* StatusName(SheetStatus status);

// The ID and counts a class is given for a graded sheet: the final reading's, or the first
// reading's for a sheet graded without one.
struct ClassScore {
    int32_t examineeId = 0;
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t errors = 0;
};
ClassScore ClassScoreOf(const SheetOutcome& outcome);

// The readings of a graded sheet, for its final reading.
SheetReadings ReadingsOf(const SheetOutcome& outcome, const SecondReading& second);

// What a person should look at on the sheet, in the teacher's words: the refusal given
// (its paths as the caller shows them), an unreported walk, each doubt, a failed write.
std::string SheetReviewText(const SheetOutcome& outcome, const std::string& refusal);

// The sheet as the workbook, the report and the slips show it, with what a person
// should look at (a refusal, an unreported walk, a failed write); no name yet.
// The items settled on it go to the report's list of changes.
ClassSheetRow ClassRowOf(const SheetOutcome& outcome, const std::vector<Resolution>& settled = {});

// The name the class list gives the sheet's ID; empty when none or the sheet was refused.
std::string NameOnRoster(const SheetOutcome& outcome, const Roster& roster);

// What a teacher should look at on a sheet of a class, in Thai, the scan named as `shown`
// (its path never appears): why it could not be graded, a walk that never reached the
// key's last question, and each doubtful item with both readings. Empty when nothing.
std::string ClassReviewText(const SheetOutcome& outcome, const std::string& shown);

// The sheet as the class outputs show it, with that review.
ClassSheetRow ClassRowWithReview(
    const SheetOutcome& outcome, const std::string& shown, const std::vector<Resolution>& settled = {});
