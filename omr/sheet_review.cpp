#include "omr/sheet_review.h"

#include "framework/format.h"
#include "omr/pixel_rules.h"
#include "omr/review_measures.h"
#include "omr/second_reading/second_reading.h"

#include <algorithm>
#include <cmath>

namespace {

// Margins, from scans of light pencil, real turns, blur and noise against clean ones.
// A key box this close below the 70 black pixels of a mark may hold a light mark.
constexpr int kLightKeyBlack = 40;
// A second box this black in a row the row check let through may be a second mark.
constexpr int kOtherBoxBlack = 40;
// A row this few dark columns from a rejection. On clean pages turned up to 1 degree a
// single wide mark comes this near in about 1 sheet of 20; it is a doubt only where the
// second reading does not bear the row out.
constexpr int kRowMarginDoubt = 1;
// An ID box below this holds no mark; a second box above it is a second mark.
constexpr int kIdMarkBlack = 40;
// A turn at least this large, with the marks drifted this far off the first
// reading's boxes.
constexpr double kTiltDoubtDegrees = 0.5;
constexpr double kDriftDoubt = 0.9;
// A reference point with fewer black pixels above and left of it is no mark's corner,
// and neither is one this far from the corner fitted to the blob. The official point
// slides along a turned mark's edge (4 px at a fifth of a degree), so a solid one off the
// corner is a doubt only where the two readings disagree.
constexpr int kSolidCornerBlack = 15;
constexpr double kCornerDistance = 3;
// A form this much smaller than printed was shrunk to fit the page (a scanner's own
// scale error stays well inside it).
constexpr double kShrunkScale = 0.985;
// Painted pixels in the mark windows of a sheet checked before.
constexpr int kCheckedOverlay = 300;

std::string Letters(const std::string& marked)
{
    return marked.empty() ? "-" : marked;
}

std::string DigitText(int digit)
{
    if (digit == kNoDigitMarked)
        return "none";
    if (digit == kSeveralDigitsMarked)
        return "several";
    return std::to_string(digit);
}

// A doubt found: its words for scripts, its reason and figures. Empty words: none.
struct Doubt {
    std::string text;
    ReviewReason why = ReviewReason::ReadingsDiffer;
    std::array<double, 2> figures {};
};

// The letters whose boxes the first reading counted as marked.
std::string FirstLetters(const QuestionMeasure& measure)
{
    std::string letters;
    for (size_t letter = 0; letter < measure.boxBlack.size(); ++letter)
        if (measure.boxBlack[letter] >= kMarkedBoxBlack)
            letters += static_cast<char>('a' + letter);
    return letters;
}

// A row the second reading bears out: read without a doubt, scored alike, every letter
// the first reading counted found. A mark the first reading's boxes missed (a page printed
// small, a fill wider than its bubble) changes nothing its decision near a threshold made.
bool RowBorneOut(const SecondReading& second, size_t q, QuestionScore secondScore, QuestionScore firstScore,
    const std::string& firstLetters)
{
    return second.read && secondScore == firstScore && second.answerDoubt[q] == MarkDoubt::None
        && std::all_of(firstLetters.begin(), firstLetters.end(),
            [&second, q](char letter) { return second.marked[q].find(letter) != std::string::npos; });
}

Doubt QuestionDoubt(const QuestionMeasure& measure)
{
    if (measure.keyLetter < 0 || measure.rowRejected)
        return {};
    const int key = measure.boxBlack[static_cast<size_t>(measure.keyLetter)];
    if (key >= kLightKeyBlack && key < kMarkedBoxBlack)
        return { "light mark: key box " + std::to_string(key) + " black pixels", ReviewReason::LightMark,
            { static_cast<double>(key), 0 } };
    int marks = 0;
    for (const int black : measure.boxBlack)
        marks += black >= kOtherBoxBlack ? 1 : 0;
    if (marks >= 2)
        return { "two boxes marked, row not rejected", ReviewReason::TwoBoxes };
    if (measure.rowMargin <= kRowMarginDoubt)
        return { "row check " + std::to_string(measure.rowMargin) + " column from rejecting",
            ReviewReason::NearRejection, { static_cast<double>(measure.rowMargin), 0 } };
    return {};
}

Doubt IdColumnDoubt(const IdColumnMeasure& measure, int firstDigit)
{
    if (measure.winnerBlack < kIdMarkBlack)
        return { "no mark in the column", ReviewReason::NoIdMark };
    if (measure.runnerUpBlack >= kIdMarkBlack)
        return { "two marks: " + std::to_string(measure.winner) + " and " + std::to_string(measure.runnerUp),
            ReviewReason::TwoIdMarks,
            { static_cast<double>(measure.winner), static_cast<double>(measure.runnerUp) } };
    if (measure.winner != firstDigit)
        return { "read " + std::to_string(firstDigit) + ", darkest box " + std::to_string(measure.winner),
            ReviewReason::DarkestElsewhere,
            { static_cast<double>(firstDigit), static_cast<double>(measure.winner) } };
    return {};
}

const Doubt kReadingsDiffer { "the readings differ", ReviewReason::ReadingsDiffer };

// What the second reading hesitated over in a row or an ID column, as a doubt.
Doubt MarkDoubtOf(MarkDoubt doubt)
{
    switch (doubt) {
    case MarkDoubt::ErasedResidue:
        return { "a box as light as an erased mark", ReviewReason::ErasedResidue };
    case MarkDoubt::RingOnly:
        return { "a ring round the letter, its middle light", ReviewReason::RingOnly };
    case MarkDoubt::SmallFill:
        return { "a box filled far less than the other marks", ReviewReason::SmallFill };
    case MarkDoubt::CloseMarks:
        return { "a box nearly as dark as the mark", ReviewReason::CloseMarks };
    case MarkDoubt::None:
        break;
    }
    return {};
}

int FirstDigit(int32_t id, size_t column)
{
    for (size_t i = column + 1; i < kIdDigitCount; ++i)
        id /= 10;
    return id % 10;
}

} // namespace

int KeyLetterOf(const std::string& answer)
{
    return answer.empty() || answer[0] < 'a' || answer[0] > 'e' ? -1 : answer[0] - 'a';
}

std::optional<QuestionScore> ScoreOfMarkedLetters(const std::string& marked, int keyLetter)
{
    if (keyLetter < 0)
        return std::nullopt;
    if (marked.size() >= 2)
        return QuestionScore::RowRejected;
    if (marked.size() == 1 && marked[0] == 'a' + keyLetter)
        return QuestionScore::Correct;
    return QuestionScore::Wrong;
}

std::string SheetReview::List() const
{
    std::string list;
    for (const ReviewItem& entry : items)
        list += (list.empty() ? "" : ";") + entry.item;
    return list;
}

double SheetReview::UntoldTurn() const
{
    if (std::any_of(items.begin(), items.end(), [](const ReviewItem& entry) { return entry.item == "tilt"; }))
        return 0; // its own item says it
    return std::fabs(degrees) < kTiltDoubtDegrees ? 0 : degrees;
}

double SheetReview::ShrunkToPercent() const
{
    return printScale < kShrunkScale ? 100 * printScale : 0;
}

SheetReview ReviewSheet(const ReviewMeasures& measures, const SecondReading& second,
    const FirstReading& first, const AnswerList& answers)
{
    SheetReview review;
    review.degrees = measures.skew.angleDegrees;
    review.secondRead = second.read;
    review.secondId = second.read ? second.IdText() : std::string(kIdDigitCount, '?');
    if (second.read)
        review.printScale = std::hypot(second.rightCorner.x - second.leftCorner.x,
                                second.rightCorner.y - second.leftCorner.y)
            / kFormMarkSpacing;
    const auto add = [&review](std::string item, std::string firstText, std::string secondText, Doubt why) {
        review.items.push_back({ std::move(item), std::move(firstText), std::move(secondText),
            std::move(why.text), why.why, why.figures });
    };

    bool readingsDiffer = !second.read; // anywhere on the sheet
    for (size_t column = 0; column < kIdDigitCount; ++column) {
        const int firstDigit = FirstDigit(first.examineeId, column);
        const int secondDigit = second.read ? second.digits[column] : kNoDigitMarked;
        readingsDiffer = readingsDiffer || secondDigit != firstDigit;
        // A decision near the first reading's threshold is a doubt where the second reading does
        // not bear it out: it reads otherwise, hesitates itself, or could not read the page.
        const bool borneOut
            = second.read && secondDigit == firstDigit && second.idDoubt[column] == MarkDoubt::None;
        Doubt why = borneOut ? Doubt {} : IdColumnDoubt(measures.idColumns[column], firstDigit);
        if (why.text.empty() && second.read && secondDigit != firstDigit)
            why = kReadingsDiffer;
        if (why.text.empty() && second.read)
            why = MarkDoubtOf(second.idDoubt[column]);
        if (!why.text.empty())
            add("id:" + std::to_string(column + 1), std::to_string(firstDigit), DigitText(secondDigit), why);
    }
    for (size_t q = 0; q < kQuestionCount; ++q) {
        const QuestionMeasure& measure = measures.questions[q];
        const int key = KeyLetterOf(answers[q]);
        const std::optional<QuestionScore> secondScore = ScoreOfMarkedLetters(second.marked[q], key);
        if (secondScore)
            ++(*secondScore == QuestionScore::Correct      ? review.secondCorrect
                    : *secondScore == QuestionScore::Wrong ? review.secondWrong
                                                           : review.secondErrors);
        if (!first.scores[q] || !secondScore)
            continue;
        readingsDiffer = readingsDiffer || *secondScore != *first.scores[q];
        const bool borneOut = RowBorneOut(second, q, *secondScore, *first.scores[q], FirstLetters(measure));
        Doubt why = borneOut ? Doubt {} : QuestionDoubt(measure);
        if (why.text.empty() && second.read && *secondScore != *first.scores[q])
            why = kReadingsDiffer;
        if (why.text.empty() && second.read)
            why = MarkDoubtOf(second.answerDoubt[q]);
        if (!why.text.empty())
            add("q" + std::to_string(q + 1), std::string(1, ScoreLetter(*first.scores[q])),
                std::string(1, ScoreLetter(*secondScore)) + " " + Letters(second.marked[q]), why);
    }
    // A turned page is a doubt only where it may have cost a reading: when two independent
    // readings agree on every item, the turn changed nothing.
    if (readingsDiffer && std::fabs(review.degrees) >= kTiltDoubtDegrees && measures.markDrift >= kDriftDoubt)
        add("tilt", FormatText("%.2f deg", measures.skew.angleDegrees),
            second.read ? FormatText("%.2f deg", second.degrees) : "-",
            { FormatText(
                  "the page is turned: marks lie %.1f px off the first reading's boxes", measures.markDrift),
                ReviewReason::Turned, { measures.markDrift, 0 } });
    const bool solid
        = measures.cornerBlack[0] >= kSolidCornerBlack && measures.cornerBlack[1] >= kSolidCornerBlack;
    const SkewMeasurement& skew = measures.skew;
    const double offCorner = second.read
        ? std::max(std::hypot(skew.leftMarkX - second.leftCorner.x, skew.leftMarkY - second.leftCorner.y),
            std::hypot(skew.rightMarkX - second.rightCorner.x, skew.rightMarkY - second.rightCorner.y))
        : 0;
    const std::string points = FormatText(
        "(%.0f,%.0f) (%.0f,%.0f)", skew.leftMarkX, skew.leftMarkY, skew.rightMarkX, skew.rightMarkY);
    if (!second.read)
        add("mark", points, "-",
            { "the second reading found no registration mark", ReviewReason::NoSecondMark });
    else if (!solid || (readingsDiffer && offCorner > kCornerDistance))
        add("mark", points,
            FormatText("(%.0f,%.0f) (%.0f,%.0f)", second.leftCorner.x, second.leftCorner.y,
                second.rightCorner.x, second.rightCorner.y),
            { "a reference point is not the corner of a solid mark", ReviewReason::NotSolidMark });
    if (measures.overlayPixels >= kCheckedOverlay)
        add("checked", "-", "-",
            { "the sheet already carries the colours of a check", ReviewReason::CheckedBefore });
    return review;
}
