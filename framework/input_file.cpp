#include "framework/input_file.h"

#include "framework/format.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsDevNull(const struct stat& opened)
{
    struct stat null { };
    return S_ISCHR(opened.st_mode) && ::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode)
        && null.st_rdev == opened.st_rdev;
}

// Why a file of this type is not read, as the rest of the message says it.
const char* NotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    if (S_ISFIFO(mode))
        return "it is a FIFO (a named pipe), not a regular file";
    if (S_ISCHR(mode))
        return "it is a character device, not a regular file";
    if (S_ISBLK(mode))
        return "it is a block device, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

} // namespace

Result<std::string> ReadInputFile(const std::string& path, const char* what, size_t limit)
{
    const auto failure = [&](const char* reason) {
        return Status::Failure(FormatText("cannot read %s %s: %s", what, path.c_str(), reason));
    };
    // Opening a FIFO without O_NONBLOCK waits for a writer; the type is then taken
    // from the descriptor itself, so a file swapped in between is not read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failure(std::strerror(errno));
    struct stat opened { };
    if (::fstat(fd, &opened) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(std::strerror(error));
    }
    if (!S_ISREG(opened.st_mode)) {
        ::close(fd);
        if (IsDevNull(opened))
            return std::string();
        return failure(NotRegular(opened.st_mode));
    }
    std::string bytes(limit + 1, '\0');
    size_t filled = 0;
    int error = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    if (error != 0)
        return failure(std::strerror(error));
    bytes.resize(filled);
    return bytes;
}
