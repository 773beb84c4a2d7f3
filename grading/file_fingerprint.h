#pragma once

#include <cstdint>
#include <string>

// What tells a scan on disk from another: its SHA-256, its size and when it last changed.
struct FileFingerprint {
    std::string sha256; // lower-case hex; empty when the file could not be read
    int64_t size = -1;
    int64_t modifiedNs = -1; // nanoseconds since the epoch

    bool SameContent(const FileFingerprint& other) const { return sha256 == other.sha256; }
};

// Reads the whole file for its hash.
FileFingerprint FingerprintOf(const std::string& path);
// Size and change time only: enough to tell that a file has not changed since it was
// fingerprinted, without reading it.
FileFingerprint StatOf(const std::string& path);

// What became of a fingerprinted file.
enum class FileSince { Unchanged, Changed, Gone };
// A file whose size and change time are as recorded is not read again.
FileSince StateSince(const std::string& path, const FileFingerprint& recorded);
