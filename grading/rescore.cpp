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

SheetOutcome RescoreSheet(const RecordedSheet& sheet, const AnswerKey& key)
{
    const SheetOutcome& graded = sheet.outcome;
    if (!sheet.measured || graded.status == SheetStatus::Refused)
        return graded;
    SheetOutcome outcome;
    outcome.file = graded.file;
    outcome.examineeId = graded.examineeId;
    outcome.markedLetters = graded.markedLetters;
    outcome.refusal = graded.refusal;

    ReviewMeasures measures = sheet.measures;
    FirstReading first { graded.examineeId, {} };
    for (size_t q = 0; q < kQuestionCount; ++q) {
        QuestionMeasure& measure = measures.questions[q];
        measure.keyLetter = KeyLetterOf(key.answers[q]);
        if (measure.keyLetter < 0)
            continue;
        // As ScoreAnswerBox: a rejected row is an error whatever its boxes hold.
        const QuestionScore score = measure.rowRejected ? QuestionScore::RowRejected
            : measure.boxBlack[static_cast<size_t>(measure.keyLetter)] >= kMarkedBoxBlack
            ? QuestionScore::Correct
            : QuestionScore::Wrong;
        first.scores[q] = outcome.questionScores[q] = score;
        ++(score == QuestionScore::Correct      ? outcome.correct
                : score == QuestionScore::Wrong ? outcome.wrong
                                                : outcome.errors);
    }
    // The report comes at the last keyed question, which the walk over every row
    // always reaches; without a counted key it never comes.
    outcome.status = key.count > 0 ? SheetStatus::Reported : SheetStatus::Unreported;
    const std::string oldReport = ReportText(graded.examineeId, graded.correct, graded.wrong);
    for (const std::string& message : graded.messages)
        outcome.messages.push_back(message == oldReport && outcome.status == SheetStatus::Reported
                ? ReportText(outcome.examineeId, outcome.correct, outcome.wrong)
                : message);
    outcome.review = ReviewSheet(measures, sheet.second, first, key.answers);
    outcome.finalReading = ReadFinally(ReadingsOf(outcome, sheet.second), key.answers, sheet.resolutions);
    return outcome;
}

RecordedSheet GradeAndRecordSheet(const SheetJob& job, const AnswerKey& key)
{
    SheetJob reading = job;
    reading.readMarkedLetters = true;
    return ReadSheetFile(reading, key);
}
