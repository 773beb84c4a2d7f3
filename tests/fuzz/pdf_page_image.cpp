// Any bytes as a copier's PDF: a page's picture is found or not, and decoded or left
// to the renderer, without reading outside the bytes.
#include "image/pdf_page_image.h"
#include "image/scanned_pdf_page.h"
#include "image/sheet_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (int page = 0; page < 3; ++page)
        if (const std::optional<PdfPageImage> picture = FindPageImage({ data, size }, page)) {
            SheetImage image;
            DecodePdfPageImage(*picture, image);
        }
    return 0;
}
