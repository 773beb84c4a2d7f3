#pragma once

#include "framework/message_box.h"
#include "grading/sheet_outcome.h"
#include "omr/question_observer.h"
#include "omr/score_recorder.h"

// Collects what the engine shows and hands over for one sheet into its outcome,
// instead of message boxes and the desktop's register.
class SheetRecorder : public MessageBoxService, public ScoreRecorder, public QuestionObserver {
public:
    explicit SheetRecorder(SheetOutcome& outcome)
        : m_outcome(outcome)
    {
    }

    void Show(const std::string& text) override { m_outcome.messages.push_back(text); }
    void RecordId(int32_t examineeId) override { m_outcome.examineeId = examineeId; }
    void RecordScores(const SheetScores& scores) override;
    void QuestionScored(int32_t questionNumber, QuestionScore score) override;

private:
    SheetOutcome& m_outcome;
};
