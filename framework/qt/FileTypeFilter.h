#pragma once

#include <QList>
#include <QString>

#include <string>

// One entry of a file dialog's type list.
struct FileTypeEntry {
    QString description;
    QString patterns; // "*.jpg;*.tif"
};

// Reads the filter text as description/pattern pairs joined by the separator; an
// empty description (or a missing pattern) ends the list.
QList<FileTypeEntry> ParseFileTypeFilter(const std::string& filter, char separator);

// "description (*.a *.b)": the form QFileDialog lists and matches.
QString QtNameFilter(const FileTypeEntry& entry);
