#pragma once

#include "app/CChildFrame.h"
#include "app/CommandActions.h"
#include "results/SheetWindowStack.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class CCheckingCommands;
class CClassExport;
class CReviewWindow;
class CVantrelDoc;
struct SheetReview;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: sheet windows on an MDI area, the toolbar, the status bar and
// two menus, one while no sheet window is active (128) and one while one is (129).
// The checking commands reach the sheet windows through the stack it provides.
class CMainFrame : public QMainWindow, public SheetWindowStack {
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    QAction* Action(int commandId) const { return m_commands[commandId]; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_toolBar; }
    CReviewWindow* ReviewWindow() const { return m_reviewWindow; }

    // Opens a window with a new view of the document and activates it.
    CChildFrame* CreateSheetWindow(std::shared_ptr<CVantrelDoc> document);
    // The sheet windows in the order of StackedSheetWindows.
    QList<CChildFrame*> SheetWindows() const;

    CChildFrame* ActiveSheetWindow() const override;
    CVantrelDoc* ActiveDocument() const override;
    QList<QMdiSubWindow*> StackedSheetWindows() const override;
    CVantrelDoc* DocumentOf(const QMdiSubWindow* window) const override;
    void ActivateSheetWindow(QMdiSubWindow* window) override;

    void SetRecentFiles(const QStringList& paths);
    // The File menu's recent classes: their records, newest first.
    void SetRecentClasses(const QStringList& paths);

signals:
    void RecentFileChosen(const QString& path);
    void RecentClassChosen(const QString& path);

private:
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    QMenu* CreateViewMenu();
    QMenu* CreateHelpMenu();
    void AddRecentFileActions(QMenu* menu);
    void AddClassExportActions(QMenu* menu);
    void ConnectFrameCommands();

    // "img001.tif" for a sheet in one window; "img001.tif:1", "img001.tif:2" ...
    // in the order they were opened, for a sheet in several; " — ตรวจสอบอีกครั้ง"
    // after either while the sheet's reading is doubtful.
    void UpdateSheetWindowTitles();
    void CreateReviewWindow();
    void OnSheetReviewed(CVantrelDoc& document, const SheetReview& review);
    void OnReviewedSheetChosen(CVantrelDoc* document);
    void OnSheetWindowChanged();
    void UpdateCommandStates();
    void ShowMenus(bool sheetActive);
    void UpdateWindowList();
    void OnWindowNew();
    void OnArrangeIcons();

    CommandActions m_commands;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;
    CReviewWindow* m_reviewWindow = nullptr;
    QList<QMenu*> m_menusWithoutSheet;
    QList<QMenu*> m_menusWithSheet;
    QMenu* m_windowMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QMenu* m_recentClasses = nullptr;
    QList<QAction*> m_windowListActions;
    bool m_showsSheetMenu = false;
    std::unique_ptr<CCheckingCommands> m_checkingCommands;
    std::unique_ptr<CClassExport> m_classExport;
};
