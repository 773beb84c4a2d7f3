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

std::string UsageText()
{
    return R"(Usage:
  vantrel-sheet blank -o FILE
      Draws the blank answer sheet as a scan would show it (A4, 100 dpi).

  vantrel-sheet print -o FILE.pdf [--title TEXT] [--copies N]
      Writes the printable answer sheet: a vector A4 PDF. Print it at 100 % (no
      "fit to page") and scan the filled sheets at 100 dpi, 24-bit colour.
      --title TEXT    a line under the heading, e.g. the exam and the class
      --copies N      pages in the file, 1 (default) to 500

  vantrel-sheet fill -o FILE --id DIGITS --answers LIST [--paper PAGE] [--tilt DEG]
                     [--noise N] [--quality Q] [--seed S] [--pencil GREY]
                     [--blur SIGMA] [--rotate DEG] [--shift DX,DY] [--speck]
      Draws one filled-in, scanned sheet.
      --paper PAGE    pencil into the printed bubbles of this image of the printed
                      sheet (e.g. the PDF rendered at 100 dpi, 827 x 1169 pixels)
                      instead of drawing the form; the tilt then turns the page
                      like a crooked sheet on the scanner
      --id DIGITS     examinee ID, exactly 8 digits (leading zeros allowed)
      --answers LIST  up to 100 comma-separated entries, question 1 first: a letter
                      a-e, several letters for a row marked more than once (ac), or
                      nothing for a blank row; missing entries are blank
      --tilt DEG      skew of the scan in degrees, -3.5 to 3.5 (positive: right side
                      higher); default 0
      --noise N       scanner noise: grain of N grey levels (standard deviation)
                      with dust and specks, 0 (default) to 100; the grader reads
                      sheets reliably up to about 15
      --quality Q     JPEG quality 1-100, default 90
      --seed S        varies the pencil strokes and the noise; default 1
      --pencil GREY   darkness of the marks, grey level 20 (dark) to 130 (faint);
                      default a random grey from 40 to 70
      --blur SIGMA    optical blur: Gaussian of SIGMA pixels, 0 (default) to 5
      --rotate DEG    the page turned on the glass about its centre, -3.5 to 3.5
                      (positive: right side higher): a true rotation, resampled,
                      where --tilt draws the marks where the grader will look
      --shift DX,DY   the page moved DX pixels right and DY down, -40 to 40 each;
                      one number moves it that far both ways
      --speck         a dark dust speck of a few pixels beside a registration mark,
                      where the grader's mark search may take it for the mark
      --dpi N         draw the scan at N dpi, 100 (default) to 600, as a copier
                      scans: form, marks and pencil drawn at that resolution (A4 is
                      2480 x 3508 pixels at 300 dpi); --shift and --blur stay in
                      100-dpi pixels; not with --speck or --paper

  vantrel-sheet batch --count N --out DIR [--seed S] [--format tif|jpg|bmp]
                      [--max-tilt DEG] [--noise N] [--pencil GREY|A-B]
                      [--blur SIGMA] [--rotate DEG] [--shift PX] [--speck]
                      [--preset stress] [--dpi N] [--force]
      Draws N random sheets img001.tif, img002.tif, ... (N up to 9999) into DIR
      with the answer key key.txt (100 questions) and truth.csv
      (file,examinee_id,correct,wrong,error,m1..m100): the counts the grader must
      report for each sheet against the key, and the letters drawn in each row.
      Tilts are uniform in +-max-tilt (default 0.8, at most 3.5); JPEG sheets get
      a random quality from 75 to 95; noise as for fill (default 0). The same
      seed (default 1) always gives the same files.
      --pencil, --blur, --speck and --dpi as for fill (--pencil A-B: a grey drawn per
      sheet); --rotate DEG turns each page by up to DEG either way, --shift PX
      moves it by up to PX pixels each way. --preset stress draws realistic
      scans: pages turned 0.7 to 1.2 degrees either way, blur 0.7 to 1.1, noise
      2.5 to 5, pencil grey 60 to 120, JPEG quality 55 to 85 (format jpg, no
      --tilt); options given with it take its place. With any of these, scan.csv
      (file,tilt,rotate,shift_x,shift_y,blur,noise,pencil,quality,speck_x,
      speck_y) tells how each sheet was scanned; truth.csv stays what was drawn.
      A folder that already holds key.txt, truth.csv, scan.csv or a sheet of
      the same name is refused, so no scans are lost; --force replaces them.

Images are 24-bit colour, at 100 dpi unless --dpi says otherwise; the type follows
the extension (.jpg, .bmp, .tif, .png).
vantrel-sheet --version shows the version.
)";
}
