#include "omr/engine_state.h"

thread_local SkewMeasurement g_skew;
thread_local SheetTally g_tally;
thread_local int32_t g_rowFlagged = 0;
thread_local int32_t g_questionCount = 0;
thread_local std::array<int32_t, 9> g_idDigitValues{};
