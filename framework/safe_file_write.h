#pragma once

#include "framework/status.h"

#include <string>
#include <string_view>

// The one way a file is written: into a scratch file beside the target (named and
// cleared up as framework/scratch_files.h says), which replaces the target only once
// every byte is on disk (written, synced, closed), so a failed write never destroys
// the file that was there. Appends may stream as a
// run goes, so memory stays flat however long the output.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter(); // removes the temporary file of a write never committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; fails when the target's folder cannot take it.
    Status Open();
    // Keeps the first failure for Commit to report. Small pieces are gathered into large
    // writes; Flush writes what is gathered now.
    void Append(std::string_view bytes);
    void Flush();
    // Puts the file in place, or reports the first failure and leaves the target as it was.
    Status Commit();

private:
    Status Fail(const char* what, int error);
    void WriteOut(std::string_view bytes);
    void Discard();

    std::string m_path;
    std::string m_tempPath;
    int m_fd = -1;
    int m_scratchSlot = -1; // in the table the signal handlers clear
    bool m_direct = false; // the target is no regular file: written in place
    Status m_status; // the first failure; success until one
    static constexpr size_t kPendingLimit = 1 << 16;
    std::string m_pending; // appended, not yet written
};

// Writes the bytes through an AtomicFileWriter.
Status WriteFileSafely(const std::string& path, std::string_view bytes);
