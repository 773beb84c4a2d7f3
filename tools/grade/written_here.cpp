#include "written_here.h"

#include "framework/input_file.h"
#include "framework/safe_file_write.h"

#include <filesystem>
#include <set>
#include <string_view>

namespace {

namespace fs = std::filesystem;

constexpr const char* kListName = ".vantrel-grade-files";
constexpr const char* kListHeading
    = "# written here by vantrel-grade; a later run replaces only these files\n";
constexpr size_t kMostListBytes = 64 * 1024 * 1024;

std::string ListPath(const std::string& directory)
{
    return (fs::path(directory) / kListName).string();
}

// The names on the list; none when there is no list (or it cannot be read, so that
// nothing there is taken for ours).
std::set<std::string> ListedNames(const std::string& directory)
{
    std::set<std::string> names;
    const Result<std::string> bytes = ReadInputFile(ListPath(directory), "the list", kMostListBytes);
    if (!bytes)
        return names;
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.front() != '#')
            names.emplace(line);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return names;
}

} // namespace

std::string FirstFileNotWrittenHere(const std::string& directory, const std::vector<std::string>& paths)
{
    const std::set<std::string> listed = ListedNames(directory);
    for (const std::string& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (path.empty() || !fs::exists(status) || fs::is_directory(status))
            continue;
        if (!listed.contains(fs::path(path).filename().string()))
            return path;
    }
    return {};
}

Status ListAsWrittenHere(const std::string& directory, const std::vector<std::string>& paths)
{
    std::set<std::string> names = ListedNames(directory);
    for (const std::string& path : paths) {
        const std::string name = fs::path(path).filename().string();
        // A name with a line end cannot be listed; such a file is refused next time.
        if (!path.empty() && name.find('\n') == std::string::npos)
            names.insert(name);
    }
    std::string list = kListHeading;
    for (const std::string& name : names)
        list += name + "\n";
    return WriteFileSafely(ListPath(directory), list);
}
