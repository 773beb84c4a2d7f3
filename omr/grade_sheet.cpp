#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/grading_grid.h"
#include "omr/pixel_rules.h"
#include "omr/question_observer.h"
#include "omr/sheet_check.h"
#include "omr/sheet_report.h"

namespace {

void Tell(const EngineState& engine, int32_t questionNumber, QuestionScore score)
{
    if (engine.services.observer)
        engine.services.observer->QuestionScored(questionNumber, score);
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

SheetCheck SheetImage::GradeSheet(EngineState& engine, const AnswerList& answers, int32_t questionCount)
{
    const std::optional<GradingGrid> grid = LayGradingGridOrRefuse(*this, engine);
    if (!grid)
        return SheetCheck::OutsideImage;
    GradeOnGrid(engine, *grid, answers, questionCount);
    return SheetCheck::Accepted;
}

void SheetImage::GradeOnGrid(
    EngineState& engine, const GradingGrid& grid, const AnswerList& answers, int32_t questionCount)
{
    ConvertTo24Bits();
    engine.g_questionCount = ReportQuestion(answers, questionCount);
    ReadExamineeId(engine, grid.idBands);
    for (int question = 1; question <= kQuestionCount; ++question) {
        const GridBox& row = grid.rows[static_cast<size_t>(question - 1)];
        CheckQuestionRow(engine, row.top, row.bottom, row.left, row.right);
        GradeQuestion(engine, answers[static_cast<size_t>(question - 1)], row.top, row.bottom, row.left,
            row.right, question);
    }
    HandOnUnreportedScores(engine);
}

void SheetImage::GradeQuestion(EngineState& engine, const std::string& answer, float rowTop, float rowBottom,
    float rowLeft, float rowRight, int32_t questionNumber)
{
    if (answer.empty() || answer[0] < 'a' || answer[0] > 'e')
        return;
    const GridBox box = LayAnswerBox({ rowTop, rowBottom, rowLeft, rowRight }, answer[0] - 'a');
    ScoreAnswerBox(engine, box.top, box.bottom, box.left, box.right, questionNumber);
}

void SheetImage::ScoreAnswerBox(
    EngineState& engine, float boxTop, float boxBottom, float boxLeft, float boxRight, int32_t questionNumber)
{
    if (engine.g_rowFlagged) {
        // The row check has painted the row already.
        ++engine.g_tally.errorCount;
        engine.g_rowFlagged = 0;
        Tell(engine, questionNumber, QuestionScore::RowRejected);
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
            ++engine.g_tally.correctCount;
            Tell(engine, questionNumber, QuestionScore::Correct);
        } else {
            ++engine.g_tally.wrongCount;
            for (int r = box.rows.first; r < box.rows.end; ++r) {
                uint8_t* pixel = GetPixelAddress(box.columns.first, r);
                for (int column = box.columns.first; column < box.columns.end;
                     ++column, pixel += bytesPerPixel)
                    if (!IsBlack(pixel))
                        PaintPixel(pixel, kWrongRed);
            }
            Tell(engine, questionNumber, QuestionScore::Wrong);
        }
    }
    if (questionNumber == engine.g_questionCount)
        ReportSheet(engine);
}
