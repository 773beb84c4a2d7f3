#include "answerkey/answer_key_store.h"
#include "app/CChildFrame.h"
#include "app/CInfo.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CommandId.h"
#include "image/CVantrelDoc.h"
#include "modal_helpers.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kReadyMessage = QStringLiteral("ผลเฉลย วิชาเคมี พร้อมตรวจแล้ว ");
const QString kChooseFirstMessage
    = QStringLiteral("เลือกเอกสารเริ่มต้นลำดับ\n เช่น img001 จากนั้นเอกสาร\nจะถูกเปิดอัตโนมัติจนถึงจำนวนที่ระบุ");
const QString kAlreadyOpenMessage
    = QStringLiteral("มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสารทั้งหมด\nก่อนการเปิดแบบต่อเนื่อง\t");

// Types the last number into the main dialog and presses "เปิดและพร้อมตรวจ".
void ConfirmMainDialog(int lastNumber)
{
    AnswerNextModal<CInfo>([lastNumber](CInfo& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("lastSheetNumber"))->setText(QString::number(lastNumber));
        Click(dialog, "openAndReady");
    });
}

AnswerList KeyOfOne(const char* answer)
{
    AnswerList answers;
    answers[0] = answer;
    return answers;
}

} // namespace

class MainWorkflowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sequenceOpensFromChosenSheetToLastNumber_data();
    void sequenceOpensFromChosenSheetToLastNumber();
    void missingSheetIsReportedAndSequenceGoesOn();
    void withoutKeyWarnsAndOpensNothing();
    void sheetsAlreadyOpenRefuseButCommitKey_data();
    void sheetsAlreadyOpenRefuseButCommitKey();
    void cancellingChangesNothing();
    void cancelledFileDialogOpensNothing();

private:
    QString Sheet(const QString& name) const { return m_sheets.filePath(name); }
    // Names of the sheet windows in the order they were opened.
    QStringList OpenedNames() const;

    QTemporaryDir m_settings;
    QTemporaryDir m_sheets;
    std::unique_ptr<CVantrelApp> m_app;
    RecordingMessageBox m_messages;
    std::unique_ptr<ScopedMessageBox> m_binding;
};

void MainWorkflowTest::initTestCase()
{
    QVERIFY(m_settings.isValid() && m_sheets.isValid());
    UseSettingsFolder(m_settings.path());
    // img001 to img100 without img045, img001 to img003 as JPEG, and one scan by another name.
    QImage sheet(8, 8, QImage::Format_RGB888);
    sheet.fill(Qt::white);
    for (int n = 1; n <= 100; ++n) {
        if (n != 45)
            QVERIFY(sheet.save(Sheet(QString::asprintf("img%03d.tif", n)), "TIFF"));
        if (n <= 3)
            QVERIFY(sheet.save(Sheet(QString::asprintf("img%03d.jpg", n)), "JPEG"));
    }
    QVERIFY(sheet.save(Sheet(QStringLiteral("scan.jpg")), "JPEG"));
}

void MainWorkflowTest::init()
{
    g_enteredKey = {};
    g_committedKey = {};
    g_keyReady = false;
    g_lastSheetNumber = 0;
    m_app = std::make_unique<CVantrelApp>();
    m_app->CreateMainFrame();
    m_app->MainFrame()->show();
    m_messages.texts.clear();
    m_binding = std::make_unique<ScopedMessageBox>(m_messages);
}

void MainWorkflowTest::cleanup()
{
    m_binding.reset();
    m_app.reset();
    QCOMPARE(CancelPendingAnswers(), 0);
}

QStringList MainWorkflowTest::OpenedNames() const
{
    QStringList names;
    for (CChildFrame* window : m_app->SheetWindows())
        names.prepend(QFileInfo(window->Document()->GetPathName()).fileName());
    return names;
}

void MainWorkflowTest::sequenceOpensFromChosenSheetToLastNumber_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("lastNumber");
    QTest::addColumn<QStringList>("opened");

    QStringList thirty;
    for (int n = 1; n <= 30; ++n)
        thirty << QString::asprintf("img%03d.tif", n);
    QTest::newRow("img001 to 30") << "img001.tif" << 30 << thirty;
    QTest::newRow("img012 to 15") << "img012.tif" << 15
                                  << QStringList { "img012.tif", "img013.tif", "img014.tif", "img015.tif" };
    QTest::newRow("img030 to 30") << "img030.tif" << 30 << QStringList { "img030.tif" };
    QTest::newRow("box left at 0") << "img001.tif" << 0 << QStringList { "img001.tif" };
    QTest::newRow("scan.jpg to 3") << "scan.jpg" << 3
                                   << QStringList { "scan.jpg", "img001.jpg", "img002.jpg", "img003.jpg" };
    QTest::newRow("img098 to 100") << "img098.tif" << 100
                                   << QStringList { "img098.tif", "img099.tif", "img100.tif" };
}

void MainWorkflowTest::sequenceOpensFromChosenSheetToLastNumber()
{
    QFETCH(QString, chosen);
    QFETCH(int, lastNumber);
    QFETCH(QStringList, opened);
    AcceptAnswerKey(KeyOfOne("b"), "วิชาเคมี");
    m_messages.texts.clear();

    ConfirmMainDialog(lastNumber);
    ChooseNextFile(Sheet(chosen));
    m_app->OnShowMainDialog();

    QCOMPARE(m_messages.texts, (QStringList { kReadyMessage, kChooseFirstMessage }));
    QCOMPARE(OpenedNames(), opened);
    QCOMPARE(g_lastSheetNumber, lastNumber);
    QCOMPARE(m_app->ImageFilterIndex(), 1);
    QVERIFY(g_keyReady);
    QCOMPARE(g_committedKey.name, std::string("วิชาเคมี"));
    QCOMPARE(g_committedKey.answers, g_enteredKey.answers);
}

void MainWorkflowTest::missingSheetIsReportedAndSequenceGoesOn()
{
    AcceptAnswerKey(KeyOfOne("a"), "วิชาเคมี");
    m_messages.texts.clear();

    ConfirmMainDialog(47);
    ChooseNextFile(Sheet(QStringLiteral("img043.tif")));
    m_app->OnShowMainDialog();

    QCOMPARE(OpenedNames(), (QStringList { "img043.tif", "img044.tif", "img046.tif", "img047.tif" }));
    QCOMPARE(m_messages.texts.size(), 3);
    QVERIFY(m_messages.texts[2].contains(QStringLiteral("img045.tif")));
}

void MainWorkflowTest::withoutKeyWarnsAndOpensNothing()
{
    AcceptAnswerKey(AnswerList {}, ""); // accepted, but question 1 is empty
    m_messages.texts.clear();

    ConfirmMainDialog(30);
    m_app->OnShowMainDialog();

    QCOMPARE(
        m_messages.texts, QStringList { QStringLiteral("คำเตือน!! ยังไม่มีการใส่เฉลยใดๆ\nโปรดใส่ค่าเฉลยให้ครบก่อน") });
    QCOMPARE(m_app->SheetWindowCount(), 0);
    QVERIFY(g_keyReady); // committed all the same
}

void MainWorkflowTest::sheetsAlreadyOpenRefuseButCommitKey_data()
{
    QTest::addColumn<QString>("firstAnswer");
    QTest::addColumn<QString>("keyMessage");
    QTest::newRow("key ready") << "c" << kReadyMessage;
    QTest::newRow("no key") << "" << QStringLiteral("คำเตือน ยังไม่มีการใส่ค่าเฉลย");
}

void MainWorkflowTest::sheetsAlreadyOpenRefuseButCommitKey()
{
    QFETCH(QString, firstAnswer);
    QFETCH(QString, keyMessage);
    QVERIFY(m_app->OpenDocumentFile(Sheet(QStringLiteral("img005.tif"))));
    AcceptAnswerKey(KeyOfOne(firstAnswer.toLatin1().constData()), "วิชาเคมี");
    m_messages.texts.clear();

    ConfirmMainDialog(30);
    m_app->OnShowMainDialog();

    QCOMPARE(m_messages.texts, (QStringList { kAlreadyOpenMessage, keyMessage }));
    QCOMPARE(OpenedNames(), QStringList { "img005.tif" });
    QVERIFY(g_keyReady);
    QCOMPARE(g_committedKey.answers[0], firstAnswer.toStdString());
}

void MainWorkflowTest::cancellingChangesNothing()
{
    AcceptAnswerKey(KeyOfOne("a"), "วิชาเคมี");
    m_messages.texts.clear();

    AnswerNextModal<CInfo>([](CInfo& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    m_app->MainFrame()->Action(CommandId::ShowMainDialog)->trigger(); // the toolbar's way in

    QVERIFY(m_messages.texts.isEmpty());
    QVERIFY(!g_keyReady);
    QVERIFY(g_committedKey.answers[0].empty());
    QCOMPARE(m_app->SheetWindowCount(), 0);
}

void MainWorkflowTest::cancelledFileDialogOpensNothing()
{
    AcceptAnswerKey(KeyOfOne("a"), "วิชาเคมี");
    m_messages.texts.clear();

    ConfirmMainDialog(3);
    AnswerNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    m_app->OnShowMainDialog();

    QCOMPARE(m_messages.texts, (QStringList { kReadyMessage, kChooseFirstMessage }));
    QCOMPARE(m_app->SheetWindowCount(), 0);
}

QTEST_MAIN(MainWorkflowTest)
#include "main_workflow_test.moc"
