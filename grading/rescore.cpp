#include "grading/rescore.h"

#include "framework/format.h"
#include "omr/pixel_rules.h"

namespace {

// The engine's per-sheet report (omr/sheet_report.cpp) for these counts.
std::string ReportText(int32_t id, int32_t correct, int32_t wrong)
{
    return FormatText("รหัสผู้ทำ = %d\nจำนวนข้อที่ทำถูก = %d\nจำนวนข้อที่ทำผิด = %d", id, correct, wrong);
}

} // namespace

GradedSheet RescoreSheet(GradedSheet sheet, const AnswerKey& key)
{
    if (!sheet.measured || sheet.status == SheetStatus::Refused)
        return sheet;
    const std::string oldReport
        = ReportText(sheet.first.examineeId, sheet.first.counts.correct, sheet.first.counts.wrong);
    sheet.writeFailure.clear(); // nothing is written when re-scoring
    FirstReading& first = sheet.first;
    first.scores = {};
    first.counts = {};
    for (size_t q = 0; q < kQuestionCount; ++q) {
        QuestionMeasure& measure = sheet.measures.questions[q];
        measure.keyLetter = KeyLetterOf(key.answers[q]);
        if (measure.keyLetter < 0)
            continue;
        // As ScoreAnswerBox: a rejected row is an error whatever its boxes hold.
        const QuestionScore score = measure.rowRejected ? QuestionScore::RowRejected
            : measure.boxBlack[static_cast<size_t>(measure.keyLetter)] >= kMarkedBoxBlack
            ? QuestionScore::Correct
            : QuestionScore::Wrong;
        first.scores[q] = score;
        ++(score == QuestionScore::Correct      ? first.counts.correct
                : score == QuestionScore::Wrong ? first.counts.wrong
                                                : first.counts.errors);
    }
    // The report comes at the last keyed question, which the walk over every row
    // always reaches; without a counted key it never comes.
    first.counts.reported = key.count > 0;
    sheet.status = first.counts.reported ? SheetStatus::Reported : SheetStatus::Unreported;
    for (std::string& message : sheet.messages)
        if (message == oldReport && first.counts.reported)
            message = ReportText(first.examineeId, first.counts.correct, first.counts.wrong);
    sheet.review = ReviewSheet(sheet.measures, sheet.second, first, key.answers);
    sheet.finalReading = ReadFinally(ReadingsOf(sheet), key.answers, sheet.resolutions);
    return sheet;
}
