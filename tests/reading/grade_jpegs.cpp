// Grades JPEG scans as the browser does: the file's bytes decoded and graded by the
// reading library alone, no Qt linked. Prints the CSV the batch grader writes for them.
// Usage: grade_jpegs KEYFILE SCAN.jpg...

#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "grading/csv_report.h"
#include "grading/scan_bytes.h"

#include <cstdio>
#include <fstream>
#include <iterator>

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
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fputs(CsvRow(GradeScanBytes(argv[i], bytes, g_enteredKey)).c_str(), stdout);
    }
    return 0;
}
