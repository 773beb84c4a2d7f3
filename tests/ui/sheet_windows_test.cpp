#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "image/CVantrelDoc.h"
#include "image/CVantrelView.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QImageWriter>
#include <QMdiArea>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

QByteArray FileStart(const QString& path, int size)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(size) : QByteArray();
}

} // namespace

class SheetWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        UseSettingsFolder(m_folder.filePath(QStringLiteral("settings")));
        m_sheet = m_folder.filePath(QStringLiteral("img001.bmp"));
        m_other = m_folder.filePath(QStringLiteral("img002.bmp"));
        QVERIFY(WriteAnswerSheet(m_sheet, 12345678, true));
        QVERIFY(WriteAnswerSheet(m_other, 87654321, false));
        // Compressed, so any rewrite by the program changes its bytes.
        QImageWriter scan(m_folder.filePath(QStringLiteral("img007.tif")), "tiff");
        scan.setCompression(1);
        QVERIFY(scan.write(QImage(m_sheet)));
    }

    void init()
    {
        m_app = std::make_unique<CVantrelApp>();
        m_app->CreateMainFrame();
        m_app->MainFrame()->show();
        m_binding = std::make_unique<ScopedMessageBox>(m_messages);
        m_messages.texts.clear();
    }

    void cleanup()
    {
        m_binding.reset();
        m_app.reset();
    }

    void anOpenedSheetStartsWithAnUnscaledClientAreaAndScrollsOverTheImage()
    {
        CVantrelDoc* document = m_app->OpenDocumentFile(m_sheet);
        QVERIFY(document);
        QCOMPARE(document->GetTitle(), QStringLiteral("img001.bmp"));
        QCOMPARE(m_app->SheetWindowCount(), 1);
        CChildFrame* window = m_app->SheetWindows().constFirst();
        QCOMPARE(window->windowTitle(), QStringLiteral("img001.bmp"));
        QCOMPARE(m_app->MainFrame()->ActiveSheetWindow(), window);

        CVantrelView* view = window->View();
        QCOMPARE(view->maximumViewportSize(), CVantrelView::kInitialClientSize);
        QCOMPARE(view->GetTotalSize(), QSize(850, 1100));
        QCOMPARE(view->horizontalScrollBar()->maximum(), 850 - view->viewport()->width());
        QCOMPARE(view->verticalScrollBar()->maximum(), 1100 - view->viewport()->height());
    }

    void theViewDrawsTheSheetFromItsTopLeftCorner()
    {
        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        CVantrelView* view = m_app->SheetWindows().constFirst()->View();
        QImage shown = view->viewport()->grab().toImage();
        // The left mark's bottom right corner at (120, 460) is black, the paper beside it white.
        QCOMPARE(shown.pixelColor(120, 460), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(121, 460), QColor(Qt::white));

        view->horizontalScrollBar()->setValue(20);
        view->verticalScrollBar()->setValue(50);
        shown = view->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(100, 410), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(100, 411), QColor(Qt::white));
    }

    void openingAnOpenFileAgainActivatesItsWindow()
    {
        CVantrelDoc* first = m_app->OpenDocumentFile(m_sheet);
        QVERIFY(m_app->OpenDocumentFile(m_other));
        const QString sameFileOtherSpelling = m_folder.path() + QStringLiteral("/settings/../img001.bmp");
        QDir().mkpath(m_folder.filePath(QStringLiteral("settings")));
        QCOMPARE(m_app->OpenDocumentFile(sameFileOtherSpelling), first);
        QCOMPARE(m_app->SheetWindowCount(), 2);
        QCOMPARE(m_app->MainFrame()->ActiveDocument(), first);
    }

    void aFileThatCannotBeReadSaysSoAndOpensNoWindow_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not an image") << QByteArray("these are not pixels");
        QTest::newRow("truncated") << FileStart(m_sheet, 2000);
    }

    void aFileThatCannotBeReadSaysSoAndOpensNoWindow()
    {
        QFETCH(QByteArray, content);
        const QString path = m_folder.filePath(QStringLiteral("broken.bmp"));
        QFile::remove(path);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QCOMPARE(m_app->OpenDocumentFile(path), nullptr);
        QCOMPARE(m_app->SheetWindowCount(), 0);
        QCOMPARE(m_messages.texts.size(), 1);
        const QStringList lines = m_messages.texts[0].split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains(QStringLiteral("broken.bmp")), qPrintable(lines[0]));
        QVERIFY2(!lines[1].isEmpty(), "the reason is given");
    }

    void saveAsWritesTheChosenTypeAndAsksBeforeReplacing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("signature"); // empty: the file is left as it was
        QTest::addColumn<int>("answer"); // to the question about replacing; -1: not asked, NoButton: Enter
        const QByteArray tiff("II*\0", 4), jpeg("\xFF\xD8\xFF"), kept;
        QTest::newRow("BMP entry writes a TIFF") << "result" << 1 << "result.tif" << tiff << -1;
        QTest::newRow("JPEG") << "result" << 2 << "result.jpg" << jpeg << -1;
        QTest::newRow("GIF") << "result" << 3 << "result.gif" << QByteArray("GIF8") << -1;
        QTest::newRow("TIFF") << "result" << 4 << "result.tif" << tiff << -1;
        QTest::newRow("PNG") << "result" << 5 << "result.png" << QByteArray("\x89PNG") << -1;
        QTest::newRow("typed extension replaced") << "result.png" << 2 << "result.jpg" << jpeg << -1;
        QTest::newRow("own scan kept") << "img007" << 1 << "img007.tif" << kept << int(QMessageBox::No);
        QTest::newRow("own scan replaced") << "img007" << 1 << "img007.tif" << tiff << int(QMessageBox::Yes);
        QTest::newRow("Enter keeps a file") << "other.jpg" << 2 << "other.jpg" << kept << 0;
        QTest::newRow("other file replaced") << "other" << 2 << "other.jpg" << jpeg << int(QMessageBox::Yes);
    }

    void saveAsWritesTheChosenTypeAndAsksBeforeReplacing()
    {
        QFETCH(int, entry);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, signature);
        QFETCH(int, answer);
        QTemporaryDir target;
        const QString scan = target.filePath(QStringLiteral("img007.tif"));
        QVERIFY(QFile::copy(m_folder.filePath(QStringLiteral("img007.tif")), scan));
        QVERIFY(QFile::copy(m_sheet, target.filePath(QStringLiteral("other.jpg"))));
        const QByteArray before = FileStart(target.filePath(written), 1 << 24);
        QVERIFY(m_app->OpenDocumentFile(scan));
        QStringList filters;
        QString question;
        ModalScript script;
        script.Then([&](QWidget* widget) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget))
                filters = dialog->nameFilters();
            ChooseInFileDialog(target.filePath(typed), entry)(widget);
        });
        if (answer >= 0)
            script.Then([&](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (!box)
                    return RejectDialog(widget);
                question = box->text();
                if (answer == QMessageBox::NoButton)
                    QTest::keyClick(box, Qt::Key_Return);
                else
                    box->button(QMessageBox::StandardButton(answer))->click();
            });
        m_app->MainFrame()->Action(CommandId::FileSaveAs)->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(filters.size(), 5);
        QVERIFY2(
            filters[0].startsWith(QStringLiteral("BMP (")) && filters[1].startsWith(QStringLiteral("JPEG (")),
            qPrintable(filters.join(u'|')));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), before.isEmpty() ? 3 : 2);
        const QByteArray after = FileStart(target.filePath(written), 1 << 24);
        QCOMPARE(after.left(signature.size()), signature);
        QCOMPARE(after == before, signature.isEmpty());
        const QString native = QDir::toNativeSeparators(target.filePath(written));
        QVERIFY2(question.contains(native) == (answer >= 0), qPrintable(question));
        QCOMPARE(
            question.contains(QStringLiteral("ภาพสแกนเดิมจะหายไป")), written == QStringLiteral("img007.tif"));
        QVERIFY(m_messages.texts.isEmpty());
        // The window keeps the opened file's name.
        QCOMPARE(m_app->MainFrame()->ActiveDocument()->GetTitle(), QStringLiteral("img007.tif"));
    }

    void saveAsProposesTheTitleAndTheEntryOfTheLastOpenDialog()
    {
        ModalScript script;
        QString proposedName;
        QString proposedType;
        script.Then(ChooseInFileDialog(m_sheet, 3)).Then([&](QWidget* widget) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
                proposedName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
                proposedType = dialog->selectedNameFilter();
            }
            RejectDialog(widget);
        });
        m_app->OnFileOpen();
        m_app->MainFrame()->Action(CommandId::FileSaveAs)->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(proposedName, QStringLiteral("img001.bmp"));
        QVERIFY2(proposedType.startsWith(QStringLiteral("GIF (")), qPrintable(proposedType));
    }

    void aFailedSaveAsSaysSo()
    {
        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        QTemporaryDir vanishing;
        ModalScript script;
        script.Then(
            ChooseInFileDialog(vanishing.filePath(QStringLiteral("result")), 2, [&] { vanishing.remove(); }));
        m_app->MainFrame()->Action(CommandId::FileSaveAs)->trigger();
        QVERIFY(script.Finished());
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY2(m_messages.texts[0].contains(QStringLiteral("result.jpg")), qPrintable(m_messages.texts[0]));
        QVERIFY(m_messages.texts[0].contains(QString::fromUtf8(std::strerror(ENOENT))));
    }

    void theWorkspaceScrollsToSheetsPastItsEdges()
    {
        QVERIFY(m_app->OpenDocumentFile(m_sheet) && m_app->OpenDocumentFile(m_other));
        QMdiArea* area = m_app->MainFrame()->MdiArea();
        for (QScrollBar* bar : { area->horizontalScrollBar(), area->verticalScrollBar() }) {
            QTRY_VERIFY(bar->isVisible());
            bar->setValue(bar->maximum());
        }
        QRect reach;
        for (CChildFrame* window : m_app->SheetWindows())
            reach |= window->geometry();
        QVERIFY2(area->viewport()->rect().contains(reach.bottomRight()), "the far corner can be scrolled to");
    }

    void aSecondWindowOnASheetNumbersBothTitles()
    {
        QVERIFY(m_app->OpenDocumentFile(m_sheet));
        CMainFrame& frame = *m_app->MainFrame();
        frame.Action(CommandId::WindowNew)->trigger();
        QCOMPARE(m_app->SheetWindowCount(), 2);
        QStringList titles;
        for (CChildFrame* window : m_app->SheetWindows())
            titles << window->windowTitle();
        titles.sort();
        QCOMPARE(titles, (QStringList { "img001.bmp:1", "img001.bmp:2" }));
        QCOMPARE(m_app->SheetWindows()[0]->Document(), m_app->SheetWindows()[1]->Document());

        frame.Action(CommandId::FileClose)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_app->SheetWindowCount(), 1);
        QCOMPARE(m_app->SheetWindows()[0]->windowTitle(), QStringLiteral("img001.bmp"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vantrel - img001.bmp"));
    }

private:
    QTemporaryDir m_folder;
    QString m_sheet;
    QString m_other;
    RecordingMessageBox m_messages;
    std::unique_ptr<CVantrelApp> m_app;
    std::unique_ptr<ScopedMessageBox> m_binding;
};

QTEST_MAIN(SheetWindowsTest)
#include "sheet_windows_test.moc"
