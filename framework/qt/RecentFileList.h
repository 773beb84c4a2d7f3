#pragma once

#include <QString>
#include <QStringList>

// The most recently opened sheet files, newest first, kept in the user's settings
// under "Vantrel" so they survive a restart.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 5;

    RecentFileList();

    const QStringList& Entries() const { return m_entries; }
    // Puts the path first, dropping an older entry of the same file and the oldest
    // entry beyond the limit.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Save() const;

    QStringList m_entries;
};
