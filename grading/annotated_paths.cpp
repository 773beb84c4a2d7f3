#include "grading/annotated_paths.h"

#include <filesystem>
#include <set>

std::vector<std::string> AnnotatedPaths(
    const std::vector<SheetPage>& sheets, const std::string& directory, const std::string& format)
{
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    paths.reserve(sheets.size());
    std::set<std::string> taken;
    for (const SheetPage& sheet : sheets) {
        std::string stem = fs::path(sheet.file).stem().string();
        if (sheet.pageCount > 1)
            stem += "-p" + std::to_string(sheet.page + 1);
        std::string name = stem + "." + format;
        for (int copy = 2; !taken.insert(name).second; ++copy)
            name = stem + "-" + std::to_string(copy) + "." + format;
        paths.push_back((fs::path(directory) / name).string());
    }
    return paths;
}
