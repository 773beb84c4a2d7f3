#pragma once

#include "grading/graded_sheet.h"

#include <cstddef>
#include <cstdint>

// What a person at a terminal sees: one line per sheet on standard output, the
// sheet's messages on standard error, a progress line while grading (only when
// standard error is a terminal) and a summary at the end.
class ConsoleReport {
public:
    ConsoleReport(size_t sheetCount, bool quiet);

    void Add(const GradedSheet& sheet);
    void Finish();

    size_t RefusedCount() const { return m_refused; }
    size_t WriteFailureCount() const { return m_writeFailures; }

private:
    void ClearProgress();
    void ShowProgress();

    size_t m_sheetCount;
    bool m_quiet;
    bool m_progress;
    bool m_lineBySheet; // flushed as each sheet is graded
    bool m_progressShown = false;
    size_t m_done = 0;
    size_t m_reported = 0;
    size_t m_unreported = 0;
    size_t m_refused = 0;
    size_t m_toReview = 0;
    size_t m_writeFailures = 0;
    int64_t m_correctSum = 0;
    int32_t m_correctMin = 0;
    int32_t m_correctMax = 0;
};
