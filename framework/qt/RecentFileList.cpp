#include "framework/qt/RecentFileList.h"

#include <QSettings>

QString RecentFileList::EntryKey(int index) const
{
    return QStringLiteral("%1/File%2").arg(m_section).arg(index + 1);
}

RecentFileList::RecentFileList(QString section)
    : m_section(std::move(section))
{
    const QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = settings.value(EntryKey(i)).toString();
        if (!path.isEmpty() && !m_entries.contains(path))
            m_entries << path;
    }
}

void RecentFileList::Add(const QString& path)
{
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > kMaxEntries)
        m_entries.removeLast();
    Save();
}

void RecentFileList::Remove(const QString& path)
{
    if (m_entries.removeAll(path) > 0)
        Save();
}

// Written at every change rather than at exit, so a crash does not lose the list.
void RecentFileList::Save() const
{
    QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
    settings.remove(m_section);
    for (int i = 0; i < m_entries.size(); ++i)
        settings.setValue(EntryKey(i), m_entries[i]);
}
