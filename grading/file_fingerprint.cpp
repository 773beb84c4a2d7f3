#include "grading/file_fingerprint.h"

#include "framework/sha256.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

FileFingerprint StatOf(const std::string& path)
{
    FileFingerprint print;
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return print;
    print.size = static_cast<int64_t>(info.st_size);
    print.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return print;
}

FileFingerprint FingerprintOf(const std::string& path)
{
    FileFingerprint print = StatOf(path);
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return print;
    Sha256 hash;
    std::array<uint8_t, 65536> chunk;
    size_t count;
    while ((count = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0)
        hash.Add(chunk.data(), count);
    if (std::ferror(file.get()))
        return print;
    print.sha256 = hash.HexDigest();
    return print;
}

FileSince StateSince(const std::string& path, const FileFingerprint& recorded)
{
    const FileFingerprint now = StatOf(path);
    if (now.size == recorded.size && now.modifiedNs == recorded.modifiedNs)
        return FileSince::Unchanged;
    if (now.size < 0)
        return FileSince::Gone;
    return FingerprintOf(path).SameContent(recorded) ? FileSince::Unchanged : FileSince::Changed;
}
