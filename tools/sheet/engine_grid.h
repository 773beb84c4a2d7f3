#pragma once

#include <array>

// Where the grader will look on a sheet, worked out with the grader's own float
// arithmetic from the two reference points it will find. Marks are drawn into
// these places rather than where a true rotation of the form would put them: the
// grader's tilt correction is approximate, and a mark only counts where it looks.

// An inclusive range of pixel columns and rows.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    PixelRect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

struct ReferencePoints {
    int leftX = 0;
    int leftY = 0;
    int rightX = 0;
    int rightY = 0;
};

// Left reference point and tan(skew) as the grader derives them.
struct EngineFrame {
    float x = 0;
    float y = 0;
    double tangent = 0;
};

EngineFrame FrameFromReferencePoints(const ReferencePoints& points);

// One question row as the grader computes it.
struct AnswerRow {
    float top = 0;
    float bottom = 0;
    float left = 0;

    // Pixels of the answer box of letter 0 (a) to 4 (e), as the box scorer visits them.
    PixelRect Box(int letter) const;
    // Pixels the row check scans.
    PixelRect Strip() const;
};

std::array<AnswerRow, 100> AnswerRows(const EngineFrame& frame);

// Pixels of the box of digit 0..9 in ID band 0..7.
PixelRect IdDigitBox(const EngineFrame& frame, int band, int digit);
// All pixels the ID reader scans.
PixelRect IdBandsArea(const EngineFrame& frame);
