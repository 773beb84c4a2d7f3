#pragma once

#include "answerkey/answer_key.h"
#include "grading/sheet_grader.h"

// The sheet a fresh grading of the recorded sheet with this key would give, from the
// record alone: each keyed question scored from its row verdict and its key box's black
// pixels as the engine scores it, the counts and status from those, the review made
// again from the measures and the second reading, the final reading from those and the
// sheet's resolutions. A refused sheet stays as it was.
// The messages are the recorded ones, but for the engine's per-sheet report, which is
// made again with the new counts.
GradedSheet RescoreSheet(GradedSheet sheet, const AnswerKey& key);
