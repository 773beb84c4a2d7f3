#include "app/CommandActions.h"

#include "app/CommandId.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace {

struct CommandText {
    int id;
    const char* menuText; // empty for toolbar-only commands, which then show no tooltip
    const char* prompt; // status-bar prompt
    const char* toolTip;
    const char* icon; // resource path of the toolbar picture
    QList<QKeySequence> shortcuts;
};

QList<CommandText> CommandTexts()
{
    using namespace CommandId;
    return {
        { FileNew, "&New", "Create a new document", "New", nullptr, { QKeySequence(Qt::CTRL | Qt::Key_N) } },
        { FileOpen, "&Open...", "Open an existing document", "Open", ":/icons/open_folder.svg",
            { QKeySequence(Qt::CTRL | Qt::Key_O) } },
        { FileClose, "&Close", "Close the active document", "Close", nullptr, {} },
        { FileSave, "&Save", "Save the active document", "Save", ":/icons/floppy_disk.svg",
            { QKeySequence(Qt::CTRL | Qt::Key_S) } },
        { FileSaveAs, "Save &As...", "Save the active document with a new name", "Save As", nullptr, {} },
        { AppExit, "E&xit", "Quit the application; prompts to save documents", "Exit", nullptr, {} },
        { EditUndo, "&Undo", "Undo the last action", "Undo", nullptr,
            { QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace) } },
        { EditCut, "Cu&t", "Cut the selection and put it on the Clipboard", "Cut", nullptr,
            { QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete) } },
        { EditCopy, "&Copy", "Copy the selection and put it on the Clipboard", "Copy", nullptr,
            { QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert) } },
        { EditPaste, "&Paste", "Insert Clipboard contents", "Paste", nullptr,
            { QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert) } },
        { ViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", nullptr, {} },
        { ViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", nullptr, {} },
        { WindowNew, "&New Window", "Open another window for the active document", "New Window", nullptr,
            {} },
        { WindowCascade, "&Cascade", "Arrange windows so they overlap", "Cascade Windows", nullptr, {} },
        { WindowTile, "&Tile", "Arrange windows as non-overlapping tiles", "Tile Windows", nullptr, {} },
        { WindowArrange, "&Arrange Icons", "Arrange icons at the bottom of the window", "Arrange Icons",
            nullptr, {} },
        { NextPane, "", "Switch to the next window pane", "Next Pane", nullptr,
            { QKeySequence(Qt::Key_F6) } },
        { PrevPane, "", "Switch back to the previous window pane", "Previous Pane", nullptr,
            { QKeySequence(Qt::SHIFT | Qt::Key_F6) } },
        { AppAbout, "&About Vantrel...", "Display program information, version number and copyright", "About",
            ":/icons/about.svg", {} },
        { CheckClass, "ตรวจทั้งห้อง…", "Grade a whole class of scans in one step, in a class window",
            "Check a class", ":/icons/check_class.svg", {} },
        { KeyFromSheet, "อ่านเฉลยจากกระดาษคำตอบ…",
            "Read the key from an answer sheet filled in as the key (ID 00000000)", "Key from a sheet",
            nullptr, {} },
        { OpenClass, "เปิดชั้นเรียน…", "Reopen a class from its record, as it was left", "Open a class", nullptr,
            {} },
        { CloseSheetWindows, "ปิดหน้าต่างภาพทั้งหมด", "Close every sheet window", "Close sheet windows", nullptr,
            {} },
        { ChooseRoster, "รายชื่อนักเรียน…", "Choose the class list that names the students in the exports",
            "Class list", nullptr, {} },
        { ExportWorkbook, "ส่งออก Excel…", "Write the checked sheets as an Excel workbook", "Export Excel",
            nullptr, {} },
        { ExportReport, "รายงาน PDF…", "Write the class report of the checked sheets as a PDF",
            "Class report", nullptr, {} },
        { ExportSlips, "ใบแจ้งผล PDF…", "Write a slip for every checked sheet, to hand back, as a PDF",
            "Slips", nullptr, {} },
        { ShowMainDialog, "", "Show Main Dialog", "", ":/icons/main_dialog.svg", {} },
        { MeasureSkew, "", "", "", ":/icons/measure_skew.svg", {} },
        { PrepareSheet, "", "", "", ":/icons/prepare_sheet.svg", {} },
        { Unassigned, "", "", "", ":/icons/double_chevron.svg", {} },
        { CheckAllSheets, "", "", "", ":/icons/check_all_sheets.svg", {} },
        { CheckActiveSheet, "", "", "", ":/icons/check_active_sheet.svg", {} },
        { ToggleSheetWindows, "", "", "", ":/icons/toggle_sheet_windows.svg", {} },
    };
}

} // namespace

CommandActions::CommandActions(QObject* owner)
{
    for (const CommandText& text : CommandTexts()) {
        auto* action = new QAction(owner);
        action->setObjectName(QString::number(text.id));
        action->setText(QString::fromUtf8(text.menuText));
        action->setStatusTip(QString::fromUtf8(text.prompt));
        action->setToolTip(QString::fromUtf8(text.toolTip));
        if (text.icon)
            action->setIcon(QIcon(QString::fromUtf8(text.icon)));
        action->setShortcuts(text.shortcuts);
        m_actions.insert(text.id, action);
    }
    m_actions[CommandId::ViewToolbar]->setCheckable(true);
    m_actions[CommandId::ViewStatusBar]->setCheckable(true);
}

QAction* CommandActions::operator[](int commandId) const
{
    return m_actions.value(commandId);
}
