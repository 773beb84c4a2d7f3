#include "image/pdf_page_process.h"

#include "framework/format.h"
#include "image/decoded_image.h"
#include "image/pdf_page.h"
#include "image/sheet_image.h"

#include <QCoreApplication>
#include <QImage>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// The renderer writes "VPG1", width and height as 32-bit numbers of this machine,
// then the rows of 32-bit RGB pixels; or "VPGE" and why it could not.
namespace {

constexpr char kPixelsTag[] = "VPG1";
constexpr char kFailureTag[] = "VPGE";
constexpr size_t kTagBytes = 4;
constexpr size_t kHeaderBytes = kTagBytes + 2 * sizeof(int32_t);

const char* const kRendererName = "vantrel-pdf-page";

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The renderer: beside this program, in its libexec folder when installed, or
// where the build made it.
std::string RendererPath()
{
    if (const char* given = std::getenv("VANTREL_PDF_RENDERER"))
        return given;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& candidate :
        { self / kRendererName, self / ".." / VANTREL_LIBEXEC_DIR / "vantrel" / kRendererName,
            std::filesystem::path(VANTREL_PDF_RENDERER_BUILT) })
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    return kRendererName;
}

struct Rendered {
    std::vector<char> output;
    bool timedOut = false;
    int status = 0; // as waitpid gives it
};

// Runs the renderer and reads all it writes before the deadline; a renderer past
// the deadline is killed.
Result<Rendered> RunRenderer(const std::string& path, int index, const PdfPageLimits& limits)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return Status::Failure(std::string("cannot make a pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string renderer = RendererPath();
    const std::string page = std::to_string(index);
    const std::string megabytes = std::to_string(limits.megabytes);
    std::vector<char*> arguments { const_cast<char*>(renderer.c_str()), const_cast<char*>(path.c_str()),
        const_cast<char*>(page.c_str()), const_cast<char*>(megabytes.c_str()), nullptr };
    pid_t child = 0;
    // posix_spawn starts the program without running this process's code in the
    // child, so locks other threads hold cannot stall it.
    const int spawned = posix_spawnp(&child, renderer.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return Status::Failure("cannot start " + renderer + ": " + std::strerror(spawned));
    }

    Rendered rendered;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.seconds);
    const size_t most = kHeaderBytes + static_cast<size_t>(SheetImage::kMaxPixels) * 4;
    char chunk[1 << 16];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting { pipeEnds[0], POLLIN, 0 };
        const int ready = left.count() > 0 ? poll(&waiting, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            rendered.timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        const ssize_t got = ready > 0 ? read(pipeEnds[0], chunk, sizeof chunk) : -1;
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || rendered.output.size() + static_cast<size_t>(got) > most)
            break;
        rendered.output.insert(rendered.output.end(), chunk, chunk + got);
    }
    close(pipeEnds[0]);
    while (waitpid(child, &rendered.status, 0) < 0 && errno == EINTR) { }
    return rendered;
}

} // namespace

PdfPageLimits PdfPageLimitsFromEnvironment()
{
    PdfPageLimits limits;
    if (const char* set = std::getenv("VANTREL_PDF_PAGE_LIMITS")) {
        int seconds = 0;
        int megabytes = 0;
        if (std::sscanf(set, "%d,%d", &seconds, &megabytes) == 2 && seconds > 0 && megabytes > 0)
            limits = { seconds, megabytes };
    }
    return limits;
}

Status RenderPdfPage(const std::string& path, int index, SheetImage& image)
{
    const PdfPageLimits limits = PdfPageLimitsFromEnvironment();
    const Result<Rendered> run = RunRenderer(path, index, limits);
    if (!run)
        return run.status();
    const std::vector<char>& out = run->output;
    if (run->timedOut)
        return Status::Failure(FormatText("หน้านี้ใช้เวลาแปลงเป็นภาพเกิน %d วินาที จึงข้ามไป", limits.seconds));
    if (out.size() >= kTagBytes && std::memcmp(out.data(), kFailureTag, kTagBytes) == 0)
        return Status::Failure(std::string(out.begin() + kTagBytes, out.end()));
    int32_t size[2] = { 0, 0 };
    if (out.size() >= kHeaderBytes && std::memcmp(out.data(), kPixelsTag, kTagBytes) == 0)
        std::memcpy(size, out.data() + kTagBytes, sizeof size);
    const auto pixelBytes = static_cast<size_t>(size[0]) * static_cast<size_t>(size[1]) * 4;
    const bool whole = size[0] > 0 && size[1] > 0 && out.size() == kHeaderBytes + pixelBytes;
    if (!whole || !WIFEXITED(run->status) || WEXITSTATUS(run->status) != 0) {
        // The renderer tells every other failure; past its memory limit an allocation
        // fails where it cannot say so, and it dies.
        if (WIFSIGNALED(run->status) || out.empty())
            return Status::Failure(
                FormatText("หน้านี้ต้องใช้หน่วยความจำเกิน %d MB ในการแปลงเป็นภาพ จึงข้ามไป", limits.megabytes));
        return Status::Failure(
            QCoreApplication::translate("SheetImage", "แปลงหน้า PDF นี้เป็นภาพไม่ได้").toStdString());
    }
    const QImage paper(reinterpret_cast<const uchar*>(out.data() + kHeaderBytes), size[0], size[1],
        static_cast<qsizetype>(size[0]) * 4, QImage::Format_RGB32);
    if (Status stored = StoreDecodedImage(paper, image); !stored)
        return stored;
    image.SetDotsPerInch(100);
    return {};
}

int ServePdfPage(const std::string& path, int index, int fd)
{
    try {
        const Result<QImage> page = RenderPdfPageHere(path, index);
        if (!page) {
            const std::string said = kFailureTag + page.message();
            return WriteAll(fd, said.data(), said.size()) ? 0 : 1;
        }
        const int32_t size[2] = { page->width(), page->height() };
        if (!WriteAll(fd, kPixelsTag, kTagBytes)
            || !WriteAll(fd, reinterpret_cast<const char*>(size), sizeof size))
            return 1;
        for (int y = 0; y < page->height(); ++y)
            if (!WriteAll(fd, reinterpret_cast<const char*>(page->constScanLine(y)),
                    static_cast<size_t>(page->width()) * 4))
                return 1;
        return 0;
    } catch (const std::bad_alloc&) {
        return kPdfRendererOutOfMemory;
    }
}
