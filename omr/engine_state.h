#pragma once

#include <array>
#include <cstdint>

// The engine's working records. They hold the state of the last sheet worked on by
// the calling thread, so sheets graded on different threads never meet.

struct SkewMeasurement {
    float leftMarkX = 0;
    float leftMarkY = 0;
    float rightMarkX = 0;
    float rightMarkY = 0;
    double angleRadians = 0;
    double angleDegrees = 0;
};

struct SheetTally {
    int32_t examineeId = 0;
    int32_t correctCount = 0;
    int32_t wrongCount = 0;
    int32_t errorCount = 0;
};

extern thread_local SkewMeasurement g_skew;
extern thread_local SheetTally g_tally;
extern thread_local int32_t g_rowFlagged;
extern thread_local int32_t g_questionCount;
// Entries 1 to 8: digit(a) * 10^(8 - a); entry 0 unused.
extern thread_local std::array<int32_t, 9> g_idDigitValues;
