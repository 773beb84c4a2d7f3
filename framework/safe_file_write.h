#pragma once

#include <string>
#include <string_view>

struct FileWriteResult {
    bool ok = true;
    std::string message; // why the write failed, for a person: the file and the system's reason

    explicit operator bool() const { return ok; }
};

// The one way a file is written: into a temporary file beside the target, which
// replaces the target only once every byte is on disk (written, synced, closed), so
// a failed write never destroys the file that was there. Appends may stream as a
// run goes, so memory stays flat however long the output.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter(); // removes the temporary file of a write never committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; fails when the target's folder cannot take it.
    FileWriteResult Open();
    // Keeps the first failure for Commit to report.
    void Append(std::string_view bytes);
    // Puts the file in place, or reports the first failure and leaves the target as it was.
    FileWriteResult Commit();

private:
    FileWriteResult Fail(const char* what, int error);
    void Discard();

    std::string m_path;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_direct = false; // the target is no regular file: written in place
    FileWriteResult m_failure;
};

// Writes the bytes through an AtomicFileWriter.
FileWriteResult WriteFileSafely(const std::string& path, std::string_view bytes);
