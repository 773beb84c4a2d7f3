#include "framework/safe_file_write.h"

#include "framework/scratch_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The mode a new file gets from the process's umask, or the mode of the file it replaces.
mode_t TargetMode(const std::string& path)
{
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string path)
    : m_path(std::move(path))
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

Status AtomicFileWriter::Fail(const char* what, int error)
{
    if (m_status)
        m_status = Status::Failure(std::string(what) + " " + m_path + ": " + std::strerror(error));
    return m_status;
}

void AtomicFileWriter::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    ForgetScratchFile(m_scratchSlot);
    m_scratchSlot = -1;
}

Status AtomicFileWriter::Open()
{
    // A device or a pipe (/dev/stdout, /dev/full) is written as it is: renaming a
    // file over it would replace the device itself.
    struct stat existing { };
    if (::stat(m_path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
        if (m_fd < 0)
            return Fail("cannot open for writing", errno);
        m_direct = true;
        return {};
    }
    RemoveDeadScratchFiles(m_path);
    std::string created;
    m_fd = CreateScratchFile(ScratchPattern(m_path), created, m_scratchSlot);
    if (m_fd < 0)
        return Fail("cannot open for writing", errno);
    m_tempPath = created;
    if (::fchmod(m_fd, TargetMode(m_path)) != 0)
        return Fail("cannot open for writing", errno);
    return {};
}

void AtomicFileWriter::Append(std::string_view bytes)
{
    if (!m_status || m_fd < 0)
        return;
    // A device or a pipe gets each piece at once, for a reader at its other end; a file
    // takes them in large writes, a class's CSV being a thousand small rows.
    if (m_direct || bytes.size() >= kPendingLimit) {
        Flush();
        WriteOut(bytes);
        return;
    }
    m_pending += bytes;
    if (m_pending.size() >= kPendingLimit)
        Flush();
}

void AtomicFileWriter::Flush()
{
    if (m_fd < 0)
        return;
    WriteOut(m_pending);
    m_pending.clear();
}

void AtomicFileWriter::WriteOut(std::string_view bytes)
{
    while (m_status && !bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot write", errno);
            return;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

Status AtomicFileWriter::Commit()
{
    if (m_fd < 0 && m_status)
        Fail("cannot write", EBADF);
    if (m_status)
        Flush();
    // A full disk may only show at the sync or the close.
    if (m_status && !m_direct && ::fsync(m_fd) != 0)
        Fail("cannot write", errno);
    if (m_status) {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            Fail("cannot write", errno);
    }
    if (m_status && !m_direct && ::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        Fail("cannot save", errno);
    if (m_status)
        m_tempPath.clear();
    Discard();
    return m_status;
}

Status WriteFileSafely(const std::string& path, std::string_view bytes)
{
    AtomicFileWriter writer(path);
    if (Status opened = writer.Open(); !opened)
        return opened;
    writer.Append(bytes);
    return writer.Commit();
}
