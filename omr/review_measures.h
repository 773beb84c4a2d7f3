#pragma once

#include "answerkey/answer_key.h"
#include "omr/engine_state.h"
#include "omr/sheet_layout.h"

#include <array>

class SheetImage;
struct GradingGrid;

// What the first reading saw near its rules' edges, taken from the sheet it has
// graded without changing a pixel: painting never turns a pixel black nor a black
// one into a colour, so the counts are the ones the reading made.
struct QuestionMeasure {
    int keyLetter = -1; // 0 (a) to 4 (e); -1 where the key grades nothing
    std::array<int, kLettersPerRow> boxBlack {}; // black pixels of each box of the row
    bool rowRejected = false;
    int rowMargin = 0; // dark columns short of a rejection; 0 when rejected
};

struct IdColumnMeasure {
    int winner = -1; // the digit whose box holds the most black; -1 when none holds any
    int winnerBlack = 0;
    int runnerUp = -1; // the next one, -1 when no other box holds black
    int runnerUpBlack = 0;
};

struct ReviewMeasures {
    std::array<QuestionMeasure, kQuestionCount> questions;
    std::array<IdColumnMeasure, kIdDigitCount> idColumns;
    SkewMeasurement skew; // the reference points and the angle
    // How far the marks' ink lies from the boxes the first reading read, in pixels:
    // the largest mean offset over the answer blocks (a page turned for real drifts
    // from the tilt formulas, one drawn by them does not).
    double markDrift = 0;
    // Black pixels of the square of kCornerSide pixels up and left of each
    // reference point: a mark's corner fills it, a speck does not.
    std::array<int, 2> cornerBlack {};
    int overlayPixels = 0; // colour-painted pixels found in the mark windows before reading
};

constexpr int kCornerSide = 5;
// Columns and rows around a box where its mark's ink may have drifted; neighbouring
// marks start 7 columns further.
constexpr int kDriftReach = 4;

// Pixels of the mark windows painted in a strong colour, as an earlier check
// leaves them (the drop-out ink of the form is far paler); counted on the scan
// before the first reading thresholds it.
int CountOverlayPixels(const SheetImage& scan);

// The measures of a sheet the first reading has graded on this grid.
ReviewMeasures TakeReviewMeasures(const SheetImage& graded, const SkewMeasurement& skew,
    const GradingGrid& grid, const AnswerList& answers);
