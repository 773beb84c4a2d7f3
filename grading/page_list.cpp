#include "grading/page_list.h"

#include "image/sheet_pages.h"

std::string SheetPage::Name() const
{
    return PageName(file, page, pageCount);
}

std::vector<SheetPage> ListPages(const std::vector<std::string>& files)
{
    std::vector<SheetPage> pages;
    pages.reserve(files.size());
    for (const std::string& file : files) {
        const Result<int> count = CountSheetPages(file);
        if (!count) {
            pages.push_back({ file, 0, 1, count.message() });
            continue;
        }
        for (int page = 0; page < *count; ++page)
            pages.push_back({ file, page, *count, {} });
    }
    return pages;
}
