#include "omr/reviewed_check.h"

#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/grading_grid.h"
#include "omr/reading_band.h"
#include "omr/review_measures.h"
#include "omr/score_recorder.h"
#include "omr/second_reading/grey_page.h"
#include "omr/second_reading/second_reading.h"

namespace {

// Passes on everything the engine hands over, keeping it for the sheet's reading.
class FirstReadingWatch : public ScoreRecorder, public QuestionObserver {
public:
    explicit FirstReadingWatch(const EngineServices& services)
        : m_services(services)
    {
    }

    void RecordId(int32_t examineeId) override
    {
        reading.examineeId = examineeId;
        if (m_services.recorder)
            m_services.recorder->RecordId(examineeId);
    }
    void RecordScores(const SheetScores& scores) override
    {
        reading.counts = scores;
        if (m_services.recorder)
            m_services.recorder->RecordScores(scores);
    }
    void QuestionScored(int32_t questionNumber, QuestionScore score) override
    {
        if (questionNumber >= 1 && questionNumber <= kQuestionCount)
            reading.scores[static_cast<size_t>(questionNumber - 1)] = score;
        if (m_services.observer)
            m_services.observer->QuestionScored(questionNumber, score);
    }

    FirstReading reading;

private:
    EngineServices m_services;
};

} // namespace

SheetReading CheckAndReviewSheet(
    SheetImage& image, EngineState& engine, const AnswerKey& key, const std::function<void()>& recordTitle)
{
    // Both before the first reading thresholds the scan in place.
    const int overlay = CountOverlayPixels(image);
    const SecondReading second = ReadSecondly(GreyPage(image, ReadingBand()));

    const EngineServices bound = engine.services;
    FirstReadingWatch watch(bound);
    engine.services.recorder = &watch;
    engine.services.observer = &watch;
    SheetReading reviewed { CheckSheet(image, engine, key, recordTitle), {}, {}, {}, {} };
    engine.services = bound;
    reviewed.first = watch.reading;
    if (reviewed.checked.check != SheetCheck::Accepted)
        return reviewed;

    const GradingGrid grid { LayIdBands(engine.g_skew), reviewed.checked.rows };
    reviewed.measures = TakeReviewMeasures(image, engine.g_skew, grid, key.answers);
    reviewed.measures.overlayPixels = overlay;
    reviewed.second = second;
    reviewed.review = ReviewSheet(reviewed.measures, second, watch.reading, key.answers);
    return reviewed;
}
