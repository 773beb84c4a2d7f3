#pragma once

// Command ids of the menus, the toolbar and the accelerators.
namespace CommandId {
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FileMru1 = 57616; // up to 57620
constexpr int AppExit = 57665;
constexpr int EditUndo = 57643;
constexpr int EditCut = 57635;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int WindowNew = 57648;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int WindowArrange = 57649;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;
constexpr int AppAbout = 57664;

constexpr int ShowMainDialog = 32771;
constexpr int Unassigned = 32772; // a toolbar button without a handler
constexpr int CheckAllSheets = 32774;
constexpr int MeasureSkew = 32775;
constexpr int PrepareSheet = 32776;
constexpr int CheckActiveSheet = 32777;
constexpr int ToggleSheetWindows = 32778;
constexpr int CheckClass = 32779; // a whole class in one step, in a class window
constexpr int CloseSheetWindows = 32784; // the Window menu: every sheet window, between classes
constexpr int OpenClass = 32785; // a class record, as it was left
constexpr int KeyFromSheet = 32786; // the key marked on an answer sheet becomes the entered key
// The File menu's class exports.
constexpr int ChooseRoster = 32780;
constexpr int ExportWorkbook = 32781;
constexpr int ExportReport = 32782;
constexpr int ExportSlips = 32783;
} // namespace CommandId
