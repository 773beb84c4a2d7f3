#include "framework/message_box.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/pixel_rules.h"
#include "omr/question_observer.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"
#include "omr/sheet_report.h"

namespace {

void Tell(int32_t questionNumber, QuestionScore score)
{
    if (QuestionObserver* observer = BoundQuestionObserver())
        observer->QuestionScored(questionNumber, score);
}

// The report comes after the last question with a valid key answer, so that every
// keyed question counts even when the key has gaps (the count alone would stop short).
int32_t ReportQuestion(const AnswerList& answers, int32_t questionCount)
{
    if (questionCount <= 0)
        return questionCount;
    for (int question = kQuestionCount; question >= 1; --question) {
        const std::string& answer = answers[static_cast<size_t>(question - 1)];
        if (!answer.empty() && answer[0] >= 'a' && answer[0] <= 'e')
            return question;
    }
    return questionCount;
}

} // namespace

SheetCheck SheetImage::GradeSheet(const AnswerList& answers, int32_t questionCount)
{
    if (const SheetCheck fits = CheckGradingBounds(); fits != SheetCheck::Accepted) {
        ShowMessage(RefusalMessage(fits));
        return fits;
    }
    ConvertTo24Bits();
    g_questionCount = ReportQuestion(answers, questionCount);
    ReadExamineeId();
    const QuestionRows rows = LayQuestionRows(g_skew);
    for (int question = 1; question <= kQuestionCount; ++question) {
        const GridBox& row = rows[static_cast<size_t>(question - 1)];
        CheckQuestionRow(row.top, row.bottom, row.left, row.right);
        GradeQuestion(
            answers[static_cast<size_t>(question - 1)], row.top, row.bottom, row.left, row.right, question);
    }
    HandOnUnreportedScores();
    return SheetCheck::Accepted;
}

void SheetImage::GradeQuestion(const std::string& answer, float rowTop, float rowBottom, float rowLeft,
    float rowRight, int32_t questionNumber)
{
    if (answer.empty() || answer[0] < 'a' || answer[0] > 'e')
        return;
    const GridBox box = LayAnswerBox({ rowTop, rowBottom, rowLeft, rowRight }, answer[0] - 'a');
    ScoreAnswerBox(box.top, box.bottom, box.left, box.right, questionNumber);
}

void SheetImage::ScoreAnswerBox(
    float boxTop, float boxBottom, float boxLeft, float boxRight, int32_t questionNumber)
{
    if (g_rowFlagged) {
        // The row check has painted the row already.
        ++g_tally.errorCount;
        g_rowFlagged = 0;
        Tell(questionNumber, QuestionScore::RowRejected);
    } else {
        const PixelArea box = ReadablePart(AnswerBoxArea({ boxTop, boxBottom, boxLeft, boxRight }), *this);
        const int bytesPerPixel = GetBitsPerPixel() / 8;
        int black = 0;
        for (int r = box.rows.first; r < box.rows.end; ++r) {
            uint8_t* pixel = GetPixelAddress(box.columns.first, r);
            for (int column = box.columns.first; column < box.columns.end; ++column, pixel += bytesPerPixel) {
                if (IsBlack(pixel))
                    ++black;
                else
                    PaintPixel(pixel, kReadGreen);
            }
        }
        if (black >= kMarkedBoxBlack) {
            ++g_tally.correctCount;
            Tell(questionNumber, QuestionScore::Correct);
        } else {
            ++g_tally.wrongCount;
            for (int r = box.rows.first; r < box.rows.end; ++r) {
                uint8_t* pixel = GetPixelAddress(box.columns.first, r);
                for (int column = box.columns.first; column < box.columns.end;
                     ++column, pixel += bytesPerPixel)
                    if (!IsBlack(pixel))
                        PaintPixel(pixel, kWrongRed);
            }
            Tell(questionNumber, QuestionScore::Wrong);
        }
    }
    if (questionNumber == g_questionCount)
        ReportSheet();
}
