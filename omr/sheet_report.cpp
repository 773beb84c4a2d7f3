#include "omr/sheet_report.h"

#include "framework/format.h"
#include "omr/engine_state.h"
#include "omr/score_recorder.h"

namespace {

void HandOnScores(EngineState& engine, bool reported)
{
    engine.scoresHandedOn = true;
    const SheetTally& tally = engine.g_tally;
    if (engine.services.recorder)
        engine.services.recorder->RecordScores(
            { tally.correctCount, tally.wrongCount, tally.errorCount, reported });
}

} // namespace

void BeginSheetReport(EngineState& engine)
{
    engine.scoresHandedOn = false;
}

void ReportSheet(EngineState& engine)
{
    if (engine.scoresHandedOn)
        return;
    const SheetTally& tally = engine.g_tally;
    engine.Show(FormatText("รหัสผู้ทำ = %d\nจำนวนข้อที่ทำถูก = %d\nจำนวนข้อที่ทำผิด = %d", tally.examineeId,
        tally.correctCount, tally.wrongCount));
    HandOnScores(engine, true);
    engine.g_tally.examineeId = 0;
}

void HandOnUnreportedScores(EngineState& engine)
{
    if (!engine.scoresHandedOn)
        HandOnScores(engine, false);
}
