#pragma once

#include <string>
#include <string_view>

struct FileWriteResult {
    bool ok = true;
    std::string message; // why the write failed, for a person

    explicit operator bool() const { return ok; }
};

// Writes the bytes to a temporary file beside the target and renames it into
// place, so a failed write never destroys the file that was there.
FileWriteResult WriteFileSafely(const std::string& path, std::string_view bytes);
