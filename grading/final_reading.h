#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "omr/marked_letters.h"
#include "omr/question_observer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SheetReview;
struct SecondReading;

// How a doubtful item was settled.
enum class ResolutionHow {
    Second, // the second reading accepted
    Typed, // the teacher gave the value
    First, // the first reading kept
    Policy, // a rule for the whole class, such as taking every second reading
};

// The word the record and the audit file keep for each way; nothing for an unknown word.
const char* HowName(ResolutionHow how);
std::optional<ResolutionHow> HowNamed(const std::string& name);

// One settled item: an event, never changed once made.
struct Resolution {
    std::string item; // as the review names it: "id:3", "q12", "tilt"
    std::string machineValue; // what the program proposed for it
    std::string chosenValue; // a digit, the letters marked ("" blank, "ac" two marks), or "ok"
    ResolutionHow how = ResolutionHow::Typed;
    std::string user; // who, as the operating system knows them
    std::string at; // when, UTC, ISO 8601
    std::string reason; // why, when given
};

// Who runs the program, as the operating system knows them.
std::string OperatingSystemUser();
// Now, in UTC, ISO 8601 with milliseconds: "2026-12-08T21:15:52.526Z".
std::string UtcNow();

// A resolution made now by the person running the program.
Resolution MakeResolution(std::string item, std::string machineValue, std::string chosenValue,
    ResolutionHow how, std::string reason = {});

// The value as the final reading keeps it: letters a-e in order without repeats (a blank
// row is "" and may be given as "-"), one digit for an ID column, "ok" for a sheet item
// ("tilt", "mark", "checked"); a value that does not fit its item is refused.
Result<std::string> ResolvedValue(const std::string& item, const std::string& value);

// What leaves the program for a sheet: the teacher's resolution of an item if there is
// one; otherwise the second reading where the two readings disagree (still unresolved);
// otherwise the reading both agree on.
struct FinalReading {
    bool graded = false; // false: the sheet was refused; nothing below is set
    int32_t examineeId = 0;
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t errors = 0;
    int unresolved = 0; // doubtful items nobody has settled
    std::array<std::optional<QuestionScore>, kQuestionCount> scores;
    MarkedLetters letters;
    std::vector<Resolution> settled; // the resolutions it was made with, oldest first
};

// The first reading as graded (examinee ID, question scores, marked letters, its review)
// and the second reading of a sheet, with the resolutions made on it, oldest first.
struct SheetReadings {
    int32_t examineeId = 0;
    const std::array<std::optional<QuestionScore>, kQuestionCount>& scores;
    const MarkedLetters& letters;
    const SheetReview& review;
    const SecondReading& second;
};

FinalReading ReadFinally(
    const SheetReadings& readings, const AnswerList& key, const std::vector<Resolution>& resolutions);

// What the program proposes for an item before anyone settles it: the value ReadFinally
// gives it without a resolution.
std::string ProposedValue(const SheetReadings& readings, const AnswerList& key, const std::string& item);

// The first reading's value of an item, as ResolvedValue keeps it ("ok" for a sheet item).
std::string FirstValue(const SheetReadings& readings, const std::string& item);

// Whether the two readings disagree on an item: the value proposed for it is not the first
// reading's, in its letters or digit or, for a question, in its score.
bool ReadingsDisagree(const SheetReadings& readings, const AnswerList& key, const std::string& item);
