#include "grading/sheet_grader.h"

#include "grading/loaded_sheet.h"
#include "grading/review_image.h"
#include "image/half_turn.h"
#include "image/rgb_picture_qt.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "omr/reading_band.h"
#include "omr/sheet_cuts.h"

namespace {

// An annotated sheet shows the whole page; the reading itself needs only its band.
NeededRows NeededRowsOf(const SheetJob& job)
{
    if (!job.annotatedPath.empty())
        return {};
    const PixelSpan band = ReadingBand();
    return { band.first, band.end };
}

// Loads the page, turned half a turn when asked.
Result<DecodeWarnings> LoadJobPage(SheetImage& image, const SheetJob& job, NeededRows needed, bool turned)
{
    Result<DecodeWarnings> loaded
        = LoadSheetPage(image, job.page.file, job.page.page, job.page.pageCount, needed, job.page.directory);
    if (loaded && turned)
        TurnHalf(image);
    return loaded;
}

// Grades a loaded page into the sheet, then cuts and saves its pictures as the job asks:
// true when it reads as an answer sheet, false when it was refused (the sheet says why).
bool GradeLoadedPage(const SheetJob& job, const AnswerKey& key, SheetImage& image, bool turned,
    const DecodeWarnings& warnings, GradedSheet& sheet)
{
    const std::optional<GradingGrid> grid
        = GradeLoadedSheet(image, key, turned, warnings, job.readMarkedLetters, sheet);
    if (!grid)
        return false;
    const bool picturesReview = !job.reviewImagePath.empty() && sheet.review.IsDoubtful();
    if (picturesReview || job.cutIdArea) {
        // Cut from the scan as it came in, not from the thresholded sheet.
        SheetImage scan;
        const Result<DecodeWarnings> reloaded = LoadJobPage(scan, job, {}, turned);
        if (reloaded)
            scan.ConvertTo24Bits();
        if (reloaded && job.cutIdArea)
            sheet.idArea = PictureOf(CutIdArea(scan, grid->idBands));
        if (picturesReview) {
            const std::string failure = reloaded
                ? SaveReviewImage(scan, *grid, sheet.review, job.reviewImagePath)
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

GradedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key)
{
    SheetJob reading = job;
    reading.readMarkedLetters = true;
    return ReadSheetFile(reading, key);
}
