#include "grading/sheet_outcome.h"

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

ClassSheetRow ClassRowOf(const SheetOutcome& outcome)
{
    ClassSheetRow row { outcome.file, outcome.status != SheetStatus::Refused, outcome.examineeId,
        outcome.correct, outcome.wrong, outcome.errors, { outcome.questionScores, outcome.markedLetters }, {},
        {}, {}, {}, outcome.idArea };
    std::vector<std::string> review;
    if (outcome.status == SheetStatus::Refused)
        review.push_back(RefusedText(outcome.refusal));
    if (outcome.status == SheetStatus::Unreported)
        review.push_back(UnreportedText());
    if (outcome.review.IsDoubtful())
        review.push_back(ReviewDetailText(outcome.review));
    if (!outcome.writeFailure.empty())
        review.push_back(outcome.writeFailure);
    for (const std::string& part : review)
        row.review += (row.review.empty() ? "" : "; ") + part;
    return row;
}

std::string NameOnRoster(const SheetOutcome& outcome, const Roster& roster)
{
    const RosterStudent* student
        = outcome.status == SheetStatus::Refused ? nullptr : roster.Find(outcome.examineeId);
    return student ? student->name : std::string();
}
