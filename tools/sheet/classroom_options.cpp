#include "classroom_options.h"

#include "classroom_mark.h"

#include <array>
#include <cstring>

namespace {

// Printed "fit to page", a form comes out this small at the most, in per cent.
constexpr double kSmallestPrint = 90;

const std::array<const char*, 5> kClassroomOptions { "--marks", "--tone", "--print-scale", "--upside-down",
    "--page-defects" };

// The comma-separated words of a list; an empty word stays.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        words.push_back(text.substr(start, comma - start));
    words.push_back(text.substr(start));
    return words;
}

std::string ParseMarkKinds(const std::string& text, std::vector<MarkKind>& kinds)
{
    for (const std::string& word : Words(text)) {
        const std::optional<MarkKind> kind = MarkKindNamed(word);
        if (!kind)
            return "option --marks wants a list of neat, partial, offcentre, heavy, tick, cross, ballpoint, "
                   "circle, faint, changed, erased, double; got '"
                + word + "'";
        kinds.push_back(*kind);
    }
    if (kinds.size() > 100)
        return "option --marks names more than 100 kinds";
    return {};
}

std::string ParseDefects(const std::string& text, PageHandling& page)
{
    for (const std::string& word : Words(text)) {
        bool* flag = word == "fold"  ? &page.fold
            : word == "holes"        ? &page.holes
            : word == "show-through" ? &page.showThrough
            : word == "shadow"       ? &page.edgeShadow
            : word == "perspective"  ? &page.perspective
                                     : nullptr;
        if (!flag)
            return "option --page-defects wants a list of fold, holes, show-through, shadow, perspective; "
                   "got '"
                + word + "'";
        *flag = true;
    }
    return {};
}

std::string ParsePrintScale(const std::string& text, bool batch, ClassroomOptions& classroom)
{
    const size_t dash = batch ? text.find('-', 1) : std::string::npos;
    const char* form = batch ? "a per cent or a range A-B" : "a per cent";
    double low = 0;
    double high = 0;
    std::string error
        = ParseNumberText("--print-scale", text.substr(0, dash), kSmallestPrint, 100.0, low, form);
    high = low;
    if (error.empty() && dash != std::string::npos)
        error = ParseNumberText("--print-scale", text.substr(dash + 1), low, 100.0, high, form);
    if (error.empty())
        classroom.printScale = std::make_pair(low / 100, high / 100);
    return error;
}

} // namespace

bool AnyClassroomOption(const OptionReader& options)
{
    for (const char* name : kClassroomOptions)
        if (options.Find(name))
            return true;
    return false;
}

std::string ParseClassroomOptions(const OptionReader& options, bool batch, ClassroomOptions& classroom)
{
    classroom.on = classroom.on || AnyClassroomOption(options);
    std::string error;
    if (const std::string* marks = options.Find("--marks"))
        error = ParseMarkKinds(*marks, classroom.marks);
    if (const std::string* tone = options.Find("--tone"); tone && error.empty()) {
        if (*tone == "light" || *tone == "dark" || *tone == "normal")
            classroom.tone = *tone == "light" ? ScanTone::Light
                : *tone == "dark"             ? ScanTone::Dark
                                              : ScanTone::Normal;
        else
            error = "option --tone wants light, dark or normal, got '" + *tone + "'";
    }
    if (const std::string* scale = options.Find("--print-scale"); scale && error.empty())
        error = ParsePrintScale(*scale, batch, classroom);
    if (const std::string* defects = options.Find("--page-defects"); defects && error.empty())
        error = ParseDefects(*defects, classroom.defects);
    classroom.upsideDown = options.Find("--upside-down") != nullptr;
    return error;
}
