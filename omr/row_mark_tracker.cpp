#include "omr/row_mark_tracker.h"

#include <algorithm>

namespace {

// A column this dark starts or continues a mark; along a first mark 4 suffice.
constexpr int kMarkColumnBlack = 5;
constexpr int kAlongMarkBlack = 4;
// Partly dark: some black, and at least this many other pixels.
constexpr int kPartlyDarkOther = 5;
constexpr int kColumnsToStartMark = 3;
constexpr int kTooWideCount = 14;
constexpr int kSecondMarkColumns = 3;
constexpr int kWhiteColumnsToForget = 2;
constexpr int kPartlyDarkToForget = 5;
constexpr int kPartlyDarkAfterMarkToForget = 4;

} // namespace

int RowMarkTracker::ColumnsShortOfRejecting() const
{
    if (m_flagged)
        return 0;
    if (m_phase == Phase::Searching) // no mark: as far from a rejection as a row gets
        return kTooWideCount;
    return std::min(kTooWideCount - m_widestMark, kSecondMarkColumns - m_longestSecondMark);
}

void RowMarkTracker::AddColumn(int black, int other)
{
    if (m_flagged)
        return;
    switch (m_phase) {
    case Phase::Searching:
        Search(black, other);
        break;
    case Phase::InFirstMark:
        FollowFirstMark(black);
        break;
    case Phase::AfterFirstMark:
        WatchForSecondMark(black, other);
        break;
    }
}

void RowMarkTracker::Search(int black, int other)
{
    // The counts add up over every column seen so far, adjacent or not.
    if (black == 0 && ++m_whiteColumns == kWhiteColumnsToForget) {
        m_whiteColumns = 0;
        m_darkColumns = 0;
    }
    if (black >= kMarkColumnBlack && ++m_darkColumns == kColumnsToStartMark) {
        m_phase = Phase::InFirstMark;
        m_partlyDarkColumns = 0;
        ++m_darkColumns;
        m_widestMark = m_darkColumns;
        return;
    }
    if (black >= 1 && other >= kPartlyDarkOther && ++m_partlyDarkColumns == kPartlyDarkToForget) {
        m_partlyDarkColumns = 0;
        m_darkColumns = 0;
    }
}

void RowMarkTracker::FollowFirstMark(int black)
{
    if (black == 0) {
        m_phase = Phase::AfterFirstMark;
        m_darkColumns = 0;
    } else if (black >= kAlongMarkBlack && ++m_darkColumns == kTooWideCount) {
        m_flagged = true;
    }
    m_widestMark = std::max(m_widestMark, m_darkColumns);
}

void RowMarkTracker::WatchForSecondMark(int black, int other)
{
    if (black == 0) {
        m_secondMarkColumns = 0;
        m_partlyDarkAfterMark = 0;
        return;
    }
    if (black >= kMarkColumnBlack && ++m_secondMarkColumns == kSecondMarkColumns) {
        m_flagged = true;
        return;
    }
    m_longestSecondMark = std::max(m_longestSecondMark, m_secondMarkColumns);
    if (other >= kPartlyDarkOther && ++m_partlyDarkAfterMark == kPartlyDarkAfterMarkToForget) {
        m_secondMarkColumns = 0;
        m_partlyDarkAfterMark = 0;
    }
}
