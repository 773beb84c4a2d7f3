#include "sheet_grader.h"

#include "image/sheet_image.h"
#include "omr/check_sheet.h"
#include "sheet_recorder.h"

#include <algorithm>
#include <filesystem>

namespace {

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

void SaveAnnotated(const SheetImage& image, const std::string& path, const GradeOptions& options,
                   SheetOutcome& outcome)
{
    namespace fs = std::filesystem;
    fs::path target = fs::path(options.annotateDir) / fs::path(path).stem();
    target += "." + options.annotateFormat;
    if (const ImageResult saved = image.SaveToFile(target.string()); !saved)
        outcome.messages.push_back("cannot save the annotated sheet: " + saved.message);
}

} // namespace

SheetOutcome GradeSheetFile(const std::string& path, const GradeOptions& options)
{
    SheetOutcome outcome;
    outcome.file = path;
    SheetRecorder recorder(outcome);
    ScopedMessageBox messages(recorder);
    ScopedScoreRecorder scores(recorder);

    SheetImage image;
    if (const ImageResult loaded = image.LoadFromFile(path); !loaded) {
        outcome.refusal = loaded.message;
        outcome.messages.push_back(loaded.message);
        return outcome;
    }
    if (const SheetCheck check = CheckSheet(image, [] {}); check != SheetCheck::Accepted) {
        outcome.status = SheetStatus::Refused;
        outcome.refusal = OneLine(RefusalMessage(check));
        return outcome;
    }
    if (!options.annotateDir.empty())
        SaveAnnotated(image, path, options, outcome);
    return outcome;
}
