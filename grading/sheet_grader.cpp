#include "grading/sheet_grader.h"

#include "framework/message_box.h"
#include "grading/review_image.h"
#include "image/half_turn.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "omr/engine_state.h"
#include "omr/page_size_box.h"
#include "omr/reading_band.h"
#include "omr/reviewed_check.h"
#include "omr/sheet_cuts.h"

#include <algorithm>

namespace {

// What the engine would show in message boxes, as the sheet's lines.
class SheetMessages : public MessageBoxService {
public:
    explicit SheetMessages(std::vector<std::string>& lines)
        : m_lines(lines)
    {
    }
    void Show(const std::string& text) override { m_lines.push_back(text); }

private:
    std::vector<std::string>& m_lines;
};

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// An annotated sheet shows the whole page; the reading itself needs only its band.
NeededRows NeededRowsOf(const SheetJob& job)
{
    if (!job.annotatedPath.empty())
        return {};
    const PixelSpan band = ReadingBand();
    return { band.first, band.end };
}

// The official reading accepts any page its mark rule finds dark corners on: an all
// black, grey or blank page, a photo. Without the solid marks the second reading
// looks for, the page is no answer sheet and its counts are nobody's.
const char* const kNoAnswerSheet = "หน้านี้ไม่ใช่กระดาษคำตอบ: ไม่พบเครื่องหมายอ้างอิง";

void RefuseAsNoSheet(SheetOutcome& outcome)
{
    SheetOutcome refused;
    refused.file = std::move(outcome.file);
    refused.messages = std::move(outcome.messages);
    refused.refusal = kNoAnswerSheet;
    outcome = std::move(refused);
}

} // namespace

namespace {

// Said beside the reading of a page laid upside down on the glass.
const char* const kTurnedNote = "หน้านี้สแกนกลับหัว: อ่านหลังหมุนกลับครึ่งรอบ";

// Loads the page, turned half a turn when asked.
Result<DecodeWarnings> LoadJobPage(SheetImage& image, const SheetJob& job, NeededRows needed, bool turned)
{
    Result<DecodeWarnings> loaded
        = LoadSheetPage(image, job.page.file, job.page.page, job.page.pageCount, needed, job.page.directory);
    if (loaded && turned)
        TurnHalf(image);
    return loaded;
}

// Grades a loaded page into the sheet: true when it reads as an answer sheet, false when
// it was refused (the refusal said in the sheet's outcome).
bool GradeLoadedPage(const SheetJob& job, const AnswerKey& key, SheetImage& image, bool turned,
    const DecodeWarnings& warnings, RecordedSheet& graded)
{
    SheetOutcome& outcome = graded.outcome;
    SheetMessages recorder(outcome.messages);
    PageSizeBox messages(&recorder, image);
    EngineState engine({ &messages, nullptr, nullptr });
    if (turned)
        outcome.messages.push_back(kTurnedNote);
    // What the decoder said of a sheet it still read goes on the sheet's lines.
    outcome.messages.insert(outcome.messages.end(), warnings.begin(), warnings.end());
    const SheetReading reviewed = CheckAndReviewSheet(image, engine, key, [] {});
    const CheckedSheet& checked = reviewed.checked;
    outcome.examineeId = reviewed.first.examineeId;
    outcome.questionScores = reviewed.first.scores;
    if (const std::optional<SheetScores>& scores = reviewed.scores) {
        outcome.correct = scores->correct;
        outcome.wrong = scores->wrong;
        outcome.errors = scores->errors;
        outcome.status = scores->reported ? SheetStatus::Reported : SheetStatus::Unreported;
    }
    if (checked.check != SheetCheck::Accepted) {
        outcome.status = SheetStatus::Refused;
        outcome.refusal = OneLine(messages.Refusal(checked.check));
        return false;
    }
    if (!reviewed.review.secondRead) {
        RefuseAsNoSheet(outcome);
        return false;
    }
    outcome.review = reviewed.review;
    graded.measured = true;
    graded.measures = reviewed.measures;
    graded.second = reviewed.second;
    // Marks stay black under the overlay, so the graded sheet reads as the scan did.
    if (job.readMarkedLetters)
        outcome.markedLetters = ReadMarkedLetters(image, checked.rows);
    outcome.finalReading = ReadFinally(ReadingsOf(outcome, graded.second), key.answers, {});
    const bool picturesReview = !job.reviewImagePath.empty() && reviewed.review.IsDoubtful();
    if (picturesReview || job.cutIdArea) {
        // Cut from the scan as it came in, not from the thresholded sheet.
        SheetImage scan;
        const Result<DecodeWarnings> reloaded = LoadJobPage(scan, job, {}, turned);
        const GradingGrid grid { LayIdBands(engine.g_skew), checked.rows };
        if (reloaded)
            scan.ConvertTo24Bits();
        if (reloaded && job.cutIdArea)
            outcome.idArea = CutIdArea(scan, grid.idBands);
        if (picturesReview) {
            const std::string failure = reloaded
                ? SaveReviewImage(scan, grid, reviewed.review, job.reviewImagePath)
                : reloaded.message();
            if (!failure.empty())
                outcome.writeFailure = "cannot save the review picture: " + failure;
        }
    }
    if (!job.annotatedPath.empty())
        if (const Status saved = image.SaveToFile(job.annotatedPath); !saved)
            outcome.writeFailure = "cannot save the annotated sheet: " + saved.message();
    return true;
}

} // namespace

RecordedSheet ReadSheetFile(const SheetJob& job, const AnswerKey& key)
{
    RecordedSheet graded;
    graded.page = job.page;
    SheetOutcome& outcome = graded.outcome;
    outcome.file = job.page.Name();
    if (!job.page.refusal.empty()) {
        outcome.refusal = OneLine(job.page.refusal);
        outcome.messages.push_back(job.page.refusal);
        return graded;
    }
    SheetImage image;
    const Result<DecodeWarnings> loaded = LoadJobPage(image, job, NeededRowsOf(job), false);
    if (!loaded) {
        outcome.refusal = OneLine(loaded.message());
        outcome.messages.push_back(loaded.message());
        return graded;
    }
    if (GradeLoadedPage(job, key, image, false, *loaded, graded))
        return graded;
    // A page laid upside down is no sheet as it lies; turned, its marks are where they
    // belong. Read it so, whole (its reading band lies at the other end), or keep the refusal.
    RecordedSheet turned;
    turned.page = job.page;
    turned.outcome.file = outcome.file;
    SheetImage whole;
    const Result<DecodeWarnings> reloaded = LoadJobPage(whole, job, {}, true);
    if (reloaded && GradeLoadedPage(job, key, whole, true, *reloaded, turned))
        return turned;
    return graded;
}

SheetOutcome GradeSheetFile(const SheetJob& job, const AnswerKey& key)
{
    return ReadSheetFile(job, key).outcome;
}
