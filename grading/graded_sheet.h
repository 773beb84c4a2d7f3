#pragma once

#include "grading/file_fingerprint.h"
#include "grading/final_reading.h"
#include "grading/page_list.h"
#include "image/rgb_picture.h"
#include "omr/marked_letters.h"
#include "omr/question_observer.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"
#include "omr/sheet_review.h"
#include "results/class_workbook.h"
#include "results/roster.h"

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

// One graded page, whoever graded it and whenever: where it came from, what the official
// reading found with the key it was graded with (its messages, or why it could not be
// read), the second reading and the measures the review was made from (neither depends on
// the key), and what the class record and the review add. A sheet re-scored with another
// key is another GradedSheet made from this one.
struct GradedSheet {
    SheetPage page;
    FileFingerprint fingerprint; // left empty by ReadSheetFile: the caller fingerprints each file once
    std::string file; // the page as the outputs name it
    SheetStatus status = SheetStatus::Refused;
    std::string refusal; // one line: why the sheet could not be graded
    std::vector<std::string> messages; // what the desktop program would show in boxes, in order
    std::string writeFailure; // why the annotated copy could not be saved; empty when it was
    FirstReading first;
    SheetReview review; // what to look at; nothing doubtful on a refused sheet
    bool measured = false; // false: refused before or once it was read; nothing measured
    ReviewMeasures measures;
    SecondReading second;
    int64_t recordId = 0; // the sheet's row in the class record; 0 before it is added
    std::vector<Resolution> resolutions; // the items settled on it, oldest first
    // What leaves the program for the class: the readings with their doubts settled.
    FinalReading finalReading;
    RgbPicture idArea; // the ID bands as scanned, for the students' slips; only when asked for
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
ClassScore ClassScoreOf(const GradedSheet& sheet);

// The readings of a graded sheet, for its final reading.
SheetReadings ReadingsOf(const GradedSheet& sheet);

// What a person should look at on the sheet, in the teacher's words: the refusal given
// (its paths as the caller shows them), an unreported walk, each doubt, a failed write.
std::string SheetReviewText(const GradedSheet& sheet, const std::string& refusal);

// The sheet as the workbook, the report and the slips show it, with what a person
// should look at (a refusal, an unreported walk, a failed write); no name yet.
ClassSheetRow ClassRowOf(const GradedSheet& sheet);

// The name the class list gives the sheet's ID; empty when none or the sheet was refused.
std::string NameOnRoster(const GradedSheet& sheet, const Roster& roster);

// What a teacher should look at on a sheet of a class, in Thai, the scan named as `shown`
// (its path never appears): why it could not be graded, a walk that never reached the
// key's last question, and each doubtful item with both readings. Empty when nothing.
std::string ClassReviewText(const GradedSheet& sheet, const std::string& shown);

// The sheet as the class outputs show it, with that review.
ClassSheetRow ClassRowWithReview(const GradedSheet& sheet, const std::string& shown);
