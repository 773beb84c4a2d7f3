#pragma once

#include "framework/safe_file_write.h"

#include <QSaveFile>

#include <string>
#include <string_view>

// An output file written as the run goes, into a temporary file beside the target
// that replaces it only when committed: memory stays flat however long the run, and
// a failed run leaves an earlier file intact.
class StreamedFile {
public:
    explicit StreamedFile(const std::string& path);

    // False, with a message for a person, when the file cannot be created.
    FileWriteResult Open();
    void Append(std::string_view bytes);
    // Puts the file in place, or reports the first write that failed.
    FileWriteResult Commit();

private:
    std::string m_path;
    QSaveFile m_file;
    bool m_writeFailed = false;
};
