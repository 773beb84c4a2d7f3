#include "grading/sheet_outcome.h"

#include <algorithm>

#include "results/review_texts.h"

const char* StatusName(SheetStatus status)
{
    switch (status) {
    case SheetStatus::Reported:
        return "reported";
    case SheetStatus::Unreported:
        return "unreported";
    case SheetStatus::Refused:
        return "refused";
    }
    return "refused";
}

SheetReadings ReadingsOf(const SheetOutcome& outcome, const SecondReading& second)
{
    return { outcome.examineeId, outcome.questionScores, outcome.markedLetters, outcome.review, second };
}

std::string SheetReviewText(const SheetOutcome& outcome, const std::string& refusal)
{
    std::vector<std::string> review;
    if (outcome.status == SheetStatus::Refused)
        review.push_back(RefusedText(refusal));
    if (outcome.status == SheetStatus::Unreported)
        review.push_back(UnreportedText());
    // What a person settled is no longer to look at; the report lists it among the changes.
    SheetReview open = outcome.review;
    const std::vector<Resolution>& settled = outcome.finalReading.settled;
    std::erase_if(open.items, [&settled](const ReviewItem& item) {
        return std::any_of(settled.begin(), settled.end(),
            [&item](const Resolution& resolution) { return resolution.item == item.item; });
    });
    if (open.IsDoubtful() || open.ShrunkToPercent() != 0)
        review.push_back(ReviewDetailText(open));
    if (!outcome.writeFailure.empty())
        review.push_back(outcome.writeFailure);
    std::string text;
    for (const std::string& part : review)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

ClassScore ClassScoreOf(const SheetOutcome& outcome)
{
    const FinalReading& reading = outcome.finalReading;
    if (!reading.graded)
        return { outcome.examineeId, outcome.correct, outcome.wrong, outcome.errors };
    return { reading.examineeId, reading.correct, reading.wrong, reading.errors };
}

ClassSheetRow ClassRowOf(const SheetOutcome& outcome)
{
    const ClassScore score = ClassScoreOf(outcome);
    const FinalReading& reading = outcome.finalReading;
    GradedAnswers answers = reading.graded ? GradedAnswers { reading.scores, reading.letters }
                                           : GradedAnswers { outcome.questionScores, outcome.markedLetters };
    ClassSheetRow row { outcome.file, outcome.status != SheetStatus::Refused, score.examineeId, score.correct,
        score.wrong, score.errors, std::move(answers), {}, {}, {}, SheetReviewText(outcome, outcome.refusal),
        outcome.idArea, reading.unresolved, {} };
    // The items settled on it go to the report's list of changes.
    for (const Resolution& item : reading.settled)
        row.settled.push_back(
            { item.item, item.machineValue, item.chosenValue, HowName(item.how), item.user, item.at });
    return row;
}

std::string NameOnRoster(const SheetOutcome& outcome, const Roster& roster)
{
    const RosterStudent* student
        = outcome.status == SheetStatus::Refused ? nullptr : roster.Find(ClassScoreOf(outcome).examineeId);
    return student ? student->name : std::string();
}

namespace {

void Replace(std::string& text, const std::string& what, const std::string& with)
{
    if (what.empty())
        return;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

} // namespace

std::string ClassReviewText(const SheetOutcome& outcome, const std::string& shown)
{
    std::string why = outcome.refusal;
    const std::string scan = outcome.file.substr(0, outcome.file.rfind('#'));
    Replace(why, outcome.file, shown);
    Replace(why, scan, shown.substr(0, shown.rfind('#')));
    return SheetReviewText(outcome, why);
}

ClassSheetRow ClassRowWithReview(const SheetOutcome& outcome, const std::string& shown)
{
    ClassSheetRow row = ClassRowOf(outcome);
    row.review = ClassReviewText(outcome, shown);
    return row;
}
