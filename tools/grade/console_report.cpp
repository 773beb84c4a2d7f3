#include "console_report.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A terminal or a pipe is read as the run goes, a line a sheet; a file or /dev/null takes
// the lines in stdio's large writes.
bool StdoutWatched()
{
    struct stat out { };
    return isatty(STDOUT_FILENO) == 1
        || (fstat(STDOUT_FILENO, &out) == 0 && (S_ISFIFO(out.st_mode) || S_ISSOCK(out.st_mode)));
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

ConsoleReport::ConsoleReport(size_t sheetCount, bool quiet)
    : m_sheetCount(sheetCount)
    , m_quiet(quiet)
    , m_progress(isatty(STDERR_FILENO) == 1)
    , m_lineBySheet(StdoutWatched())
{
    ShowProgress();
}

void ConsoleReport::Add(const GradedSheet& sheet)
{
    ClearProgress();
    if (!m_quiet)
        for (const std::string& message : sheet.messages)
            std::fprintf(stderr, "%s: %s\n", sheet.file.c_str(), OneLine(message).c_str());
    // A lost output is never quiet.
    if (!sheet.writeFailure.empty()) {
        ++m_writeFailures;
        std::fprintf(
            stderr, "vantrel-grade: %s: %s\n", sheet.file.c_str(), OneLine(sheet.writeFailure).c_str());
    }

    if (sheet.status == SheetStatus::Refused) {
        ++m_refused;
        std::printf("%s  refused: %s\n", sheet.file.c_str(), sheet.refusal.c_str());
    } else {
        ++(sheet.status == SheetStatus::Reported ? m_reported : m_unreported);
        const bool first = m_reported + m_unreported == 1;
        m_correctSum += sheet.first.counts.correct;
        m_correctMin
            = first ? sheet.first.counts.correct : std::min(m_correctMin, sheet.first.counts.correct);
        m_correctMax
            = first ? sheet.first.counts.correct : std::max(m_correctMax, sheet.first.counts.correct);
        std::printf("%s  ID %08d  correct %d  wrong %d  error %d  %s", sheet.file.c_str(),
            sheet.first.examineeId, sheet.first.counts.correct, sheet.first.counts.wrong,
            sheet.first.counts.errors, StatusName(sheet.status));
        if (sheet.review.IsDoubtful()) {
            ++m_toReview;
            std::printf("  REVIEW %s", sheet.review.List().c_str());
        }
        std::printf("\n");
    }
    if (m_lineBySheet)
        std::fflush(stdout);
    ++m_done;
    ShowProgress();
}

void ConsoleReport::Finish()
{
    ClearProgress();
    const size_t graded = m_reported + m_unreported;
    std::fprintf(stderr, "%zu sheets: %zu graded (%zu reported, %zu unreported), %zu refused", m_sheetCount,
        graded, m_reported, m_unreported, m_refused);
    std::fprintf(stderr, ", %zu to review", m_toReview);
    if (graded > 0)
        std::fprintf(stderr, "; correct: mean %.1f, range %d-%d", static_cast<double>(m_correctSum) / graded,
            m_correctMin, m_correctMax);
    std::fprintf(stderr, "\n");
}

void ConsoleReport::ClearProgress()
{
    if (m_progressShown)
        std::fprintf(stderr, "\r\033[K");
    m_progressShown = false;
}

void ConsoleReport::ShowProgress()
{
    if (!m_progress || m_done >= m_sheetCount)
        return;
    std::fprintf(stderr, "grading %zu/%zu", m_done, m_sheetCount);
    std::fflush(stderr);
    m_progressShown = true;
}
