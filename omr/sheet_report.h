#pragma once

struct EngineState;

// A sheet's counts are handed on once: by its report, or at the end of its walk
// when the walk never reached the key's last counted question.

// Starts a new sheet: its report is still due.
void BeginSheetReport(EngineState& engine);
// Shows the sheet's ID with its correct and wrong counts, hands the counts to the
// score recorder and clears the ID. Does nothing once the sheet has reported.
void ReportSheet(EngineState& engine);
// At the end of a sheet's walk: hands on the counts, without a message, when the
// sheet has not reported them.
void HandOnUnreportedScores(EngineState& engine);
