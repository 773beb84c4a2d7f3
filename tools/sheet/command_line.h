#pragma once

#include "classroom_plan.h"
#include "scan_optics.h"
#include "sheet_content.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct HelpCommand { };

struct BlankCommand {
    std::string output;
};

struct VersionCommand { };

struct PrintCommand {
    std::string output;
    std::string title;
    int copies = 1;
};

struct FillCommand {
    std::string output;
    std::string paper; // a rendered printout to pencil in; empty: draw the form
    SheetContent content;
    ScanConditions scan;
    int quality = 90;
    uint64_t seed = 1;
};

// Values drawn uniformly for each sheet of a batch.
struct DrawRange {
    double low = 0;
    double high = 0;
};

struct BatchCommand {
    int count = 0;
    std::string outputDir;
    uint64_t seed = 1;
    std::string format = "tif";
    double maxTilt = 0.8;
    DrawRange noise;
    DrawRange pencil; // 0: drawn as in fill
    DrawRange rotate; // how far, turned either way
    double maxShift = 0;
    DrawRange blur;
    DrawRange quality { 75, 95 };
    bool speck = false;
    int dpi = 100;
    bool force = false; // replace the files of an earlier batch in the folder
    // Whether any scan condition was asked for: then scan.csv tells them per sheet.
    bool describeScans = false;
    ClassroomOptions classroom; // on: items.csv, and scan.csv tells the page's handling too
};

using SheetCommand
    = std::variant<HelpCommand, VersionCommand, BlankCommand, PrintCommand, FillCommand, BatchCommand>;

struct ParsedCommandLine {
    SheetCommand command;
    std::string error; // for a person; empty when the command line is good
};

// Arguments without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();
// Whether the path ends in .pdf, in any case.
bool IsPdfPath(const std::string& path);
