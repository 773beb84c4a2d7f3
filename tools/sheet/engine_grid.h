#pragma once

#include "omr/engine_state.h"
#include "omr/pixel_area.h"
#include "omr/sheet_layout.h"

// Where the grader will look on a sheet, laid out by the grader's own geometry from
// the two reference points it will find. Marks are drawn into these places rather
// than where a true rotation of the form would put them: the grader's tilt
// correction is approximate, and a mark only counts where it looks.

// An inclusive range of pixel columns and rows.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    PixelRect Grown(int by) const { return { left - by, top - by, right + by, bottom + by }; }
};

PixelRect ToPixelRect(const PixelArea& area);

// Where the grader looks for the registration marks.
PixelRect LeftMarkWindow();
PixelRect RightMarkWindow();

struct ReferencePoints {
    int leftX = 0;
    int leftY = 0;
    int rightX = 0;
    int rightY = 0;
};

class EngineGrid {
public:
    explicit EngineGrid(const ReferencePoints& points);

    // Pixels of the box of letter 0 (a) to 4 (e) of question 0..99, as the box
    // scorer visits them.
    PixelRect AnswerBox(int question, int letter) const;
    // Pixels the row check scans in question 0..99.
    PixelRect RowStrip(int question) const;
    // Pixels of the box of digit 0..9 in ID band 0..7.
    PixelRect IdDigitBox(int band, int digit) const;
    // All pixels the ID reader scans.
    PixelRect IdBandsArea() const;

private:
    SkewMeasurement m_skew;
    QuestionRows m_rows;
    IdBandLayout m_bands;
};
