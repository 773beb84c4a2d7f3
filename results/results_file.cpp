#include "results/results_file.h"

#include "framework/format.h"

std::string FormatResultLine(int32_t examineeId, int32_t correctCount)
{
    return FormatText("%lu  = %lu ", static_cast<unsigned long>(static_cast<uint32_t>(examineeId)),
               static_cast<unsigned long>(static_cast<uint32_t>(correctCount)))
        + "\r\n";
}

std::string FormatResultsFile(const ResultsRegister& resultsRegister)
{
    std::string text;
    for (int r = 0; r < ResultsRegister::kRows; ++r) {
        const SheetResult result = resultsRegister.row(r);
        if (result.examineeId != 0)
            text += FormatResultLine(result.examineeId, result.correctCount);
    }
    return text;
}

Status WriteResultsFile(const std::string& path, const ResultsRegister& resultsRegister)
{
    return WriteFileSafely(path, FormatResultsFile(resultsRegister));
}
