#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CommandId.h"
#include "image/CVantrelDoc.h"
#include "ui_test_support.h"

#include <QImageWriter>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include <cstring>

namespace {

// Records what the person had seen when the main dialog's turn came.
class StartUpProbe : public CVantrelApp {
public:
    void OnShowMainDialog() override
    {
        calls << QString("frame %1, modal %2")
                     .arg(MainFrame()->isVisible() ? "shown" : "hidden",
                         QApplication::activeModalWidget() ? "open" : "none");
    }
    QStringList calls;
};

QString Greyed(const QAction* action)
{
    return action->isEnabled() ? "" : " (greyed)";
}

// The menu titles, or one menu's visible entries with their shortcuts ("-" a separator).
QStringList Menu(const CMainFrame& frame, int position = -1)
{
    QStringList entries;
    const QList<QAction*> bar = frame.menuBar()->actions();
    for (QAction* action : position < 0 ? bar : bar.value(position)->menu()->actions()) {
        if (action->isSeparator())
            entries << "-";
        else if (action->isVisible())
            entries << action->text()
                    + (action->shortcut().isEmpty() ? "" : "\t" + action->shortcut().toString())
                    + Greyed(action);
    }
    return entries;
}

// Typed name and type entry; file written and its first bytes (none: left as it was);
// answer to the question about replacing it (-1: not asked, NoButton: Enter).
struct SaveAs {
    QString typed;
    int entry;
    QString written;
    QByteArray signature;
    int answer;
};

} // namespace

Q_DECLARE_METATYPE(SaveAs)

class FramesTest : public UiTest {
    Q_OBJECT

private:
    QStringList Titles() const
    {
        QStringList titles;
        for (CChildFrame* window : m_app->SheetWindows())
            titles << window->windowTitle();
        return titles;
    }

private slots:
    void startUpShowsTheFrameThenTheAboutBoxThenTheMainDialog()
    {
        StartUpProbe app;
        QStringList about;
        Answer<CAboutDlg>([&](CAboutDlg& box) {
            about << box.windowTitle() << (app.MainFrame()->isVisible() ? "frame shown" : "frame hidden")
                  << QString::number(app.calls.size());
            for (QLabel* label : box.findChildren<QLabel*>())
                about << label->text();
            box.accept();
        });
        QVERIFY(app.InitInstance());
        QCOMPARE(about.mid(0, 3), (QStringList { "About Vantrel", "frame shown", "0" }));
        QVERIFY(about.contains("Vantrel V 1.0 beta"));
        QVERIFY(about.contains("โปรแกรมตรวจข้อสอบปรนัย"));
        QVERIFY(about.contains("โปรดอ่านคู่มือก่อนใช้งาน เพื่อป้องกันความผิดพลาด"));
        QCOMPARE(app.calls, QStringList { "frame shown, modal none" });
        QCOMPARE(app.SheetWindowCount(), 0);
    }

    void theMenusAndTheToolbarFollowTheActiveSheetWindow()
    {
        using namespace CommandId;
        CMainFrame& frame = *m_app->MainFrame();
        const auto toolbar = [&frame] {
            QStringList order;
            for (QAction* action : frame.ToolBar()->actions())
                order << (action->isSeparator() ? "-" : action->objectName() + Greyed(action));
            return order.join(' ');
        };
        QCOMPARE(Menu(frame), (QStringList { "&File", "&View", "&Help" }));
        QCOMPARE(Menu(frame, 0),
            (QStringList { "&New\tCtrl+N (greyed)", "&Open...\tCtrl+O", "-", "Recent File (greyed)", "-",
                "อ่านเฉลยจากกระดาษคำตอบ…", "ตรวจทั้งห้อง…", "เปิดชั้นเรียน…", "ชั้นเรียนล่าสุด (greyed)", "รายชื่อนักเรียน…",
                "ส่งออก Excel…", "รายงาน PDF…", "ใบแจ้งผล PDF…", "-", "&Close (greyed)", "E&xit" }));
        QCOMPARE(toolbar(),
            "57601 57603 (greyed) - 57664 32771 32775 (greyed) 32776 (greyed) 32772 (greyed) 32774 (greyed) "
            "32777 (greyed) 32778 (greyed) - 32779");
        QCOMPARE(frame.windowTitle(), "Vantrel");
        QCOMPARE(frame.statusBar()->currentMessage(), "Ready");
        for (int id : { ShowMainDialog, CheckAllSheets, MeasureSkew, PrepareSheet, CheckActiveSheet })
            QVERIFY(!frame.Action(id)->icon().isNull());

        Open({ "img001.bmp" });
        QCOMPARE(Menu(frame), (QStringList { "&File", "&Edit", "&View", "&Window", "&Help" }));
        QCOMPARE(Menu(frame, 0).mid(0, 6),
            (QStringList { "&New\tCtrl+N (greyed)", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S (greyed)",
                "Save &As...", "-" }));
        QCOMPARE(Menu(frame, 1),
            (QStringList { "&Undo\tCtrl+Z (greyed)", "-", "Cu&t\tCtrl+X (greyed)", "&Copy\tCtrl+C (greyed)",
                "&Paste\tCtrl+V (greyed)" }));
        QCOMPARE(
            Menu(frame, 3).mid(0, 4), (QStringList { "&New Window", "&Cascade", "&Tile", "&Arrange Icons" }));
        QCOMPARE(toolbar(),
            "57601 57603 (greyed) - 57664 32771 32775 32776 32772 (greyed) 32774 32777 32778 - 32779");
        QCOMPARE(frame.windowTitle(), "Vantrel - img001.bmp");

        Trigger(FileClose);
        QCOMPARE(m_app->SheetWindowCount(), 0);
        QCOMPARE(Menu(frame), (QStringList { "&File", "&View", "&Help" }));
    }

    void openRemembersTheTypeEntryThatSaveAsProposes()
    {
        Answer<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        Trigger(CommandId::FileOpen);
        QCOMPARE(m_app->SheetWindowCount(), 0);
        QCOMPARE(m_app->ImageFilterIndex(), 0);

        QStringList filters;
        QString proposed;
        Answer<QFileDialog>([&](QFileDialog& dialog) {
            filters = dialog.nameFilters();
            ChooseFile(Path("img001.bmp"), 3)(dialog);
        });
        Answer<QFileDialog>([&](QFileDialog& dialog) {
            proposed
                = QFileInfo(dialog.selectedFiles().value(0)).fileName() + '|' + dialog.selectedNameFilter();
            dialog.reject();
        });
        Trigger(CommandId::FileOpen);
        Trigger(CommandId::FileSaveAs);
        QCOMPARE(filters.value(0), "ภาพคำตอบ jpg,bmp,tifแบบ24bitเท่านั้น (*.jpg *.tif *.bmp)");
        QVERIFY2(filters.value(1).startsWith("BMP ("), qPrintable(filters.join('|')));
        QCOMPARE(m_app->ImageFilterIndex(), 3);
        QCOMPARE(m_app->SheetWindows().value(0)->windowTitle(), "img001.bmp");
        QVERIFY2(proposed.startsWith("img001.bmp|GIF ("), qPrintable(proposed));
    }

    void theWindowMenuListsActivatesAndArrangesTheSheetWindows()
    {
        Open({ "img001.bmp" });
        CMainFrame& frame = *m_app->MainFrame();
        Trigger(CommandId::WindowNew); // a second window on img001 numbers both titles
        QCOMPARE(Titles(), (QStringList { "img001.bmp:2", "img001.bmp:1" }));
        Trigger(CommandId::FileClose);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Titles(), QStringList { "img001.bmp" });
        QCOMPARE(frame.windowTitle(), "Vantrel - img001.bmp");

        Open({ "img002.bmp" });
        QMenu* window = frame.menuBar()->actions().value(3)->menu();
        emit window->aboutToShow();
        QStringList entries;
        for (QAction* action : window->actions().mid(6))
            entries << action->text() + (action->isChecked() ? " (checked)" : "");
        QCOMPARE(entries, (QStringList { "&1 img001.bmp", "&2 img002.bmp (checked)" }));
        window->actions().value(6)->trigger();
        QCOMPARE(frame.ActiveDocument()->GetTitle(), "img001.bmp");
        // The same file by another spelling activates its window.
        CVantrelDoc* second = m_app->SheetWindows()[1]->Document();
        QCOMPARE(m_app->OpenDocumentFile(Path("bin/../img002.bmp")), second);
        QCOMPARE(frame.ActiveDocument(), second);
        QCOMPARE(m_app->SheetWindowCount(), 2);

        for (CChildFrame* sheet : m_app->SheetWindows())
            sheet->showMinimized();
        m_app->SheetWindows().constFirst()->move(200, 100); // dragged away
        Trigger(CommandId::WindowArrange);
        int right = 0;
        for (QMdiSubWindow* sheet : frame.MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            QCOMPARE(sheet->geometry().bottom() + 1, frame.MdiArea()->viewport()->height());
            QCOMPARE(sheet->x(), right);
            right += sheet->width();
        }
    }

    void saveAsWritesTheChosenTypeAndAsksBeforeReplacing_data()
    {
        QTest::addColumn<SaveAs>("save");
        const QByteArray tiff("II*\0", 4), jpeg("\xFF\xD8\xFF"), kept;
        const int no = QMessageBox::No, yes = QMessageBox::Yes, enter = QMessageBox::NoButton;
        QTest::newRow("BMP entry writes a TIFF") << SaveAs { "result", 1, "result.tif", tiff, -1 };
        QTest::newRow("JPEG") << SaveAs { "result", 2, "result.jpg", jpeg, -1 };
        QTest::newRow("GIF") << SaveAs { "result", 3, "result.gif", "GIF8", -1 };
        QTest::newRow("TIFF") << SaveAs { "result", 4, "result.tif", tiff, -1 };
        QTest::newRow("PNG") << SaveAs { "result", 5, "result.png", "\x89PNG", -1 };
        QTest::newRow("typed extension replaced") << SaveAs { "result.png", 2, "result.jpg", jpeg, -1 };
        QTest::newRow("own scan kept") << SaveAs { "img007", 1, "img007.tif", kept, no };
        QTest::newRow("own scan replaced") << SaveAs { "img007", 1, "img007.tif", tiff, yes };
        QTest::newRow("Enter keeps a file") << SaveAs { "other.jpg", 2, "other.jpg", kept, enter };
        QTest::newRow("other file replaced") << SaveAs { "other", 2, "other.jpg", jpeg, yes };
    }

    void saveAsWritesTheChosenTypeAndAsksBeforeReplacing()
    {
        QFETCH(SaveAs, save);
        const auto& [typed, entry, written, signature, answer] = save;
        QTemporaryDir target;
        const QString scan = target.filePath("img007.tif");
        QImageWriter compressed(scan, "tiff"); // so any rewrite by the program changes its bytes
        compressed.setCompression(1);
        QVERIFY(compressed.write(QImage(Path("img001.bmp"))));
        QVERIFY(QFile::copy(Path("img001.bmp"), target.filePath("other.jpg")));
        const QByteArray before = ReadAll(target.filePath(written));
        QVERIFY(m_app->OpenDocumentFile(scan));
        QStringList filters;
        QString question;
        Answer<QFileDialog>([&](QFileDialog& dialog) {
            filters = dialog.nameFilters();
            ChooseFile(target.filePath(save.typed), save.entry)(dialog);
        });
        if (answer >= 0)
            Answer<QMessageBox>([&](QMessageBox& box) {
                question = box.text();
                if (save.answer == QMessageBox::NoButton)
                    QTest::keyClick(&box, Qt::Key_Return);
                else
                    box.button(QMessageBox::StandardButton(save.answer))->click();
            });
        Trigger(CommandId::FileSaveAs);
        QCOMPARE(filters.size(), 5);
        QVERIFY2(
            filters[0].startsWith("BMP (") && filters[1].startsWith("JPEG ("), qPrintable(filters.join('|')));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), before.isEmpty() ? 3 : 2);
        const QByteArray after = ReadAll(target.filePath(written));
        QCOMPARE(after.left(signature.size()), signature);
        QCOMPARE(after == before, signature.isEmpty());
        QVERIFY2(question.contains(QDir::toNativeSeparators(target.filePath(written))) == (answer >= 0),
            qPrintable(question));
        QCOMPARE(question.contains("ภาพสแกนเดิมจะหายไป"), written == "img007.tif");
        QVERIFY(m_messages.texts.isEmpty());
        QCOMPARE(m_app->MainFrame()->ActiveDocument()->GetTitle(), "img007.tif");
    }

    void aFailedSaveAsNamesTheFileAndTheReason()
    {
        Open({ "img001.bmp" });
        QTemporaryDir vanishing;
        Answer<QFileDialog>(ChooseFile(vanishing.filePath("result"), 2, [&] { vanishing.remove(); }));
        Trigger(CommandId::FileSaveAs);
        const QString written = QDir::toNativeSeparators(vanishing.filePath("result.jpg"));
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts[0].startsWith(QString("บันทึกภาพ %1 ไม่สำเร็จ\n").arg(written)));
        QVERIFY(m_messages.texts[0].contains(QString::fromUtf8(std::strerror(ENOENT))));
    }

    void theRecentFilesSurviveARestartFiveAtMostLosingOneThatCannotOpen()
    {
        QStringList paths; // img006 to img001
        for (int n = 1; n <= 6; ++n) {
            const QString path = Path(QString("img00%1.bmp").arg(n));
            QVERIFY(QFile::exists(path) || QImage(8, 8, QImage::Format_RGB888).save(path, "BMP"));
            paths.prepend(QFileInfo(path).canonicalFilePath());
        }
        Open({ "img001.bmp", "img002.bmp", "img001.bmp" }); // already open: stays where it is
        Restart();
        QCOMPARE(Menu(*m_app->MainFrame(), 0).mid(3, 2),
            (QStringList {
                "&1 " + QDir::toNativeSeparators(paths[4]), "&2 " + QDir::toNativeSeparators(paths[5]) }));
        for (int i = 3; i >= 0; --i)
            QVERIFY(m_app->OpenDocumentFile(paths[i]));
        Restart();
        QCOMPARE(m_app->RecentFiles().Entries(), paths.mid(0, 5));

        QVERIFY(QFile::remove(paths[0]));
        QAction* first = m_app->MainFrame()->findChild<QAction*>(QString::number(CommandId::FileMru1));
        first->trigger();
        QCOMPARE(m_app->SheetWindowCount(), 0);
        const QStringList lines = m_messages.texts.value(0).split('\n');
        QCOMPARE(m_messages.texts.size(), 1);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("เปิดไฟล์ภาพ %1 ไม่ได้").arg(QDir::toNativeSeparators(paths[0])));
        QVERIFY2(!lines[1].isEmpty(), "the reason is given");
        first->trigger(); // now img005, which opens and stays
        QCOMPARE(m_app->SheetWindowCount(), 1);
        Restart();
        QCOMPARE(m_app->RecentFiles().Entries(), paths.mid(1, 4));
    }
};

QTEST_MAIN(FramesTest)
#include "frames_test.moc"
