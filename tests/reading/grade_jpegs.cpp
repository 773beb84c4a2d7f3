// Grades JPEG scans as the browser does: the file's bytes decoded and graded by the
// reading library alone, no Qt linked. Prints the CSV the batch grader writes for them.
// Usage: grade_jpegs KEYFILE SCAN.jpg...

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "grading/csv_report.h"
#include "grading/loaded_sheet.h"
#include "image/colour_jpeg.h"
#include "image/half_turn.h"
#include "omr/reading_band.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// One scan as ReadSheetFile grades it for the CSV (the marked letters read): the reading
// band first, the whole page turned when the page as it lies is no sheet.
GradedSheet GradeJpeg(const std::string& path, const AnswerKey& key)
{
    GradedSheet sheet;
    sheet.page.file = path;
    sheet.file = path;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const PixelSpan band = ReadingBand();
    SheetImage image;
    const std::optional<Status> decoded = DecodeJpeg(data, bytes.size(), image, { band.first, band.end });
    if (!decoded || !*decoded) {
        sheet.refusal
            = decoded ? OneLine(path + ": " + decoded->message()) : path + ": not a JPEG this reads";
        return sheet;
    }
    if (GradeLoadedSheet(image, key, false, {}, true, sheet))
        return sheet;
    GradedSheet turned;
    turned.page = sheet.page;
    turned.file = path;
    SheetImage whole;
    if (const std::optional<Status> again = DecodeJpeg(data, bytes.size(), whole); again && *again) {
        TurnHalf(whole);
        if (GradeLoadedSheet(whole, key, true, {}, true, turned))
            return turned;
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: grade_jpegs KEYFILE SCAN.jpg...\n", stderr);
        return 2;
    }
    const Result<AnswerList> answers = ReadAnswerKeyFile(argv[1]);
    if (!answers) {
        std::fprintf(stderr, "%s\n", answers.message().c_str());
        return 1;
    }
    AcceptAnswerKey(*answers, argv[1]);
    std::fputs(CsvHeader().c_str(), stdout);
    for (int i = 2; i < argc; ++i)
        std::fputs(CsvRow(GradeJpeg(argv[i], g_enteredKey)).c_str(), stdout);
    return 0;
}
