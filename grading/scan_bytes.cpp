#include "grading/scan_bytes.h"

#include "framework/format.h"
#include "grading/loaded_sheet.h"
#include "image/colour_jpeg.h"
#include "image/half_turn.h"
#include "image/page_normalise.h"
#include "image/sheet_image.h"
#include "omr/reading_band.h"

namespace {

const char* const kNotReadHere = "%s: ไฟล์ชนิดนี้ยังอ่านในเบราว์เซอร์ไม่ได้ (อ่านได้เฉพาะ JPEG)";

// Decodes and normalises the scan as the desktop's loader does a JPEG's page, turned
// half a turn when asked; only the needed rows when the page is already the engine's size.
Result<DecodeWarnings> LoadScan(
    SheetImage& image, const std::string& name, std::string_view bytes, NeededRows needed, bool turned)
{
    SheetImage loaded;
    const std::optional<Status> decoded
        = DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), loaded, needed);
    if (!decoded)
        return Status::Failure(FormatText(kNotReadHere, name.c_str()));
    if (!*decoded)
        return Status::Failure(name + ": " + decoded->message());
    const int width = loaded.GetWidth();
    const int height = loaded.GetHeight();
    if (const Status normalised = NormalisePage(loaded); !normalised)
        return Status::Failure(name + ": " + normalised.message());
    // The rows needed are rows of the page the engine reads, not of a larger scan.
    if (!needed.IsWhole() && (loaded.GetWidth() != width || loaded.GetHeight() != height))
        return LoadScan(image, name, bytes, {}, turned);
    if (turned)
        TurnHalf(loaded);
    image = std::move(loaded);
    return DecodeWarnings {};
}

GradedSheet NamedSheet(const std::string& name)
{
    GradedSheet sheet;
    sheet.page.file = name;
    sheet.file = name;
    return sheet;
}

} // namespace

GradedSheet GradeScanBytes(const std::string& name, std::string_view bytes, const AnswerKey& key)
{
    GradedSheet sheet = NamedSheet(name);
    SheetImage image;
    const PixelSpan band = ReadingBand();
    const Result<DecodeWarnings> loaded = LoadScan(image, name, bytes, { band.first, band.end }, false);
    if (!loaded) {
        sheet.refusal = OneLine(loaded.message());
        sheet.messages.push_back(loaded.message());
        return sheet;
    }
    if (GradeLoadedSheet(image, key, false, *loaded, true, sheet))
        return sheet;
    // A page laid upside down is read turned, whole (its reading band lies at the other
    // end), or keeps its refusal.
    GradedSheet turned = NamedSheet(name);
    SheetImage whole;
    const Result<DecodeWarnings> reloaded = LoadScan(whole, name, bytes, {}, true);
    if (reloaded && GradeLoadedSheet(whole, key, true, *reloaded, true, turned))
        return turned;
    return sheet;
}
