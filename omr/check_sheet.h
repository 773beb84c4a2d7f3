#pragma once

#include "answerkey/answer_key.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"

#include <functional>

class SheetImage;
struct EngineState;

// What came of checking a sheet: the verdict and, once graded, where its rows lay.
struct CheckedSheet {
    SheetCheck check;
    QuestionRows rows {};
};

// Runs one sheet through the engine in the order of the checking commands:
// PrepareSheet, MeasureSkew(0), then grades it against the key. recordTitle runs
// once the sheet is known to be readable, just before its ID is read, so a refused
// sheet leaves the register untouched. A refusal has already been shown to the
// person when this returns.
CheckedSheet CheckSheet(
    SheetImage& image, EngineState& engine, const AnswerKey& key, const std::function<void()>& recordTitle);
