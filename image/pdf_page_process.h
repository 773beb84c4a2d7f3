#pragma once

#include "framework/status.h"

#include <cstdint>
#include <string>

class SheetImage;

// What one PDF page's rendering may take. A page can be drawn to need minutes and
// hundreds of megabytes; past these it is refused and the other pages go on.
struct PdfPageLimits {
    int seconds = 60;
    int megabytes = 1024;
};

// The limits, or those set as "SECONDS,MEGABYTES" in VANTREL_PDF_PAGE_LIMITS.
PdfPageLimits PdfPageLimitsFromEnvironment();

// Renders page `index` (from 0) as RenderPdfPageHere does (image/pdf_page.h), pixel for
// pixel, but in a fresh renderer process (vantrel-pdf-page) held to the limits: a
// rendering cannot be stopped inside this process, a process can.
Status RenderPdfPage(const std::string& path, int index, SheetImage& image);

// The renderer's side: renders the page and writes it to `fd` (see the .cpp); its exit
// status.
int ServePdfPage(const std::string& path, int index, int fd);

// The renderer's exit status when the page needed more memory than allowed.
constexpr int kPdfRendererOutOfMemory = 3;
