// vantrel-pdf-page FILE PAGE MEGABYTES: renders one PDF page for the programs, which
// start it so that a page too costly to draw can be stopped (image/pdf_page_process.h).
// Not meant to be run by hand: it writes the page's raw pixels to its output.
#include "image/pdf_page_process.h"

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// The address sanitizer's shadow is a writable mapping of terabytes, which a data
// limit refuses at start; under it the resident memory is watched instead.
[[maybe_unused]] void WatchResidentMemory(long long bytes)
{
    std::thread([bytes] {
        for (;;) {
            long long pages = 0;
            if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%*s %lld", &pages) != 1)
                    pages = 0;
                std::fclose(statm);
            }
            if (pages * sysconf(_SC_PAGESIZE) > bytes)
                _exit(kPdfRendererOutOfMemory);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }).detach();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vantrel-pdf-page FILE PAGE MEGABYTES\n");
        return 2;
    }
    // The program that started it keeps the deadline; if it is killed, so is this page.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
        return 2;
    const long long bytes = std::strtoll(argv[3], nullptr, 10) << 20;
#ifdef VANTREL_ADDRESS_SANITIZER
    WatchResidentMemory(bytes);
#else
    // The heap and every private mapping count against the limit; the address space
    // the libraries reserve does not.
    const rlimit limit { static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes) };
    if (bytes <= 0 || setrlimit(RLIMIT_DATA, &limit) != 0) {
        std::perror("vantrel-pdf-page: cannot limit its memory");
        return 2;
    }
#endif
    QCoreApplication app(argc, argv);
    return ServePdfPage(argv[1], std::atoi(argv[2]), 1);
}
