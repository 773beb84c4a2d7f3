#pragma once

#include "omr/score_recorder.h"
#include "results/sheet_result.h"

#include <array>

// The outcomes of the 30 sheets graded most recently. Each column is written at its
// own cursor, which wraps from 30 to 0.
class ResultsRegister : public ScoreRecorder {
public:
    static constexpr int kRows = 30;

    void recordTitle(const std::string& title);
    // Stores the ID and warns when the last two rows are in use.
    void recordId(int32_t examineeId);
    void recordScores(int32_t correctCount, int32_t errorCount);
    void reset();
    // One sheet of a class whose copy the teacher agreed to, warned beforehand: title, ID
    // and counts at their cursors as above, without the nearly-full boxes.
    void recordCopied(const std::string& title, int32_t examineeId, int32_t correctCount, int32_t errorCount);
    // How many of the rows the next `sheets` titles go into already hold a title or an ID.
    int RowsInUseAhead(int sheets) const;
    SheetResult row(int r) const;

    int titleCursor() const { return m_titleCursor; }
    int idCursor() const { return m_idCursor; }
    int scoreCursor() const { return m_scoreCursor; }

    // ScoreRecorder: the engine's hand-offs.
    void RecordId(int32_t examineeId) override { recordId(examineeId); }
    void RecordScores(const SheetScores& scores) override { recordScores(scores.correct, scores.errors); }

private:
    void storeId(int32_t examineeId);

    std::array<std::string, kRows> m_titles;
    std::array<int32_t, kRows> m_ids {};
    std::array<int32_t, kRows> m_corrects {};
    std::array<int32_t, kRows> m_errors {};
    int m_titleCursor = 0;
    int m_idCursor = 0;
    int m_scoreCursor = 0;
};

// The desktop program's register, for the whole run.
extern ResultsRegister g_resultsRegister;
