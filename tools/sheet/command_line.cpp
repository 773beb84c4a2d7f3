#include "command_line.h"

#include "classroom_mark.h"
#include "classroom_options.h"
#include "image_output.h"
#include "option_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>

namespace {

// Beyond this the right mark corner leaves its search window.
constexpr double kTiltLimit = 3.5;
// Further than this a mark corner may leave its search window.
constexpr double kShiftLimit = 40;
constexpr double kBlurLimit = 5;
constexpr int kLightestPencil = 130;
constexpr int kDarkestPencil = 20;
// What copiers offer; the grader brings 150-600 dpi to its 100.
constexpr int kLowestDpi = 100;
constexpr int kHighestDpi = 600;

// The stream a fill's page handling is drawn from, apart from the pencil's and the noise's.
constexpr uint64_t kPageStream = 0x5041474500000001ull;

// Batch options that change how the scans come out rather than what they carry.
const char* const kScanOptions[] = { "--pencil", "--blur", "--rotate", "--shift" };

template <typename Number>
std::string ParseNumber(
    const OptionReader& options, const std::string& name, Number low, Number high, Number& value)
{
    const std::string* text = options.Find(name);
    return text ? ParseNumberText(name, *text, low, high, value) : std::string();
}

// N, or A-B for a range drawn per sheet.
std::string ParseRange(
    const OptionReader& options, const std::string& name, double low, double high, DrawRange& range)
{
    const std::string* text = options.Find(name);
    if (!text)
        return {};
    const size_t dash = text->find('-', 1);
    DrawRange parsed;
    const char* form = "a number or a range A-B";
    std::string error = ParseNumberText(name, text->substr(0, dash), low, high, parsed.low, form);
    parsed.high = parsed.low;
    if (error.empty() && dash != std::string::npos)
        error = ParseNumberText(name, text->substr(dash + 1), parsed.low, high, parsed.high, form);
    if (!error.empty())
        return error + (dash != std::string::npos ? " (a range runs from low to high)" : "");
    range = parsed;
    return {};
}

// DX,DY or one number for both.
std::string ParseShift(const OptionReader& options, ScanConditions& scan)
{
    const std::string* text = options.Find("--shift");
    if (!text)
        return {};
    const size_t comma = text->find(',');
    const char* form = "DX,DY or one number";
    std::string error
        = ParseNumberText("--shift", text->substr(0, comma), -kShiftLimit, kShiftLimit, scan.shiftX, form);
    scan.shiftY = scan.shiftX;
    if (error.empty() && comma != std::string::npos)
        error = ParseNumberText(
            "--shift", text->substr(comma + 1), -kShiftLimit, kShiftLimit, scan.shiftY, form);
    return error;
}

std::string RequireOutput(const OptionReader& options, std::string& output)
{
    const std::string* path = options.Find("--output");
    if (!path || path->empty())
        return "missing -o FILE";
    if (!IsScanExtension(*path))
        return "cannot tell the image type of '" + *path + "': use .jpg, .bmp, .tif or .png";
    output = *path;
    return {};
}

// The first error of a list of checks, or an empty string.
std::string FirstError(std::initializer_list<std::string> errors)
{
    for (const std::string& error : errors)
        if (!error.empty())
            return error;
    return {};
}

ParsedCommandLine ParseBlank(const OptionReader& options)
{
    BlankCommand command;
    std::string error = RequireOutput(options, command.output);
    return { command, error };
}

ParsedCommandLine ParsePrint(const OptionReader& options)
{
    PrintCommand command;
    const std::string* path = options.Find("--output");
    std::string error = FirstError({
        !path || path->empty() ? "missing -o FILE.pdf" : "",
        path && !path->empty() && !IsPdfPath(*path) ? "the printable sheet is a PDF: name it FILE.pdf" : "",
        ParseNumber(options, "--copies", 1, 500, command.copies),
    });
    if (path)
        command.output = *path;
    if (const std::string* title = options.Find("--title"))
        command.title = *title;
    return { command, error };
}

// A page at another resolution is drawn anew at it; a speck is placed by the
// 100-dpi marks and a printed page is a 100-dpi image, so neither goes with it.
std::string DpiConflict(const OptionReader& options, int dpi, bool paper)
{
    if (dpi == 100)
        return {};
    if (options.Find("--speck"))
        return "--speck is drawn at 100 dpi only; leave out --dpi or --speck";
    if (paper)
        return "--paper is a 100-dpi page; leave out --dpi or --paper";
    return {};
}

ParsedCommandLine ParseFill(const OptionReader& options)
{
    FillCommand command;
    if (const std::string* paper = options.Find("--paper"))
        command.paper = *paper;
    const std::string* id = options.Find("--id");
    const std::string* answers = options.Find("--answers");
    ScanConditions& scan = command.scan;
    int noise = 0;
    std::string error = FirstError({
        RequireOutput(options, command.output),
        id ? ParseExamineeId(*id, command.content.examineeId) : "missing --id",
        answers ? ParseMarkList(*answers, command.content.marks) : "missing --answers",
        ParseNumber(options, "--tilt", -kTiltLimit, kTiltLimit, command.content.tiltDegrees),
        ParseNumber(options, "--noise", 0, 100, noise),
        ParseNumber(options, "--quality", 1, 100, command.quality),
        ParseNumber<uint64_t>(options, "--seed", 0, UINT64_MAX, command.seed),
        ParseNumber(options, "--pencil", kDarkestPencil, kLightestPencil, scan.pencilGrey),
        ParseNumber(options, "--blur", 0.0, kBlurLimit, scan.blurSigma),
        ParseNumber(options, "--rotate", -kTiltLimit, kTiltLimit, scan.rotateDegrees),
        ParseShift(options, scan),
        ParseNumber(options, "--dpi", kLowestDpi, kHighestDpi, scan.dpi),
    });
    scan.noise = noise;
    scan.speck = options.Find("--speck") != nullptr;
    ClassroomOptions classroom;
    if (error.empty())
        error = ParseClassroomOptions(options, false, classroom);
    if (const std::string* erased = options.Find("--erased"); erased && error.empty())
        error = ParseMarkList(*erased, command.content.erased);
    ApplyMarkKinds(command.content, classroom.marks);
    SheetRandom pageRandom = SheetRandom::Derived(command.seed, kPageStream);
    scan.page = PlanPageHandling(classroom, pageRandom);
    if (error.empty())
        error = DpiConflict(options, scan.dpi, !command.paper.empty());
    return { command, error };
}

// Realistic scans: the page turned for real, blurred, grainy, in light pencil and
// strong JPEG compression, within what a careful scan room still produces.
void ApplyStressPreset(BatchCommand& command)
{
    command.format = "jpg";
    command.maxTilt = 0;
    command.rotate = { 0.7, 1.2 };
    command.blur = { 0.7, 1.1 };
    command.noise = { 2.5, 5 };
    command.pencil = { 60, 120 };
    command.quality = { 55, 85 };
}

// A class as it really fills and scans its sheets: every kind of mark mixed row by
// row, pages turned up to 2.5 degrees, light and dark scans, creases, holes, strong
// JPEG compression, a few pages printed to fit the page or laid upside down.
void ApplyClassroomPreset(BatchCommand& command)
{
    command.format = "jpg";
    command.maxTilt = 0;
    command.rotate = { 0, 2.5 };
    command.blur = { 0.5, 1.0 };
    command.noise = { 1.5, 4 };
    command.pencil = { 40, 110 };
    command.quality = { 40, 90 };
    command.classroom.on = true;
    command.classroom.mix = true;
}

ParsedCommandLine ParseBatch(const OptionReader& options)
{
    BatchCommand command;
    const std::string* preset = options.Find("--preset");
    if (preset && *preset != "stress" && *preset != "classroom")
        return { command, "option --preset wants stress or classroom, got '" + *preset + "'" };
    if (preset)
        *preset == "stress" ? ApplyStressPreset(command) : ApplyClassroomPreset(command);
    const std::string* count = options.Find("--count");
    const std::string* out = options.Find("--out");
    int noise = 0;
    double rotate = 0;
    std::string error = FirstError({
        count ? ParseNumber(options, "--count", 1, 9999, command.count) : "missing --count",
        out && !out->empty() ? "" : "missing --out DIR",
        ParseNumber<uint64_t>(options, "--seed", 0, UINT64_MAX, command.seed),
        ParseNumber(options, "--max-tilt", 0.0, kTiltLimit, command.maxTilt),
        ParseNumber(options, "--noise", 0, 100, noise),
        ParseRange(options, "--pencil", kDarkestPencil, kLightestPencil, command.pencil),
        ParseNumber(options, "--blur", 0.0, kBlurLimit, command.blur.low),
        ParseNumber(options, "--rotate", 0.0, kTiltLimit, rotate),
        ParseNumber(options, "--shift", 0.0, kShiftLimit, command.maxShift),
        ParseNumber(options, "--dpi", kLowestDpi, kHighestDpi, command.dpi),
    });
    if (error.empty())
        error = DpiConflict(options, command.dpi, false);
    if (error.empty())
        error = ParseClassroomOptions(options, true, command.classroom);
    if (options.Find("--noise"))
        command.noise = { static_cast<double>(noise), static_cast<double>(noise) };
    if (options.Find("--blur"))
        command.blur.high = command.blur.low;
    if (options.Find("--rotate"))
        command.rotate = { 0, rotate };
    command.speck = options.Find("--speck") != nullptr;
    command.force = options.Find("--force") != nullptr;
    command.describeScans = preset || command.speck || command.classroom.on
        || std::any_of(std::begin(kScanOptions), std::end(kScanOptions),
            [&](const char* name) { return options.Find(name) != nullptr; });
    if (out)
        command.outputDir = *out;
    if (const std::string* format = options.Find("--format")) {
        if (error.empty() && *format != "tif" && *format != "jpg" && *format != "bmp")
            error = "option --format wants tif, jpg or bmp, got '" + *format + "'";
        command.format = *format;
    }
    return { command, error };
}

} // namespace

bool IsPdfPath(const std::string& path)
{
    const std::string suffix = ".pdf";
    if (path.size() <= suffix.size())
        return false;
    std::string end = path.substr(path.size() - suffix.size());
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
    return end == suffix;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return { HelpCommand {}, "no command given" };
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help")
        return { HelpCommand {}, {} };
    if (name == "--version")
        return { VersionCommand {}, {} };
    const std::map<std::string, std::vector<std::string>> knownOptions {
        { "blank", { "--output" } },
        { "print", { "--output", "--title", "--copies" } },
        { "fill",
            { "--output", "--paper", "--id", "--answers", "--tilt", "--noise", "--quality", "--seed",
                "--pencil", "--blur", "--rotate", "--shift", "--speck", "--dpi", "--marks", "--erased",
                "--tone", "--print-scale", "--upside-down", "--page-defects" } },
        { "batch",
            { "--count", "--out", "--seed", "--format", "--max-tilt", "--noise", "--pencil", "--blur",
                "--rotate", "--shift", "--speck", "--preset", "--dpi", "--force", "--marks", "--tone",
                "--print-scale", "--upside-down", "--page-defects" } },
    };
    const auto known = knownOptions.find(name);
    if (known == knownOptions.end())
        return { HelpCommand {}, "unknown command '" + name + "'" };
    for (size_t i = 1; i < arguments.size(); ++i)
        if (arguments[i] == "--help" || arguments[i] == "-h")
            return { HelpCommand {}, {} };

    OptionReader options;
    if (std::string error = options.Read(arguments, 1, known->second); !error.empty())
        return { HelpCommand {}, error };
    if (name == "blank")
        return ParseBlank(options);
    if (name == "print")
        return ParsePrint(options);
    if (name == "fill")
        return ParseFill(options);
    return ParseBatch(options);
}
