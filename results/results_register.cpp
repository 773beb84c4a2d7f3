#include "results/results_register.h"

#include "framework/message_box.h"

#include <algorithm>

ResultsRegister g_resultsRegister;

namespace {

int NextRow(int cursor)
{
    return cursor + 1 == ResultsRegister::kRows ? 0 : cursor + 1;
}

} // namespace

void ResultsRegister::recordTitle(const std::string& title)
{
    m_titles[static_cast<size_t>(m_titleCursor)] = title;
    m_titleCursor = NextRow(m_titleCursor);
}

void ResultsRegister::storeId(int32_t examineeId)
{
    m_ids[static_cast<size_t>(m_idCursor)] = examineeId;
    m_idCursor = NextRow(m_idCursor);
}

void ResultsRegister::recordId(int32_t examineeId)
{
    storeId(examineeId);
    // Looks at the contents of the last two rows, not at the cursor: once both are
    // in use every sheet warns until the register is reset.
    for (const int32_t lastRowId : { m_ids[kRows - 2], m_ids[kRows - 1] }) {
        if (lastRowId != 0)
            ShowMessage("คำเตือน ค่าแสดงผลใกล้เต็ม\nควร reseะ เพื่อป้องกัน\nการแสดงผลผิดพลาด");
    }
}

void ResultsRegister::recordScores(int32_t correctCount, int32_t errorCount)
{
    m_corrects[static_cast<size_t>(m_scoreCursor)] = correctCount;
    m_errors[static_cast<size_t>(m_scoreCursor)] = errorCount;
    m_scoreCursor = NextRow(m_scoreCursor);
}

void ResultsRegister::recordCopied(
    const std::string& title, int32_t examineeId, int32_t correctCount, int32_t errorCount)
{
    recordTitle(title);
    storeId(examineeId);
    recordScores(correctCount, errorCount);
}

int ResultsRegister::RowsInUseAhead(int sheets) const
{
    int inUse = 0;
    for (int n = 0, r = m_titleCursor; n < std::min(sheets, kRows); ++n, r = NextRow(r))
        if (!m_titles[static_cast<size_t>(r)].empty() || m_ids[static_cast<size_t>(r)] != 0)
            ++inUse;
    return inUse;
}

void ResultsRegister::reset()
{
    *this = ResultsRegister();
}

SheetResult ResultsRegister::row(int r) const
{
    if (r < 0 || r >= kRows)
        return {};
    const auto i = static_cast<size_t>(r);
    return { m_titles[i], m_ids[i], m_corrects[i], m_errors[i] };
}
