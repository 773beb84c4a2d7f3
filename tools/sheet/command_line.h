#pragma once

#include "sheet_content.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct HelpCommand {
};

struct BlankCommand {
    std::string output;
};

struct VersionCommand {
};

struct PrintCommand {
    std::string output;
    std::string title;
    int copies = 1;
};

struct FillCommand {
    std::string output;
    std::string paper; // a rendered printout to pencil in; empty: draw the form
    SheetContent content;
    int noise = 0;
    int quality = 90;
    uint64_t seed = 1;
};

struct BatchCommand {
    int count = 0;
    std::string outputDir;
    uint64_t seed = 1;
    std::string format = "tif";
    double maxTilt = 0.8;
    int noise = 0;
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
