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

void RefuseAsNoSheet(GradedSheet& sheet)
{
    GradedSheet refused;
    refused.page = std::move(sheet.page);
    refused.file = std::move(sheet.file);
    refused.messages = std::move(sheet.messages);
    refused.refusal = kNoAnswerSheet;
    sheet = std::move(refused);
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
// it was refused (the sheet says why).
bool GradeLoadedPage(const SheetJob& job, const AnswerKey& key, SheetImage& image, bool turned,
    const DecodeWarnings& warnings, GradedSheet& sheet)
{
    SheetMessages recorder(sheet.messages);
    PageSizeBox messages(&recorder, image);
    EngineState engine({ &messages, nullptr, nullptr });
    if (turned)
        sheet.messages.push_back(kTurnedNote);
    // What the decoder said of a sheet it still read goes on the sheet's lines.
    sheet.messages.insert(sheet.messages.end(), warnings.begin(), warnings.end());
    SheetReading reviewed = CheckAndReviewSheet(image, engine, key, [] {});
    const CheckedSheet& checked = reviewed.checked;
    sheet.first = std::move(reviewed.first);
    if (checked.check != SheetCheck::Accepted) {
        sheet.refusal = OneLine(messages.Refusal(checked.check));
        return false;
    }
    if (!reviewed.review.secondRead) {
        RefuseAsNoSheet(sheet);
        return false;
    }
    sheet.status = sheet.first.counts.reported ? SheetStatus::Reported : SheetStatus::Unreported;
    sheet.review = std::move(reviewed.review);
    sheet.measured = true;
    sheet.measures = std::move(reviewed.measures);
    sheet.second = std::move(reviewed.second);
    // Marks stay black under the overlay, so the graded sheet reads as the scan did.
    if (job.readMarkedLetters)
        sheet.first.letters = ReadMarkedLetters(image, checked.rows);
    sheet.finalReading = ReadFinally(ReadingsOf(sheet), key.answers, {});
    const bool picturesReview = !job.reviewImagePath.empty() && sheet.review.IsDoubtful();
    if (picturesReview || job.cutIdArea) {
        // Cut from the scan as it came in, not from the thresholded sheet.
        SheetImage scan;
        const Result<DecodeWarnings> reloaded = LoadJobPage(scan, job, {}, turned);
        const GradingGrid grid { LayIdBands(engine.g_skew), checked.rows };
        if (reloaded)
            scan.ConvertTo24Bits();
        if (reloaded && job.cutIdArea)
            sheet.idArea = CutIdArea(scan, grid.idBands);
        if (picturesReview) {
            const std::string failure = reloaded
                ? SaveReviewImage(scan, grid, sheet.review, job.reviewImagePath)
                : reloaded.message();
            if (!failure.empty())
                sheet.writeFailure = "cannot save the review picture: " + failure;
        }
    }
    if (!job.annotatedPath.empty())
        if (const Status saved = image.SaveToFile(job.annotatedPath); !saved)
            sheet.writeFailure = "cannot save the annotated sheet: " + saved.message();
    return true;
}

} // namespace

GradedSheet ReadSheetFile(const SheetJob& job, const AnswerKey& key)
{
    GradedSheet sheet;
    sheet.page = job.page;
    sheet.file = job.page.Name();
    if (!job.page.refusal.empty()) {
        sheet.refusal = OneLine(job.page.refusal);
        sheet.messages.push_back(job.page.refusal);
        return sheet;
    }
    SheetImage image;
    const Result<DecodeWarnings> loaded = LoadJobPage(image, job, NeededRowsOf(job), false);
    if (!loaded) {
        sheet.refusal = OneLine(loaded.message());
        sheet.messages.push_back(loaded.message());
        return sheet;
    }
    if (GradeLoadedPage(job, key, image, false, *loaded, sheet))
        return sheet;
    // A page laid upside down is no sheet as it lies; turned, its marks are where they
    // belong. Read it so, whole (its reading band lies at the other end), or keep the refusal.
    GradedSheet turned;
    turned.page = job.page;
    turned.file = sheet.file;
    SheetImage whole;
    const Result<DecodeWarnings> reloaded = LoadJobPage(whole, job, {}, true);
    if (reloaded && GradeLoadedPage(job, key, whole, true, *reloaded, turned))
        return turned;
    return sheet;
}
