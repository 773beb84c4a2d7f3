#pragma once

#include <QList>

class CVantrelDoc;
class QMdiSubWindow;

// The sheet windows as the checking commands see them: which one is active, all
// of them in stacking order, and the sheet each one shows. The main frame provides
// it; the commands minimize and restore the windows themselves.
class SheetWindowStack {
public:
    // Nullptr while no sheet window is active.
    virtual QMdiSubWindow* ActiveSheetWindow() const = 0;
    // The document of the active sheet window; nullptr while there is none.
    virtual CVantrelDoc* ActiveDocument() const = 0;
    // From the top of the stacking order down. Minimized windows come after all
    // the others in the order they were minimized, as on a desktop where
    // minimizing drops a window to the bottom.
    virtual QList<QMdiSubWindow*> StackedSheetWindows() const = 0;
    // Nullptr for a window that shows no sheet.
    virtual CVantrelDoc* DocumentOf(const QMdiSubWindow* window) const = 0;
    virtual void ActivateSheetWindow(QMdiSubWindow* window) = 0;

protected:
    ~SheetWindowStack() = default;
};
