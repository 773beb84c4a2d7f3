#pragma once

#include "grading/graded_sheet.h"
#include "omr/engine_state.h"

#include <QString>

#include <functional>
#include <vector>

class CVantrelDoc;
class QMdiSubWindow;
class QWidget;
class SheetWindowStack;
struct SheetReview;

// The toolbar commands that run the recognition engine on the open sheets: check
// the active sheet, check every sheet, measure the skew, prepare the sheet, and
// minimize or restore all sheet windows. Each works while a sheet window is active.
class CCheckingCommands {
public:
    // Told of every accepted sheet's review, after its check and before the next.
    using ReviewHandler = std::function<void(CVantrelDoc& document, const SheetReview& review)>;

    explicit CCheckingCommands(SheetWindowStack& windows);
    void SetReviewHandler(ReviewHandler handler) { m_reviewed = std::move(handler); }

    // After "ตรวจ" in the results dialog: grades the active sheet, then minimizes
    // the window below it.
    void OnCheckActiveSheet();
    // After "ตรวจ": grades the active sheet, then every other sheet once from the
    // top of the stacking order down, minimizing each at its turn.
    void OnCheckAllSheets();
    void OnMeasureSkew();
    void OnPrepareSheet();
    // Minimizes all sheet windows, or restores them all if this command
    // minimized them last.
    void OnToggleSheetWindows();

    // Every sheet accepted since the program started, in the order first checked; a
    // sheet checked again keeps its place with the newer reading. For the exports; the
    // ID areas, for the slips, are cut from the scans only when asked for.
    const std::vector<GradedSheet>& CheckedSheets(bool idAreas);

private:
    // Shows the results dialog over the parent; true when the person pressed "ตรวจ".
    bool ConfirmInResultsDialog(QWidget* parent);
    // A sheet the engine refuses has shown why and leaves the register untouched.
    void CheckDocument(CVantrelDoc& document);
    // Minimizing a window activates it; the active one is given back its place.
    void MinimizeKeepingActive(QMdiSubWindow* window, QMdiSubWindow* active);
    // Where a kept sheet's ID area is to be cut from: its scan and how it lay.
    struct SheetOrigin {
        QString path;
        int page = 0;
        SkewMeasurement skew;
    };
    void KeepCheckedSheet(GradedSheet sheet, SheetOrigin origin);

    SheetWindowStack& m_windows;
    // The desktop's one engine state: its records live as long as the program, its
    // counts go to the results register and its texts to the program's message box.
    EngineState m_engine;
    bool m_sheetWindowsMinimized = false;
    ReviewHandler m_reviewed;
    std::vector<GradedSheet> m_checkedSheets;
    std::vector<SheetOrigin> m_origins; // one a checked sheet
};
