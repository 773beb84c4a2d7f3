#pragma once

#include <cstdint>
#include <string>

// One row of the results register.
struct SheetResult {
    std::string title;
    int32_t examineeId = 0;
    int32_t correctCount = 0;
    int32_t errorCount = 0;
};
