#include "output_guard.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// One file however it is named: the device and inode of an existing file (so hard
// links and symbolic links meet), otherwise the canonical form of its path.
struct FileIdentity {
    std::string canonical;
    std::optional<std::pair<dev_t, ino_t>> node;

    bool operator==(const FileIdentity& other) const
    {
        if (node && other.node)
            return *node == *other.node;
        return canonical == other.canonical;
    }
};

FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity;
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    identity.canonical = error ? path : canonical.string();
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        identity.node = std::make_pair(info.st_dev, info.st_ino);
    return identity;
}

// A copier's scan may be a PDF; the report and the slips are PDFs by design, so they alone may be named so.
bool HasReadableImageExtension(const std::string& path, bool mayBePdf = false)
{
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* image :
        { ".jpg", ".jpeg", ".jpe", ".jfif", ".bmp", ".dib", ".tif", ".tiff", ".png", ".gif", ".pdf" })
        if (extension == image)
            return !(mayBePdf && extension == ".pdf");
    return false;
}

struct NamedFile {
    std::string role;
    std::string path;
    FileIdentity identity;
};

} // namespace

std::string OutputClash(const GradeOptions& options, const std::vector<std::string>& annotatedPaths)
{
    for (const auto& [option, path] :
        { std::pair { "--csv", &options.csvFile }, { "--results", &options.resultsFile },
            { "--review", &options.reviewFile }, { "--items", &options.itemsFile },
            { "--xlsx", &options.xlsxFile }, { "--report", &options.reportFile },
            { "--slips", &options.slipsFile }, { "--class", &options.classFile } })
        if (!path->empty()
            && HasReadableImageExtension(*path, path == &options.reportFile || path == &options.slipsFile))
            return std::string(option) + " " + *path
                + " names an image file; give the output file's own name (is a file name missing before the "
                  "sheets?)";

    std::vector<NamedFile> inputs;
    inputs.push_back({ "the key", options.keyFile, IdentityOf(options.keyFile) });
    if (!options.rosterFile.empty())
        inputs.push_back({ "the roster", options.rosterFile, IdentityOf(options.rosterFile) });
    for (const std::string& sheet : options.sheets)
        inputs.push_back({ "the sheet", sheet, IdentityOf(sheet) });

    std::vector<NamedFile> outputs;
    if (!options.csvFile.empty())
        outputs.push_back({ "--csv", options.csvFile, IdentityOf(options.csvFile) });
    for (const auto& [option, path] : { std::pair { "--results", &options.resultsFile },
             { "--review", &options.reviewFile }, { "--items", &options.itemsFile },
             { "--xlsx", &options.xlsxFile }, { "--report", &options.reportFile },
             { "--slips", &options.slipsFile }, { "--class", &options.classFile } })
        if (!path->empty())
            outputs.push_back({ option, *path, IdentityOf(*path) });
    for (const std::string& annotated : annotatedPaths)
        outputs.push_back({ "the annotated sheet", annotated, IdentityOf(annotated) });

    for (size_t o = 0; o < outputs.size(); ++o) {
        const NamedFile& output = outputs[o];
        for (const NamedFile& input : inputs)
            if (output.identity == input.identity)
                return output.role + " " + output.path + " would replace " + input.role + " " + input.path;
        for (size_t other = 0; other < o; ++other)
            if (output.identity == outputs[other].identity)
                return output.role + " " + output.path + " and " + outputs[other].role + " "
                    + outputs[other].path + " are the same file";
    }
    return {};
}
