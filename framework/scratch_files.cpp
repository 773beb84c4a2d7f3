#include "framework/scratch_files.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::string_view kMark = ".vantrel-";
constexpr size_t kRandomLetters = 6; // mkstemp's XXXXXX

// The scratch files open in this process. A handler may run on any thread at any
// time, so it reads only this fixed table: a slot is free (0), being filled (1) or
// holds a path to remove (2).
enum SlotState { Free = 0, Filling = 1, Listed = 2 };
struct ScratchSlot {
    std::atomic<int> state { Free };
    char path[PATH_MAX] {};
};
constexpr int kSlots = 512; // every job's picture and every output at once, with room to spare
constinit ScratchSlot g_scratch[kSlots]; // zeroed at load: no page is touched before use

void RemoveListedAndReraise(int signal)
{
    for (ScratchSlot& slot : g_scratch)
        if (slot.state.load(std::memory_order_acquire) == Listed)
            ::unlink(slot.path);
    // SA_RESETHAND put the default action back; the signal is delivered as this returns.
    ::raise(signal);
}

// The PID in a scratch file's name, or 0 when the name is none of ours.
pid_t ScratchOwner(std::string_view name)
{
    const size_t mark = name.rfind(kMark);
    if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark < 2)
        return 0;
    std::string_view rest = name.substr(mark + kMark.size());
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != kRandomLetters)
        return 0;
    long pid = 0;
    for (const char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > INT_MAX / 10)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    for (const char c : rest.substr(dash + 1))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return 0;
    return static_cast<pid_t>(pid);
}

} // namespace

std::string ScratchPattern(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + std::string(kMark)
        + std::to_string(::getpid()) + "-XXXXXX";
}

int CreateScratchFile(const std::string& pattern, std::string& created, int& slot)
{
    slot = -1;
    for (int i = 0; i < kSlots && slot < 0 && pattern.size() < PATH_MAX; ++i) {
        int expected = Free;
        if (g_scratch[i].state.compare_exchange_strong(expected, Filling))
            slot = i;
    }
    if (slot < 0) {
        created = pattern;
        return ::mkstemp(created.data());
    }
    ScratchSlot& listed = g_scratch[slot];
    std::memcpy(listed.path, pattern.c_str(), pattern.size() + 1);
    listed.state.store(Listed, std::memory_order_release);
    // mkstemp writes the name's letters into the slot before it creates the file, so
    // once the file is there the slot names it.
    const int fd = ::mkstemp(listed.path);
    if (fd < 0) {
        const int error = errno;
        listed.state.store(Free, std::memory_order_release);
        slot = -1;
        errno = error;
        return -1;
    }
    created = listed.path;
    return fd;
}

void ForgetScratchFile(int slot)
{
    if (slot >= 0 && slot < kSlots)
        g_scratch[slot].state.store(Free, std::memory_order_release);
}

void RemoveScratchFilesOnSignal()
{
    for (const int signal : { SIGINT, SIGTERM, SIGHUP }) {
        struct sigaction current { };
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction removing { };
        removing.sa_handler = RemoveListedAndReraise;
        removing.sa_flags = SA_RESETHAND;
        sigemptyset(&removing.sa_mask);
        ::sigaction(signal, &removing, nullptr);
    }
}

void RemoveDeadScratchFiles(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::path(path).parent_path();
    folder = fs::absolute(folder.empty() ? fs::path(".") : folder, error).lexically_normal();
    static std::mutex mutex;
    static std::set<std::string> cleared;
    {
        const std::lock_guard lock(mutex);
        if (error || !cleared.insert(folder.string()).second)
            return;
    }
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const pid_t owner = ScratchOwner(entry->path().filename().string());
        // A PID that answers, even one of another user's (EPERM), may still be writing.
        if (owner <= 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        std::error_code ignored;
        if (entry->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entry->path(), ignored);
    }
}
