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
        const Result<FilePages> listed = ListFilePages(file);
        if (!listed) {
            pages.push_back({ file, 0, 1, listed.message() });
            continue;
        }
        const int count = listed->readable + (listed->unreadable.empty() ? 0 : 1);
        for (int page = 0; page < listed->readable; ++page)
            pages.push_back({ file, page, count, {},
                static_cast<size_t>(page) < listed->directories.size()
                    ? listed->directories[static_cast<size_t>(page)]
                    : 0 });
        if (!listed->unreadable.empty())
            pages.push_back({ file, listed->readable, count, listed->unreadable });
    }
    return pages;
}
