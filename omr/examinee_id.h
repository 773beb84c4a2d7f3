#pragma once

// Stores one digit of the examinee ID, digitIndex 1 (ten millions) to 8 (units); a
// value outside 0 to 9 stores 0. The eighth digit completes the ID: it goes into
// g_tally and to the bound score recorder.
void StoreIdDigit(int digit, int digitIndex);
