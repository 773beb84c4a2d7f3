#pragma once

#include "grading/file_fingerprint.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

// The fingerprints of one grading run, each file's taken once: every page of a copier's
// PDF or TIFF is a sheet of its own, and reading a large file once per page for its hash
// would cost more than grading the page. Safe to use from several threads; a thread
// asking for a file another is hashing waits for that hash.
class FingerprintCache {
public:
    FileFingerprint Of(const std::string& path);

private:
    struct Entry {
        std::once_flag taken;
        FileFingerprint print;
    };
    std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<Entry>> m_entries;
};
