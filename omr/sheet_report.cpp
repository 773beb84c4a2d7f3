#include "omr/sheet_report.h"

#include "framework/format.h"
#include "framework/message_box.h"
#include "omr/engine_state.h"
#include "omr/score_recorder.h"

namespace {

thread_local bool t_scoresHandedOn = false;

void HandOnScores(bool reported)
{
    t_scoresHandedOn = true;
    if (ScoreRecorder* recorder = BoundScoreRecorder())
        recorder->RecordScores({ g_tally.correctCount, g_tally.wrongCount, g_tally.errorCount, reported });
}

} // namespace

void BeginSheetReport()
{
    t_scoresHandedOn = false;
}

void ReportSheet()
{
    if (t_scoresHandedOn)
        return;
    ShowMessage(FormatText("รหัสผู้ทำ = %d\nจำนวนข้อที่ทำถูก = %d\nจำนวนข้อที่ทำผิด = %d", g_tally.examineeId,
        g_tally.correctCount, g_tally.wrongCount));
    HandOnScores(true);
    g_tally.examineeId = 0;
}

void HandOnUnreportedScores()
{
    if (!t_scoresHandedOn)
        HandOnScores(false);
}
