#include "grading/sheet_recorder.h"

void SheetRecorder::RecordScores(const SheetScores& scores)
{
    m_outcome.correct = scores.correct;
    m_outcome.wrong = scores.wrong;
    m_outcome.errors = scores.errors;
    m_outcome.status = scores.reported ? SheetStatus::Reported : SheetStatus::Unreported;
}

void SheetRecorder::QuestionScored(int32_t questionNumber, QuestionScore score)
{
    if (questionNumber >= 1 && questionNumber <= kQuestionCount)
        m_outcome.questionScores[static_cast<size_t>(questionNumber - 1)] = score;
}
