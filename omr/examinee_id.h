#pragma once

struct EngineState;

// Stores one digit of the examinee ID, digitIndex 1 (ten millions) to 8 (units); a
// value outside 0 to 9 stores 0. The eighth digit completes the ID: it goes into
// the engine's tally and to its score recorder.
void StoreIdDigit(EngineState& engine, int digit, int digitIndex);
