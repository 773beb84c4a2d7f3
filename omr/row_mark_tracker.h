#pragma once

// Follows the columns of a question row from left to right and decides whether the
// row carries a second mark after a first one, or a first mark that is too wide.
// A column is given by its count of black pixels and of other pixels.
class RowMarkTracker {
public:
    void AddColumn(int black, int other);
    bool IsFlagged() const { return m_flagged; }
    // How many more dark columns would have rejected the row (too wide or a second
    // mark); 0 for a rejected row. Only watched, never part of the verdict.
    int ColumnsShortOfRejecting() const;

private:
    enum class Phase { Searching, InFirstMark, AfterFirstMark };

    void Search(int black, int other);
    void FollowFirstMark(int black);
    void WatchForSecondMark(int black, int other);

    Phase m_phase = Phase::Searching;
    int m_darkColumns = 0; // towards a first mark, then along it
    int m_partlyDarkColumns = 0; // while searching
    int m_whiteColumns = 0; // while searching
    int m_secondMarkColumns = 0; // dark columns after the first mark
    int m_partlyDarkAfterMark = 0; // partly dark columns after the first mark
    bool m_flagged = false;
    int m_widestMark = 0;
    int m_longestSecondMark = 0;
};
