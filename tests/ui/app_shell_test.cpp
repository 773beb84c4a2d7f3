#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "image/CVantrelDoc.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// Records what the person had seen when the main dialog's turn came.
class StartUpProbe : public CVantrelApp {
public:
    void OnShowMainDialog() override
    {
        mainDialogCalls << QStringLiteral("frame %1, modal %2")
                               .arg(MainFrame()->isVisible() ? "shown" : "hidden",
                                   QApplication::activeModalWidget() ? "open" : "none");
    }
    QStringList mainDialogCalls;
};

QStringList MenuTitles(const CMainFrame& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    return titles;
}

QStringList MenuEntries(const CMainFrame& frame, int position)
{
    QStringList entries;
    for (QAction* action : frame.menuBar()->actions().value(position)->menu()->actions()) {
        if (action->isSeparator())
            entries << QStringLiteral("-");
        else if (action->isVisible())
            entries << action->text()
                    + (action->shortcut().isEmpty() ? QString() : u'\t' + action->shortcut().toString());
    }
    return entries;
}

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        UseSettingsFolder(m_folder.filePath(QStringLiteral("settings")));
        m_sheet = m_folder.filePath(QStringLiteral("img001.bmp"));
        QVERIFY(WriteAnswerSheet(m_sheet, 12345678, true));
    }

    void init()
    {
        m_app = std::make_unique<CVantrelApp>();
        m_app->CreateMainFrame();
        m_app->MainFrame()->show();
        m_binding = std::make_unique<ScopedMessageBox>(m_messages);
    }

    void cleanup()
    {
        m_binding.reset();
        m_app.reset();
    }

    void startUpShowsTheFrameThenTheAboutBoxThenTheMainDialog()
    {
        cleanup();
        StartUpProbe app;
        QString aboutSeenWith;
        ModalScript script;
        script.Then([&](QWidget* about) {
            aboutSeenWith = QStringLiteral("%1, main dialog calls %2")
                                .arg(app.MainFrame()->isVisible() ? "frame shown" : "frame hidden")
                                .arg(app.mainDialogCalls.size());
            AcceptDialog(about);
        });
        QVERIFY(app.InitInstance());
        QCOMPARE(script.seenTitles, QStringList { QStringLiteral("About Vantrel") });
        QCOMPARE(aboutSeenWith, QStringLiteral("frame shown, main dialog calls 0"));
        QCOMPARE(app.mainDialogCalls, QStringList { QStringLiteral("frame shown, modal none") });
        QCOMPARE(app.SheetWindowCount(), 0);
    }

    void theMenusFollowTheActiveSheetWindow()
    {
        CMainFrame& frame = *m_app->MainFrame();
        QCOMPARE(MenuTitles(frame), (QStringList { "&File", "&View", "&Help" }));
        QCOMPARE(MenuEntries(frame, 0),
            (QStringList { "&New\tCtrl+N", "&Open...\tCtrl+O", "-", "Recent File", "-", "&Close", "E&xit" }));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vantrel"));

        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        QCOMPARE(MenuTitles(frame), (QStringList { "&File", "&Edit", "&View", "&Window", "&Help" }));
        QCOMPARE(MenuEntries(frame, 0).mid(0, 6),
            (QStringList {
                "&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S", "Save &As...", "-" }));
        QCOMPARE(MenuEntries(frame, 1),
            (QStringList { "&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V" }));
        QCOMPARE(MenuEntries(frame, 3).mid(0, 4),
            (QStringList { "&New Window", "&Cascade", "&Tile", "&Arrange Icons" }));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vantrel - img001.bmp"));

        frame.Action(CommandId::FileClose)->trigger();
        QCOMPARE(m_app->SheetWindowCount(), 0);
        QCOMPARE(MenuTitles(frame), (QStringList { "&File", "&View", "&Help" }));
    }

    void commandsWithoutAHandlerAreGreyed_data()
    {
        using namespace CommandId;
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("withoutSheet");
        QTest::addColumn<bool>("withSheet");
        const struct {
            const char* name;
            int id;
            bool withoutSheet;
            bool withSheet;
        } rows[] = {
            { "new", FileNew, false, false },
            { "open", FileOpen, true, true },
            { "close", FileClose, false, true },
            { "save", FileSave, false, false },
            { "save as", FileSaveAs, false, true },
            { "undo", EditUndo, false, false },
            { "paste", EditPaste, false, false },
            { "about", AppAbout, true, true },
            { "main dialog", ShowMainDialog, true, true },
            { "unassigned button", Unassigned, false, false },
            { "check all", CheckAllSheets, false, true },
            { "measure skew", MeasureSkew, false, true },
            { "prepare", PrepareSheet, false, true },
            { "check active", CheckActiveSheet, false, true },
            { "toggle windows", ToggleSheetWindows, false, true },
            { "new window", WindowNew, false, true },
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.id << row.withoutSheet << row.withSheet;
    }

    void commandsWithoutAHandlerAreGreyed()
    {
        QFETCH(int, command);
        QFETCH(bool, withoutSheet);
        QFETCH(bool, withSheet);
        QAction* action = m_app->MainFrame()->Action(command);
        QCOMPARE(action->isEnabled(), withoutSheet);
        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        QCOMPARE(action->isEnabled(), withSheet);
    }

    void theWindowMenuListsAndArrangesTheSheetWindows()
    {
        const QString second = m_folder.filePath(QStringLiteral("img002.bmp"));
        QVERIFY(WriteAnswerSheet(second, 1, false));
        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        QVERIFY(m_app->OpenDocumentFile(second));
        CMainFrame& frame = *m_app->MainFrame();
        QMenu* window = frame.menuBar()->actions().value(3)->menu();
        emit window->aboutToShow();
        QStringList entries;
        for (QAction* action : window->actions().mid(5))
            entries << action->text() + (action->isChecked() ? QStringLiteral(" (checked)") : QString());
        QCOMPARE(entries, (QStringList { "&1 img001.bmp", "&2 img002.bmp (checked)" }));

        window->actions().value(5)->trigger();
        QCOMPARE(frame.ActiveDocument()->GetTitle(), QStringLiteral("img001.bmp"));

        for (CChildFrame* sheet : m_app->SheetWindows())
            sheet->showMinimized();
        m_app->SheetWindows().constFirst()->move(200, 100); // dragged away
        frame.Action(CommandId::WindowArrange)->trigger();
        const int bottom = frame.MdiArea()->viewport()->height();
        int right = 0;
        for (QMdiSubWindow* sheet : frame.MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            QCOMPARE(sheet->geometry().bottom() + 1, bottom);
            QCOMPARE(sheet->x(), right);
            right += sheet->width();
        }
    }

    void theToolbarHoldsTenButtonsInOrderWithTheirTips()
    {
        using namespace CommandId;
        const CMainFrame& frame = *m_app->MainFrame();
        QStringList order;
        for (QAction* action : frame.ToolBar()->actions())
            order << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(order,
            (QStringList { "57601", "57603", "-", "57664", "32771", "32775", "32776", "32772", "32774",
                "32777", "32778" }));

        const auto button = [&](int id) {
            return qobject_cast<QToolButton*>(frame.ToolBar()->widgetForAction(frame.Action(id)));
        };
        QCOMPARE(button(FileOpen)->toolTip(), QStringLiteral("Open"));
        QCOMPARE(frame.Action(FileOpen)->statusTip(), QStringLiteral("Open an existing document"));
        QCOMPARE(frame.Action(FileSaveAs)->statusTip(),
            QStringLiteral("Save the active document with a new name"));
        QCOMPARE(frame.Action(ShowMainDialog)->statusTip(), QStringLiteral("Show Main Dialog"));
        QCOMPARE(button(ShowMainDialog)->toolTip(), QString());
        for (int id :
            { Unassigned, CheckAllSheets, MeasureSkew, PrepareSheet, CheckActiveSheet, ToggleSheetWindows }) {
            QCOMPARE(button(id)->toolTip(), QString());
            QCOMPARE(frame.Action(id)->statusTip(), QString());
            QVERIFY(!frame.Action(id)->icon().isNull());
        }
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
    }

    void theOpenCommandOpensTheChosenSheetAndRemembersTheEntry()
    {
        QStringList filters;
        ModalScript script;
        script.Then([&](QWidget* widget) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget))
                filters = dialog->nameFilters();
            ChooseInFileDialog(m_sheet, 3)(widget);
        });
        m_app->MainFrame()->Action(CommandId::FileOpen)->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(filters.value(0), QStringLiteral("ภาพคำตอบ jpg,bmp,tifแบบ24bitเท่านั้น (*.jpg *.tif *.bmp)"));
        // The image types follow as whole entries.
        QVERIFY2(filters.size() > 1 && filters[1].startsWith(QStringLiteral("BMP (")),
            qPrintable(filters.join(u'|')));
        QCOMPARE(m_app->ImageFilterIndex(), 3);
        QCOMPARE(m_app->SheetWindowCount(), 1);
        QCOMPARE(m_app->SheetWindows().value(0)->windowTitle(), QStringLiteral("img001.bmp"));
    }

    void cancellingTheOpenDialogOpensNothing()
    {
        ModalScript script;
        script.Then(RejectDialog);
        m_app->OnFileOpen();
        QVERIFY(script.Finished());
        QCOMPARE(m_app->SheetWindowCount(), 0);
        QCOMPARE(m_app->ImageFilterIndex(), 0);
    }

    void theAboutBoxShowsTheProgramAndVersion()
    {
        QStringList texts;
        ModalScript script;
        script.Then([&](QWidget* about) {
            for (QLabel* label : about->findChildren<QLabel*>())
                texts << label->text();
            AcceptDialog(about);
        });
        m_app->MainFrame()->Action(CommandId::AppAbout)->trigger();
        QCOMPARE(script.seenTitles, QStringList { QStringLiteral("About Vantrel") });
        QVERIFY(texts.contains(QStringLiteral("Vantrel V 1.0 beta")));
        QVERIFY(texts.contains(QStringLiteral("โปรแกรมตรวจข้อสอบปรนัย")));
        QVERIFY(texts.contains(QStringLiteral("โปรดอ่านคู่มือก่อนใช้งาน เพื่อป้องกันความผิดพลาด")));
    }

private:
    QTemporaryDir m_folder;
    QString m_sheet;
    RecordingMessageBox m_messages;
    std::unique_ptr<CVantrelApp> m_app;
    std::unique_ptr<ScopedMessageBox> m_binding;
};

QTEST_MAIN(AppShellTest)
#include "app_shell_test.moc"
