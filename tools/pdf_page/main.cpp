// vantrel-pdf-page FILE PAGE MEGABYTES: renders one PDF page for the programs, which
// start it so that a page too costly to draw can be stopped (image/pdf_page_process.h).
// Not meant to be run by hand: it writes the page's raw pixels to its output.
#include "image/pdf_page_process.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vantrel-pdf-page FILE PAGE MEGABYTES\n");
        return 2;
    }
    // The heap and every private mapping count against the limit; the address space
    // the libraries reserve does not.
    const rlim_t bytes = static_cast<rlim_t>(std::strtoll(argv[3], nullptr, 10)) << 20;
    const rlimit limit { bytes, bytes };
    if (bytes == 0 || setrlimit(RLIMIT_DATA, &limit) != 0) {
        std::perror("vantrel-pdf-page: cannot limit its memory");
        return 2;
    }
    QCoreApplication app(argc, argv);
    return ServePdfPage(argv[1], std::atoi(argv[2]), 1);
}
