#pragma once

#include "app/CommandActions.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class CChildFrame;
class CCheckingCommands;
class CVantrelDoc;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: sheet windows on an MDI area, the toolbar, the status bar and
// two menus, one while no sheet window is active (128) and one while one is (129).
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    QAction* Action(int commandId) const { return m_commands[commandId]; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // Whether the menu of an active sheet window (129) is shown.
    bool ShowsSheetMenu() const { return m_showsSheetMenu; }

    // Opens a window with a new view of the document and activates it.
    CChildFrame* CreateSheetWindow(std::shared_ptr<CVantrelDoc> document);
    // Sheet windows from the top of the stacking order down; minimized windows
    // come after all the others in the order they were minimized, as on a desktop
    // where minimizing drops a window to the bottom.
    QList<CChildFrame*> SheetWindows() const;
    CChildFrame* ActiveSheetWindow() const;
    CVantrelDoc* ActiveDocument() const;
    void ActivateSheetWindow(CChildFrame* window);

    void SetRecentFiles(const QStringList& paths);

signals:
    void RecentFileChosen(const QString& path);

private:
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    QMenu* CreateViewMenu();
    QMenu* CreateHelpMenu();
    void AddRecentFileActions(QMenu* menu);
    void ConnectFrameCommands();

    void OnSheetWindowChanged();
    void UpdateCommandStates();
    void ShowMenus(bool sheetActive);
    void UpdateWindowList();
    void OnWindowNew();
    void OnArrangeIcons();

    CommandActions m_commands;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;
    QList<QMenu*> m_menusWithoutSheet;
    QList<QMenu*> m_menusWithSheet;
    QMenu* m_windowMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QList<QAction*> m_windowListActions;
    bool m_showsSheetMenu = false;
    std::unique_ptr<CCheckingCommands> m_checkingCommands;
};
