// Any bytes as a scan file of several pages: its pages counted from its own structure,
// then its second and last pages (and the one past them) loaded or refused, a TIFF's
// both from the directory found and by walking to it.
#include "image/sheet_pages.h"
#include "fuzz_input.h"
#include "image/sheet_image.h"

#include <algorithm>
#include <cstdlib>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputFile(data, size);
    const Result<FilePages> pages = ListFilePages(path);
    if (!pages)
        return 0;
    const std::set<int> chosen { 1, std::max(1, pages->readable - 1), pages->readable };
    for (const int page : chosen) {
        const auto at = static_cast<size_t>(page);
        SheetImage image;
        if (at < pages->directories.size() && image.LoadPage(path, page, {}, pages->directories[at]))
            image.ConvertTo24Bits();
        if (image.LoadPage(path, page))
            image.ConvertTo24Bits();
    }
    return 0;
}
