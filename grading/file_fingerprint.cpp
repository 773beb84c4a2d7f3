#include "grading/file_fingerprint.h"

#include <QCryptographicHash>
#include <QFile>

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
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return print;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return print;
    print.sha256 = hash.result().toHex().toStdString();
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
