#include "grade_options.h"

#include <charconv>
#include <string_view>

namespace {

bool ParseJobs(std::string_view text, int& jobs)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    return error == std::errc() && end == text.data() + text.size() && jobs >= 1 && jobs <= 256;
}

} // namespace

bool NeedsMarkedLetters(const GradeOptions& options)
{
    return !options.csvFile.empty() || !options.itemsFile.empty() || !options.xlsxFile.empty()
        || !options.reportFile.empty() || !options.slipsFile.empty() || !options.planFile.empty();
}

std::string GradeUsage()
{
    return "Usage: vantrel-grade [--key KEYFILE|--key-sheet SCAN] [options] SHEET...\n"
           "\n"
           "Grades scanned answer sheets against an answer key: one line per sheet on standard\n"
           "output, in the order given; on standard error the messages the desktop program shows,\n"
           "a progress line while a terminal watches, and a one-line summary at the end.\n"
           "Every page of a multi-page PDF or TIFF is a sheet, named FILE#N (N from 1); scans at\n"
           "150-600 dpi, in colour, grey or black and white, are brought to the 100 dpi read.\n"
           "\n"
           "Options:\n"
           "  --key FILE              answer key file (one line per question, letters a-e)\n"
           "  --key-sheet SCAN        instead of --key: an answer sheet with the key marked on it (ID\n"
           "                          00000000 by custom); both readings must agree on every row.\n"
           "                          Named among the sheets too, it is not graded as a student.\n"
           "                          Without either, the first sheet whose ID is 00000000 is the key\n"
           "  --csv FILE              write file,examinee_id,correct,wrong,error,status, the outcome\n"
           "                          of every question (q1..q100: C correct, W wrong, E row rejected)\n"
           "                          and the letters found marked in it (m1..m100)\n"
           "  --csv-excel             start the CSV with a byte order mark, so Excel reads Thai names\n"
           "  --roster FILE           class list (CSV, comma or semicolon: id,name and optionally\n"
           "                          class,number): a name column at the end of the CSV, and a check\n"
           "                          of IDs not on the list, students with no sheet and IDs on two sheets\n"
           "  --items FILE            write the item analysis: question,key,difficulty,discrimination,\n"
           "                          point_biserial, the sheets marking a..e, blank, rejected, flag\n"
           "  --xlsx FILE             write a workbook: Scores (with names and what to review),\n"
           "                          Answers (wrong answers shaded), Items and Summary\n"
           "  --report FILE.pdf       write the class report: summary and score histogram, the item\n"
           "                          table with its bars and flags, the score list\n"
           "  --slips FILE.pdf        write a slip for every student, three to a page: name, ID, score,\n"
           "                          each question's key and the letters read, the ID as marked\n"
           "  --results FILE          write the results file (\"ID  = correct\" lines) of every graded\n"
           "                          sheet\n"
           "                          and the review: review (what to look at: id:3;q12;tilt),\n"
           "                          second_examinee_id,second_correct,second_wrong,second_error\n"
           "                          (a second, independent reading)\n"
           "  --review FILE           write one line per doubtful item of every sheet:\n"
           "                          file,item,first,second,reason (the two readings, and why)\n"
           "  --review-images DIR     save for every doubtful sheet DIR/<name>-review.png: its doubtful\n"
           "                          rows and ID columns cut from the scan at 3x, both readings beside\n"
           "  --annotate DIR          save every graded sheet with what was read painted on it\n"
           "                          (page N of a multi-page file as NAME-pN.FMT); a file of that\n"
           "                          name no earlier run wrote there (those are listed in\n"
           "                          DIR/.vantrel-grade-files) is refused, as for --review-images\n"
           "  --annotate-format FMT   png (default), jpg or tif\n"
           "  --class FILE.vantrel    keep the class in its record: every key, every sheet's readings and\n"
           "                          measures; a sheet already there (same file, page and content) is\n"
           "                          not graded again, so a run cut short completes when run again\n"
           "  --rescore               with --class and --key, and no sheets: score every sheet of the\n"
           "                          record with the key, without opening a scan, and write the outputs\n"
           "  --accept second         where the two readings disagree, take the second: one policy event\n"
           "                          an item, kept in the record with --class (once), so the final\n"
           "                          columns count it as settled\n"
           "  --resolve FILE.csv      apply resolutions made elsewhere, lines file,item,value[,reason]\n"
           "                          (file as the CSV names the sheet, item as q12, id:3 or tilt, value\n"
           "                          the letters, - for a blank row, or a digit); a line naming no sheet,\n"
           "                          an unknown item or a bad value refuses the whole file\n"
           "  --audit FILE.csv        with --class, write every resolution of the record:\n"
           "                          file,item,machine_value,chosen_value,how,user,at,reason\n"
           "  --plan FILE.csv         score with a plan (accepted letters, points, dropped questions,\n"
           "                          sections, a penalty a wrong answer, grade bands): the CSV gains\n"
           "                          points,max_points,percent,grade and section:NAME columns; kept in\n"
           "                          the record with --class, where --rescore without --plan uses it\n"
           "  --jobs N                sheets (pages) graded at once (default: one per core)\n"
           "  --quiet                 leave out the per-sheet messages on standard error\n"
           "  --help                  show this help\n"
           "  --version               show the version\n"
           "\n"
           "No output replaces an input or a scan: an output named among the sheets, the key or\n"
           "the class list, or a file that holds a scan (PDF, TIFF, JPEG, PNG, BMP or GIF, whatever\n"
           "its name), is refused before anything is written; --report and --slips replace only a\n"
           "PDF vantrel-grade made. The key and the class list must be regular files. A sheet file\n"
           "named twice (./img001.jpg and img001.jpg, a link) is graded once, with a note.\n"
           "\n"
           "Exit status: 0 when every sheet was graded, 1 when some could not be or an output file\n"
           "could not be written, 2 on a usage error (nothing is graded then).\n"
           "\n"
           "Examples:\n"
           "  vantrel-grade --key key.txt img*.tif\n"
           "  vantrel-grade --key key.txt --csv scores.csv --results scores.txt scans/*.jpg\n"
           "  vantrel-grade --key key.txt --roster class.csv --xlsx class.xlsx --items items.csv *.tif\n"
           "  vantrel-grade --key key.txt --annotate checked --jobs 2 \"ห้อง 1\"/img*.tif\n"
           "  vantrel-grade --key key.txt --csv class.csv copier-scan.pdf\n"
           "  vantrel-grade --key key.txt --class m3-2.vantrel --csv class.csv scans/*.jpg\n"
           "  vantrel-grade --key fixed-key.txt --class m3-2.vantrel --rescore --csv class.csv\n"
           "  vantrel-grade --key key.txt --class m3-2.vantrel --rescore --plan plan.csv --csv class.csv\n"
           "  vantrel-grade --key key.txt --class m3-2.vantrel --rescore --accept second --resolve fixes.csv "
           "\\\n"
           "      --audit audit.csv --csv class.csv\n";
}

ParsedGradeOptions ParseGradeOptions(int argc, const char* const* argv)
{
    ParsedGradeOptions parsed;
    GradeOptions& options = parsed.options;
    bool onlySheets = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (onlySheets || arg.empty() || arg[0] != '-') {
            options.sheets.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            onlySheets = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.helpRequested = true;
            return parsed;
        }
        if (arg == "--version") {
            parsed.versionRequested = true;
            return parsed;
        }
        if (arg == "--csv-excel") {
            options.csvExcel = true;
            continue;
        }
        if (arg == "--rescore") {
            options.rescore = true;
            continue;
        }
        if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
            continue;
        }
        const bool takesValue = arg == "--key" || arg == "--csv" || arg == "--results" || arg == "--annotate"
            || arg == "--review" || arg == "--review-images" || arg == "--annotate-format" || arg == "--jobs"
            || arg == "--items" || arg == "--roster" || arg == "--xlsx" || arg == "--report"
            || arg == "--slips" || arg == "--class" || arg == "--accept" || arg == "--resolve"
            || arg == "--audit" || arg == "--plan" || arg == "--key-sheet";
        if (!takesValue) {
            parsed.error = "unknown option " + std::string(arg);
            return parsed;
        }
        if (i + 1 >= argc) {
            parsed.error = std::string(arg) + " needs a value";
            return parsed;
        }
        const std::string value = argv[++i];
        if (arg == "--key")
            options.keyFile = value;
        else if (arg == "--key-sheet")
            options.keySheet = value;
        else if (arg == "--csv")
            options.csvFile = value;
        else if (arg == "--results")
            options.resultsFile = value;
        else if (arg == "--review-images")
            options.reviewImagesDir = value;
        else if (arg == "--review")
            options.reviewFile = value;
        else if (arg == "--annotate")
            options.annotateDir = value;
        else if (arg == "--items")
            options.itemsFile = value;
        else if (arg == "--roster")
            options.rosterFile = value;
        else if (arg == "--xlsx")
            options.xlsxFile = value;
        else if (arg == "--report")
            options.reportFile = value;
        else if (arg == "--slips")
            options.slipsFile = value;
        else if (arg == "--class")
            options.classFile = value;
        else if (arg == "--resolve")
            options.resolveFile = value;
        else if (arg == "--audit")
            options.auditFile = value;
        else if (arg == "--plan")
            options.planFile = value;
        else if (arg == "--accept") {
            if (value != "second") {
                parsed.error = "--accept takes only: second";
                return parsed;
            }
            options.acceptSecond = true;
        } else if (arg == "--annotate-format") {
            if (value != "png" && value != "jpg" && value != "tif") {
                parsed.error = "--annotate-format must be png, jpg or tif";
                return parsed;
            }
            options.annotateFormat = value;
        } else if (!ParseJobs(value, options.jobs)) {
            parsed.error = "--jobs needs a whole number from 1 to 256";
            return parsed;
        }
    }
    if (options.csvExcel && options.csvFile.empty())
        parsed.error = "--csv-excel needs --csv FILE";
    else if (options.rescore && options.keyFile.empty() && options.keySheet.empty())
        parsed.error = "--rescore needs --key KEYFILE or --key-sheet SCAN";
    else if (!options.keyFile.empty() && !options.keySheet.empty())
        parsed.error = "give one key: --key KEYFILE or --key-sheet SCAN, not both";
    else if (options.rescore && options.classFile.empty())
        parsed.error = "--rescore needs --class FILE.vantrel";
    else if (!options.auditFile.empty() && options.classFile.empty())
        parsed.error = "--audit lists the resolutions of a class record; it needs --class FILE.vantrel";
    else if (options.rescore && !options.sheets.empty())
        parsed.error = "--rescore scores the sheets of the class record; give no sheets";
    else if (options.rescore
        && !(options.annotateDir.empty() && options.reviewImagesDir.empty() && options.slipsFile.empty()))
        parsed.error
            = "--annotate, --review-images and --slips need the scans; grade them instead of --rescore";
    else if (options.sheets.empty() && !options.rescore)
        parsed.error = "no sheets given";
    return parsed;
}
