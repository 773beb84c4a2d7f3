#include "grading/page_list.h"

#include "image/sheet_pages.h"

#include <map>
#include <sys/stat.h>
#include <utility>

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
