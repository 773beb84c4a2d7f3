#pragma once

#include <string>
#include <vector>

struct GradeOptions {
    std::string keyFile;
    std::string keySheet; // a scan with the key marked on it, instead of the key file
    std::string csvFile;
    std::string resultsFile;
    std::string reviewFile;
    std::string reviewImagesDir;
    std::string annotateDir;
    std::string annotateFormat = "png";
    std::string itemsFile;
    std::string rosterFile;
    std::string xlsxFile;
    std::string reportFile;
    std::string slipsFile;
    std::string classFile; // the class record
    bool rescore = false; // score the record's sheets with the key instead of grading scans
    bool acceptSecond = false; // settle every disagreement of the readings with the second
    std::string resolveFile; // resolutions made elsewhere: file,item,value[,reason]
    std::string auditFile; // where to list the record's resolutions
    std::string planFile; // the scoring plan: points, grade and sections in the CSV
    bool csvExcel = false; // the CSV starts with a byte order mark, for Excel
    int jobs = 0; // 0: one per core
    bool quiet = false;
    std::vector<std::string> sheets;
};

struct ParsedGradeOptions {
    GradeOptions options;
    bool helpRequested = false;
    bool versionRequested = false;
    std::string error; // non-empty on a usage error
};

// The letters marked in every row are read only for the outputs that show them.
bool NeedsMarkedLetters(const GradeOptions& options);

ParsedGradeOptions ParseGradeOptions(int argc, const char* const* argv);
std::string GradeUsage();
