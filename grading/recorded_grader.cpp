#include "grading/recorded_grader.h"

#include "grading/review_image.h"
#include "grading/sheet_recorder.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "omr/check_sheet.h"
#include "omr/engine_state.h"
#include "omr/grading_grid.h"
#include "omr/page_size_box.h"
#include "omr/reading_band.h"
#include "omr/score_recorder.h"
#include "omr/second_reading/grey_page.h"
#include "omr/sheet_cuts.h"

#include <algorithm>

// The same steps as GradeSheetFile and CheckAndReviewSheet, in the same order, with
// the measures kept instead of dropped once the review is made.

namespace {

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

NeededRows NeededRowsOf(const SheetJob& job)
{
    if (!job.annotatedPath.empty())
        return {};
    const PixelSpan band = ReadingBand();
    return { band.first, band.end };
}

// Passes the engine's hand-overs to the outcome's recorder, keeping the first reading.
class FirstReadingTap : public ScoreRecorder, public QuestionObserver {
public:
    explicit FirstReadingTap(SheetRecorder& recorder)
        : m_recorder(recorder)
    {
    }
    void RecordId(int32_t examineeId) override
    {
        reading.examineeId = examineeId;
        m_recorder.RecordId(examineeId);
    }
    void RecordScores(const SheetScores& scores) override { m_recorder.RecordScores(scores); }
    void QuestionScored(int32_t questionNumber, QuestionScore score) override
    {
        if (questionNumber >= 1 && questionNumber <= kQuestionCount)
            reading.scores[static_cast<size_t>(questionNumber - 1)] = score;
        m_recorder.QuestionScored(questionNumber, score);
    }

    FirstReading reading;

private:
    SheetRecorder& m_recorder;
};

} // namespace

RecordedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key)
{
    RecordedSheet recorded;
    recorded.page = job.page;
    SheetOutcome& outcome = recorded.outcome;
    outcome.file = job.page.Name();
    if (!job.page.refusal.empty()) {
        outcome.refusal = OneLine(job.page.refusal);
        outcome.messages.push_back(job.page.refusal);
        return recorded;
    }
    SheetRecorder recorder(outcome);
    SheetImage image;
    const Result<DecodeWarnings> loaded
        = LoadSheetPage(image, job.page.file, job.page.page, job.page.pageCount, NeededRowsOf(job));
    if (!loaded) {
        outcome.refusal = OneLine(loaded.message());
        outcome.messages.push_back(loaded.message());
        return recorded;
    }
    PageSizeBox messages(&recorder, image);
    FirstReadingTap tap(recorder);
    EngineState engine({ &messages, &tap, &tap });
    outcome.messages.insert(outcome.messages.end(), loaded->begin(), loaded->end());

    const int overlay = CountOverlayPixels(image);
    recorded.second = ReadSecondly(GreyPage(image, ReadingBand()));
    const CheckedSheet checked = CheckSheet(image, engine, key, [] {});
    if (checked.check != SheetCheck::Accepted) {
        outcome.status = SheetStatus::Refused;
        outcome.refusal = OneLine(messages.Refusal(checked.check));
        recorded.second = {};
        return recorded;
    }
    const GradingGrid grid { LayIdBands(engine.g_skew), checked.rows };
    recorded.measures = TakeReviewMeasures(image, engine.g_skew, grid, key.answers);
    recorded.measures.overlayPixels = overlay;
    recorded.measured = true;
    outcome.review = ReviewSheet(recorded.measures, recorded.second, tap.reading, key.answers);
    outcome.markedLetters = ReadMarkedLetters(image, checked.rows);

    const bool picturesReview = !job.reviewImagePath.empty() && outcome.review.IsDoubtful();
    if (picturesReview || job.cutIdArea) {
        SheetImage scan;
        const Result<DecodeWarnings> reloaded
            = LoadSheetPage(scan, job.page.file, job.page.page, job.page.pageCount);
        if (reloaded)
            scan.ConvertTo24Bits();
        if (reloaded && job.cutIdArea)
            outcome.idArea = CutIdArea(scan, grid.idBands);
        if (picturesReview) {
            const std::string failure = reloaded
                ? SaveReviewImage(scan, grid, outcome.review, job.reviewImagePath)
                : reloaded.message();
            if (!failure.empty())
                outcome.writeFailure = "cannot save the review picture: " + failure;
        }
    }
    if (!job.annotatedPath.empty())
        if (const Status saved = image.SaveToFile(job.annotatedPath); !saved)
            outcome.writeFailure = "cannot save the annotated sheet: " + saved.message();
    return recorded;
}
