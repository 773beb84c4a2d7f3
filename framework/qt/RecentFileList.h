#pragma once

#include <QString>
#include <QStringList>

// The most recently opened files of one kind (sheets, class records), newest first,
// kept in the user's settings under "Vantrel", in a section of their own, so they
// survive a restart.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 5;

    explicit RecentFileList(QString section = QStringLiteral("Recent File List"));

    const QStringList& Entries() const { return m_entries; }
    // Puts the path first, dropping an older entry of the same file and the oldest
    // entry beyond the limit.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Save() const;

    QString EntryKey(int index) const;

    QString m_section;
    QStringList m_entries;
};
