#pragma once

#include <array>
#include <cstdint>
#include <string>

class MessageBoxService;
class QuestionObserver;
class ScoreRecorder;

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

// Where the engine reports. Any may be absent: texts then go to the program's
// message box (framework/message_box), IDs, counts and questions nowhere.
struct EngineServices {
    MessageBoxService* messages = nullptr;
    ScoreRecorder* recorder = nullptr;
    QuestionObserver* observer = nullptr;
};

// The engine's whole state, owned by its caller and passed to every operation. The
// records hold the last sheet worked on, so one sheet's operations run in order
// without another sheet in between: the desktop keeps one state for the process
// (its records keep their process-wide names), the batch grader one per sheet.
struct EngineState {
    explicit EngineState(EngineServices reportsTo = {})
        : services(reportsTo)
    {
    }

    SkewMeasurement g_skew;
    SheetTally g_tally;
    int32_t g_rowFlagged = 0;
    int32_t g_questionCount = 0;
    // Entries 1 to 8: digit(a) * 10^(8 - a); entry 0 unused.
    std::array<int32_t, 9> g_idDigitValues {};
    // Whether the sheet in progress has handed on its counts.
    bool scoresHandedOn = false;
    EngineServices services;

    void Show(const std::string& text) const;
};
