#include "grading/graded_sheet.h"

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

SheetReadings ReadingsOf(const GradedSheet& sheet)
{
    return { sheet.first.examineeId, sheet.first.scores, sheet.first.letters, sheet.review, sheet.second };
}

std::string SheetReviewText(const GradedSheet& sheet, const std::string& refusal)
{
    std::vector<std::string> review;
    if (sheet.status == SheetStatus::Refused)
        review.push_back(RefusedText(refusal));
    if (sheet.status == SheetStatus::Unreported)
        review.push_back(UnreportedText());
    // What a person settled is no longer to look at; the report lists it among the changes.
    SheetReview open = sheet.review;
    const std::vector<Resolution>& settled = sheet.finalReading.settled;
    std::erase_if(open.items, [&settled](const ReviewItem& item) {
        return std::any_of(settled.begin(), settled.end(),
            [&item](const Resolution& resolution) { return resolution.item == item.item; });
    });
    if (open.IsDoubtful() || open.ShrunkToPercent() != 0)
        review.push_back(ReviewDetailText(open));
    if (!sheet.writeFailure.empty())
        review.push_back(sheet.writeFailure);
    std::string text;
    for (const std::string& part : review)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

ClassScore ClassScoreOf(const GradedSheet& sheet)
{
    const FinalReading& reading = sheet.finalReading;
    if (!reading.graded)
        return { sheet.first.examineeId, sheet.first.counts.correct, sheet.first.counts.wrong,
            sheet.first.counts.errors };
    return { reading.examineeId, reading.correct, reading.wrong, reading.errors };
}

namespace {

// The sheet's row with this review text.
ClassSheetRow RowWithReview(const GradedSheet& sheet, std::string review)
{
    const ClassScore score = ClassScoreOf(sheet);
    const FinalReading& reading = sheet.finalReading;
    GradedAnswers answers = reading.graded ? GradedAnswers { reading.scores, reading.letters }
                                           : GradedAnswers { sheet.first.scores, sheet.first.letters };
    ClassSheetRow row { sheet.file, sheet.status != SheetStatus::Refused, score.examineeId, score.correct,
        score.wrong, score.errors, std::move(answers), {}, {}, {}, std::move(review), sheet.idArea,
        reading.unresolved, {}, {} };
    // The items settled on it go to the report's list of changes.
    for (const Resolution& item : reading.settled)
        row.settled.push_back(
            { item.item, item.machineValue, item.chosenValue, HowName(item.how), item.user, item.at });
    return row;
}

} // namespace

ClassSheetRow ClassRowOf(const GradedSheet& sheet)
{
    return RowWithReview(sheet, SheetReviewText(sheet, sheet.refusal));
}

std::string NameOnRoster(const GradedSheet& sheet, const Roster& roster)
{
    const RosterStudent* student
        = sheet.status == SheetStatus::Refused ? nullptr : roster.Find(ClassScoreOf(sheet).examineeId);
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

std::string ClassReviewText(const GradedSheet& sheet, const std::string& shown)
{
    std::string why = sheet.refusal;
    const std::string scan = sheet.file.substr(0, sheet.file.rfind('#'));
    Replace(why, sheet.file, shown);
    Replace(why, scan, shown.substr(0, shown.rfind('#')));
    return SheetReviewText(sheet, why);
}

ClassSheetRow ClassRowWithReview(const GradedSheet& sheet, const std::string& shown)
{
    return RowWithReview(sheet, ClassReviewText(sheet, shown));
}
