#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "ui_test_support.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class RecentFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_sheets.isValid());
        for (int i = 1; i <= 6; ++i) {
            const QString path = m_sheets.filePath(QStringLiteral("img00%1.bmp").arg(i));
            QVERIFY(WriteAnswerSheet(path, i, false));
            m_paths << QFileInfo(path).canonicalFilePath();
        }
    }

    void init()
    {
        m_settings = std::make_unique<QTemporaryDir>();
        UseSettingsFolder(m_settings->path());
        m_messages.texts.clear();
    }

    void theListSurvivesARestartNewestFirst()
    {
        {
            Session session(m_messages);
            QVERIFY(session.app.OpenDocumentFile(m_paths[0]));
            QVERIFY(session.app.OpenDocumentFile(m_paths[1]));
            QVERIFY(session.app.OpenDocumentFile(m_paths[0])); // already open: stays where it is
        }
        Session restarted(m_messages);
        QCOMPARE(restarted.app.RecentFiles().Entries(), (QStringList { m_paths[1], m_paths[0] }));
        QCOMPARE(restarted.RecentMenuEntries(),
            (QStringList { "&1 " + QDir::toNativeSeparators(m_paths[1]),
                "&2 " + QDir::toNativeSeparators(m_paths[0]) }));
    }

    void theListKeepsTheFiveNewest()
    {
        {
            Session session(m_messages);
            for (const QString& path : m_paths)
                QVERIFY(session.app.OpenDocumentFile(path));
        }
        Session restarted(m_messages);
        QCOMPARE(restarted.app.RecentFiles().Entries(),
            (QStringList { m_paths[5], m_paths[4], m_paths[3], m_paths[2], m_paths[1] }));
    }

    void anEmptyListShowsTheGreyedPlaceholder()
    {
        Session session(m_messages);
        QCOMPARE(session.RecentMenuEntries(), QStringList { QStringLiteral("Recent File (greyed)") });
    }

    void anEntryThatCanNoLongerBeOpenedLeavesTheList()
    {
        const QString doomed = m_sheets.filePath(QStringLiteral("doomed.bmp"));
        QVERIFY(WriteAnswerSheet(doomed, 7, false));
        const QString doomedPath = QFileInfo(doomed).canonicalFilePath();
        {
            Session session(m_messages);
            QVERIFY(session.app.OpenDocumentFile(m_paths[0]));
            QVERIFY(session.app.OpenDocumentFile(doomedPath));
        }
        QVERIFY(QFile::remove(doomedPath));
        {
            Session session(m_messages);
            QAction* first = session.RecentAction(0);
            QCOMPARE(first->data().toString(), doomedPath);
            first->trigger();
            QCOMPARE(m_messages.texts.size(), 1);
            QCOMPARE(session.app.SheetWindowCount(), 0);
            QCOMPARE(session.app.RecentFiles().Entries(), QStringList { m_paths[0] });

            session.RecentAction(0)->trigger(); // a readable entry opens and stays
            QCOMPARE(session.app.SheetWindowCount(), 1);
        }
        Session restarted(m_messages);
        QCOMPARE(restarted.app.RecentFiles().Entries(), QStringList { m_paths[0] });
    }

private:
    // One run of the program, its messages recorded.
    struct Session {
        explicit Session(RecordingMessageBox& messages)
            : binding(messages)
        {
            app.CreateMainFrame();
        }

        QAction* RecentAction(int index) const
        {
            return app.MainFrame()->findChild<QAction*>(QString::number(CommandId::FileMru1 + index));
        }

        QStringList RecentMenuEntries() const
        {
            QStringList entries;
            QMenu* file = app.MainFrame()->menuBar()->actions().value(0)->menu();
            bool between = false;
            for (QAction* action : file->actions()) {
                if (action->isSeparator()) {
                    if (between)
                        break;
                    between = true;
                } else if (between && action->isVisible()) {
                    entries << action->text()
                            + (action->isEnabled() ? QString() : QStringLiteral(" (greyed)"));
                }
            }
            return entries;
        }

        CVantrelApp app;
        ScopedMessageBox binding;
    };

    QTemporaryDir m_sheets;
    QStringList m_paths;
    std::unique_ptr<QTemporaryDir> m_settings;
    RecordingMessageBox m_messages;
};

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
