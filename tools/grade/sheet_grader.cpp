#include "sheet_grader.h"

#include "image/sheet_image.h"
#include "omr/check_sheet.h"
#include "omr/engine_state.h"
#include "sheet_recorder.h"

#include <algorithm>

namespace {

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

SheetOutcome GradeSheetFile(const SheetJob& job, const AnswerKey& key)
{
    SheetOutcome outcome;
    outcome.file = job.path;
    SheetRecorder recorder(outcome);
    EngineState engine;
    engine.services = { &recorder, &recorder, &recorder };

    SheetImage image;
    const Result<DecodeWarnings> loaded = image.LoadFromFile(job.path);
    if (!loaded) {
        outcome.refusal = loaded.message();
        outcome.messages.push_back(loaded.message());
        return outcome;
    }
    // What the decoder said of a sheet it still read goes on the sheet's lines.
    outcome.messages.insert(outcome.messages.end(), loaded->begin(), loaded->end());
    const CheckedSheet checked = CheckSheet(image, engine, key, [] {});
    if (checked.check != SheetCheck::Accepted) {
        outcome.status = SheetStatus::Refused;
        outcome.refusal = OneLine(RefusalMessage(checked.check));
        return outcome;
    }
    // Marks stay black under the overlay, so the graded sheet reads as the scan did.
    if (job.readMarkedLetters)
        outcome.markedLetters = ReadMarkedLetters(image, checked.rows);
    if (!job.annotatedPath.empty())
        if (const Status saved = image.SaveToFile(job.annotatedPath); !saved)
            outcome.writeFailure = "cannot save the annotated sheet: " + saved.message();
    return outcome;
}
