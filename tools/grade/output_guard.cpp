#include "output_guard.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One file however it is named: the device and inode of an existing file (so hard
// links and symbolic links meet); a missing one by the canonical form of its path, made
// only for it (a class of a thousand sheets would otherwise resolve every path).
struct FileIdentity {
    std::optional<std::pair<dev_t, ino_t>> node;
    std::string canonical; // only when there is no node

    // An existing file and a missing one are never the same file.
    bool operator==(const FileIdentity& other) const
    {
        if (node || other.node)
            return node == other.node;
        return canonical == other.canonical;
    }
};

FileIdentity IdentityOf(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return { std::make_pair(info.st_dev, info.st_ino), {} };
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return { std::nullopt, error ? path : canonical.string() };
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

// Up to size bytes of a regular file from offset; nothing from a device or a pipe,
// which is written in place and never holds a scan.
std::string BytesOf(const std::string& path, off_t offset, size_t size)
{
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info { };
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(size);
        if (offset < 0)
            offset = std::max<off_t>(0, info.st_size + offset);
        const ssize_t got = ::pread(fd, bytes.data(), size, offset);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

// What kind of scan the file holds, by its first bytes whatever its name: "a PDF",
// "a TIFF image", ...; nullptr when it is none (or is no regular file).
const char* ScanKind(std::string_view head)
{
    const auto startsWith = [&](std::string_view magic) { return head.starts_with(magic); };
    if (head.substr(0, 1024).find("%PDF-") != std::string_view::npos)
        return "a PDF";
    if (startsWith(std::string_view("II*\0", 4)) || startsWith(std::string_view("MM\0*", 4))
        || startsWith(std::string_view("II+\0", 4)) || startsWith(std::string_view("MM\0+", 4)))
        return "a TIFF image";
    if (startsWith("\xFF\xD8\xFF"))
        return "a JPEG image";
    if (startsWith("\x89PNG\r\n\x1A\n"))
        return "a PNG image";
    if (startsWith("GIF87a") || startsWith("GIF89a"))
        return "a GIF image";
    // Two letters alone could start a text; a BMP's second header says its own size next.
    if (startsWith("BM") && head.size() >= 18) {
        const auto byte
            = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(head[i])); };
        const uint32_t infoSize = byte(14) | byte(15) << 8 | byte(16) << 16 | byte(17) << 24;
        for (const uint32_t known : { 12u, 40u, 52u, 56u, 64u, 108u, 124u })
            if (infoSize == known)
                return "a BMP image";
    }
    return nullptr;
}

// Whether a PDF names vantrel-grade as its creator, as the report and the slips do
// (results/pdf_pages.cpp); Qt writes the name in UTF-16 near the start.
bool MadeByGrader(const std::string& path)
{
    constexpr std::string_view kName = "vantrel-grade";
    std::string wide = "/Creator (\xFE\xFF";
    for (const char c : kName)
        wide += std::string { '\0', c };
    const std::string plain = "/Creator (" + std::string(kName) + ")";
    for (const std::string& part : { BytesOf(path, 0, 8192), BytesOf(path, -8192, 8192) })
        if (part.find(wide + ")") != std::string::npos || part.find(plain) != std::string::npos)
            return true;
    return false;
}

// The outputs an option names, with the option.
std::vector<std::pair<const char*, const std::string*>> NamedOutputs(const GradeOptions& options)
{
    return { { "--csv", &options.csvFile }, { "--results", &options.resultsFile },
        { "--review", &options.reviewFile }, { "--items", &options.itemsFile },
        { "--xlsx", &options.xlsxFile }, { "--report", &options.reportFile },
        { "--slips", &options.slipsFile }, { "--class", &options.classFile },
        { "--audit", &options.auditFile } };
}

struct NamedFile {
    std::string role;
    std::string path;
    FileIdentity identity;
};

} // namespace

std::string OutputClash(const GradeOptions& options, const std::vector<std::string>& annotatedPaths)
{
    for (const auto& [option, path] : NamedOutputs(options))
        if (!path->empty()
            && HasReadableImageExtension(*path, path == &options.reportFile || path == &options.slipsFile))
            return std::string(option) + " " + *path
                + " names an image file; give the output file's own name (is a file name missing before the "
                  "sheets?)";

    std::vector<NamedFile> inputs;
    for (const std::string* key : { &options.keyFile, &options.keySheet })
        if (!key->empty())
            inputs.push_back({ "the key", *key, IdentityOf(*key) });
    if (!options.rosterFile.empty())
        inputs.push_back({ "the roster", options.rosterFile, IdentityOf(options.rosterFile) });
    if (!options.planFile.empty())
        inputs.push_back({ "the scoring plan", options.planFile, IdentityOf(options.planFile) });
    if (!options.resolveFile.empty())
        inputs.push_back({ "the resolutions", options.resolveFile, IdentityOf(options.resolveFile) });
    for (const std::string& sheet : options.sheets)
        inputs.push_back({ "the sheet", sheet, IdentityOf(sheet) });

    std::vector<NamedFile> outputs;
    for (const auto& [option, path] : NamedOutputs(options))
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
    // Whatever their names, a scan (a copier's PDF among them) is never replaced; the
    // report and the slips replace only a PDF of their own kind.
    for (const auto& [option, path] : NamedOutputs(options)) {
        const char* kind = path->empty() ? nullptr : ScanKind(BytesOf(*path, 0, 1024));
        const bool pdfOutput = path == &options.reportFile || path == &options.slipsFile;
        if (kind && !(pdfOutput && std::strcmp(kind, "a PDF") == 0 && MadeByGrader(*path)))
            return std::string(option) + " " + *path + " holds " + kind
                + " that vantrel-grade did not make; it is kept (is a file name missing before the sheets?)";
    }
    return {};
}
