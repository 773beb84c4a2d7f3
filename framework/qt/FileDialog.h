#pragma once

#include "framework/qt/FileTypeFilter.h"

#include <QList>
#include <QString>
#include <QStringList>

struct FileDialogRequest {
    enum class Kind { Open, OpenMany, Save };
    Kind kind = Kind::Open;
    QList<FileTypeEntry> types;
    int initialType = 0; // counted from 1; anything out of range selects the first entry
    QString initialName; // proposed file name, without folder
    QString defaultSuffix; // appended to a typed name without extension
    // Off for a caller that changes the typed name and asks about the name it writes.
    bool confirmReplace = true;
};

struct FileDialogChoice {
    bool accepted = false;
    QString path; // absolute; the first of several
    QStringList paths; // absolute, every file chosen
    int selectedType = 0; // counted from 1
};

// Shows a modal open or save dialog (a save dialog asks before replacing a file,
// unless told not to).
// Each dialog starts in the folder of the last file chosen in one.
FileDialogChoice ChooseFile(const FileDialogRequest& request);
