#include "answerkey/answer_key_store.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "image/CVantrelView.h"
#include "omr/sheet_check.h"
#include "results/CShow.h"
#include "results/results_file.h"
#include "results/results_register.h"
#include "ui_test_support.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString Report(int id, int correct, int wrong)
{
    return QStringLiteral("รหัสผู้ทำ = %1\nจำนวนข้อที่ทำถูก = %2\nจำนวนข้อที่ทำผิด = %3")
        .arg(id)
        .arg(correct)
        .arg(wrong);
}

QString Row(int r)
{
    const SheetResult row = g_resultsRegister.row(r);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QString::fromStdString(row.title))
        .arg(row.examineeId)
        .arg(row.correctCount)
        .arg(row.errorCount);
}

ModalScript::Action PressInResultsDialog(int buttonId)
{
    return [buttonId](QWidget* widget) {
        auto* dialog = qobject_cast<CShow*>(widget);
        if (!dialog)
            return RejectDialog(widget);
        qobject_cast<QPushButton*>(dialog->Control(buttonId))->click();
    };
}

} // namespace

class CheckingCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        UseSettingsFolder(m_folder.filePath(QStringLiteral("settings")));
        QVERIFY(WriteAnswerSheet(m_folder.filePath(QStringLiteral("s1.bmp")), 11111111, true));
        QVERIFY(WriteAnswerSheet(m_folder.filePath(QStringLiteral("s2.bmp")), 22222222, false));
        QVERIFY(WriteAnswerSheet(m_folder.filePath(QStringLiteral("s3.bmp")), 30405060, true));
        QImage blank(850, 1100, QImage::Format_RGB888);
        blank.fill(Qt::white);
        QVERIFY(blank.save(m_folder.filePath(QStringLiteral("blank.bmp")), "BMP"));
    }

    void init()
    {
        g_resultsRegister.reset();
        g_enteredKey = AnswerKey();
        g_enteredKey.answers[0].push_back('a');
        g_enteredKey.count = 1;
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

    void checkAllGradesTheActiveSheetThenEveryOtherFromTheTop()
    {
        OpenSheets({ "s1.bmp", "s2.bmp", "s3.bmp" }); // s3 on top and active
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckAllSheets);
        QVERIFY(script.Finished());
        QCOMPARE(script.unexpected, 0);

        QCOMPARE(m_messages.texts,
            (QStringList { Report(30405060, 1, 0), Report(22222222, 0, 1), Report(11111111, 1, 0) }));
        QCOMPARE(Row(0), QStringLiteral("s3.bmp 30405060 1 0"));
        QCOMPARE(Row(1), QStringLiteral("s2.bmp 22222222 0 0"));
        QCOMPARE(Row(2), QStringLiteral("s1.bmp 11111111 1 0"));
        QCOMPARE(Row(3), QStringLiteral(" 0 0 0"));
        QCOMPARE(WindowStates(), QStringLiteral("s3.bmp active, s2.bmp minimized, s1.bmp minimized"));
    }

    void checkAllWithOneSheetGradesOnlyThatSheet()
    {
        OpenSheets({ "s1.bmp" });
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckAllSheets);
        QCOMPARE(m_messages.texts, QStringList { Report(11111111, 1, 0) });
        QCOMPARE(g_resultsRegister.titleCursor(), 1);
        QCOMPARE(WindowStates(), QStringLiteral("s1.bmp active"));
    }

    void checkAllSkipsARefusedSheetAndGoesOn()
    {
        OpenSheets({ "s1.bmp", "blank.bmp", "s3.bmp" });
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckAllSheets);
        QCOMPARE(m_messages.texts,
            (QStringList { Report(30405060, 1, 0),
                QString::fromStdString(RefusalMessage(SheetCheck::NoRegistrationMark)),
                Report(11111111, 1, 0) }));
        QCOMPARE(Row(0), QStringLiteral("s3.bmp 30405060 1 0"));
        QCOMPARE(Row(1), QStringLiteral("s1.bmp 11111111 1 0"));
        QCOMPARE(g_resultsRegister.titleCursor(), 2);
        QCOMPARE(WindowStates(), QStringLiteral("s3.bmp active, blank.bmp minimized, s1.bmp minimized"));
    }

    void checkActiveGradesTheActiveSheetAndMinimizesTheOneBelow()
    {
        OpenSheets({ "s1.bmp", "s2.bmp", "s3.bmp" });
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckActiveSheet);
        QCOMPARE(m_messages.texts, QStringList { Report(30405060, 1, 0) });
        QCOMPARE(Row(0), QStringLiteral("s3.bmp 30405060 1 0"));
        QCOMPARE(g_resultsRegister.titleCursor(), 1);
        QCOMPARE(WindowStates(), QStringLiteral("s3.bmp active, s1.bmp, s2.bmp minimized"));

        // Again: the next window still open below the active one is s1.
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckActiveSheet);
        QCOMPARE(WindowStates(), QStringLiteral("s3.bmp active, s2.bmp minimized, s1.bmp minimized"));
    }

    void theCheckedSheetIsRedrawnWithTheOverlay()
    {
        OpenSheets({ "s1.bmp" });
        CVantrelView* view = m_app->MainFrame()->ActiveSheetWindow()->View();
        // Question 1's "a" box, beside its mark: white before, green once graded correct.
        const QPoint besideMark(120 + 8, 460 + 132 + 20);
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(besideMark), QColor(Qt::white));
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckActiveSheet);
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(besideMark), QColor(0, 255, 0));
    }

    void leavingTheResultsDialogOtherwiseGradesNothing_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("close, check active") << CShow::kCloseButton << CommandId::CheckActiveSheet << 1;
        QTest::newRow("close, check all") << CShow::kCloseButton << CommandId::CheckAllSheets << 1;
        QTest::newRow("reset, check all") << CShow::kResetButton << CommandId::CheckAllSheets << 0;
    }

    void leavingTheResultsDialogOtherwiseGradesNothing()
    {
        QFETCH(int, button);
        QFETCH(int, command);
        QFETCH(int, rowsLeft);
        g_resultsRegister.recordTitle("earlier.tif");
        g_resultsRegister.recordId(99);
        g_resultsRegister.recordScores(9, 0);
        OpenSheets({ "s1.bmp", "s2.bmp" });
        ModalScript script;
        script.Then(PressInResultsDialog(button));
        Trigger(command);
        QVERIFY(script.Finished());
        QVERIFY(m_messages.texts.isEmpty());
        QCOMPARE(g_resultsRegister.titleCursor(), rowsLeft);
        QCOMPARE(g_resultsRegister.idCursor(), rowsLeft);
        QCOMPARE(WindowStates(), QStringLiteral("s2.bmp active, s1.bmp"));
    }

    void measureSkewReportsTheAngleAndLeavesTheRegister()
    {
        OpenSheets({ "s1.bmp" });
        Trigger(CommandId::MeasureSkew);
        QCOMPARE(m_messages.texts, QStringList { QStringLiteral(" มุมเอียง=0.000000") });
        QCOMPARE(g_resultsRegister.titleCursor(), 0);
        QCOMPARE(g_resultsRegister.idCursor(), 0);
        // The search window's white paper is painted cyan and shown.
        CVantrelView* view = m_app->MainFrame()->ActiveSheetWindow()->View();
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(150, 450), QColor(0, 255, 255));
    }

    void prepareTurnsTheSheetBlackAndWhite()
    {
        const QString path = m_folder.filePath(QStringLiteral("grey.bmp"));
        QImage sheet(850, 1100, QImage::Format_RGB888);
        sheet.fill(QColor(139, 139, 139));
        // Blank paper where the program tells a fresh scan from a measured one.
        for (int y = 400; y < 500; ++y)
            for (int x = 25; x < 170; ++x)
                sheet.setPixelColor(x, y, Qt::white);
        QVERIFY(sheet.save(path, "BMP"));
        QVERIFY(m_app->OpenDocumentFile(path));
        Trigger(CommandId::PrepareSheet);
        CVantrelView* view = m_app->MainFrame()->ActiveSheetWindow()->View();
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(300, 300), QColor(Qt::black));
        QVERIFY(m_messages.texts.isEmpty());
    }

    // A copier's multi-page TIFF: one window per page, and the rows vantrel-grade writes.
    void checkAllOnAMultiPageFileGradesEveryPageAsTheGraderDoes()
    {
        QProcess tool;
        const QString file = m_folder.filePath(QStringLiteral("class.tif"));
        tool.start(QStringLiteral("convert"),
            { m_folder.filePath("s1.bmp"), m_folder.filePath("s2.bmp"), m_folder.filePath("s3.bmp"),
                QStringLiteral("-colorspace"), QStringLiteral("Gray"), file });
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        QVERIFY(m_app->OpenDocumentFile(file));
        QCOMPARE(WindowStates(), QStringLiteral("class.tif#3 active, class.tif#2, class.tif#1"));
        ModalScript script;
        script.Then(PressInResultsDialog(CShow::kCheckButton));
        Trigger(CommandId::CheckAllSheets);
        QCOMPARE(Row(0), QStringLiteral("class.tif#3 30405060 1 0"));
        QCOMPARE(Row(2), QStringLiteral("class.tif#1 11111111 1 0"));

        const QString key = m_folder.filePath(QStringLiteral("key.txt"));
        const QString results = m_folder.filePath(QStringLiteral("results.txt"));
        QFile keyFile(key);
        QVERIFY(keyFile.open(QIODevice::WriteOnly) && keyFile.write("a\n") == 2);
        keyFile.close();
        tool.start(QStringLiteral(VANTREL_GRADE_TOOL), { "--key", key, "--results", results, file });
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        std::string rows;
        for (int r = 2; r >= 0; --r) // the grader goes in page order, the desktop from the top
            rows += FormatResultLine(
                g_resultsRegister.row(r).examineeId, g_resultsRegister.row(r).correctCount);
        QFile written(results);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toStdString(), rows);
    }

    void toggleMinimizesAllThenRestoresAll()
    {
        OpenSheets({ "s1.bmp", "s2.bmp", "s3.bmp" });
        Trigger(CommandId::ToggleSheetWindows);
        QCOMPARE(
            WindowStates(), QStringLiteral("s3.bmp active minimized, s2.bmp minimized, s1.bmp minimized"));
        Trigger(CommandId::ToggleSheetWindows);
        QCOMPARE(WindowStates(), QStringLiteral("s3.bmp active, s2.bmp, s1.bmp"));
    }

private:
    void OpenSheets(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            QVERIFY(m_app->OpenDocumentFile(m_folder.filePath(QString::fromLatin1(name))));
    }

    void Trigger(int command)
    {
        QAction* action = m_app->MainFrame()->Action(command);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    // The sheet windows from the top of the stacking order, with their state.
    QString WindowStates() const
    {
        QStringList states;
        for (CChildFrame* window : m_app->SheetWindows()) {
            QString state = window->windowTitle();
            if (window == m_app->MainFrame()->ActiveSheetWindow())
                state += QStringLiteral(" active");
            if (window->isMinimized())
                state += QStringLiteral(" minimized");
            states << state;
        }
        return states.join(QStringLiteral(", "));
    }

    QTemporaryDir m_folder;
    RecordingMessageBox m_messages;
    std::unique_ptr<CVantrelApp> m_app;
    std::unique_ptr<ScopedMessageBox> m_binding;
};

QTEST_MAIN(CheckingCommandsTest)
#include "checking_commands_test.moc"
