#include "framework/qt/FileTypeFilter.h"

#include <QStringList>

QList<FileTypeEntry> ParseFileTypeFilter(const std::string& filter, char separator)
{
    const QStringList fields = QString::fromStdString(filter).split(QChar::fromLatin1(separator));
    QList<FileTypeEntry> entries;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty() || fields[i + 1].isEmpty())
            break;
        entries.append({ fields[i], fields[i + 1] });
    }
    return entries;
}

QString QtNameFilter(const FileTypeEntry& entry)
{
    QString patterns = entry.patterns;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QStringLiteral("%1 (%2)").arg(entry.description, patterns);
}
