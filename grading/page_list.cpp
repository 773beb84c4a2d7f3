#include "grading/page_list.h"

#include "image/sheet_pages.h"

#include <map>
#include <sys/stat.h>
#include <utility>

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

DistinctFiles DropRepeatedFiles(const std::vector<std::string>& files)
{
    DistinctFiles distinct;
    std::map<std::pair<dev_t, ino_t>, const std::string*> seen;
    for (const std::string& file : files) {
        struct stat info { };
        // A file that cannot be looked at stays, to be refused with its reason.
        if (::stat(file.c_str(), &info) == 0) {
            const auto [first, isNew] = seen.try_emplace({ info.st_dev, info.st_ino }, &file);
            if (!isNew) {
                distinct.notes.push_back(file + " is the same file as " + *first->second + ": graded once");
                continue;
            }
        }
        distinct.files.push_back(file);
    }
    return distinct;
}
