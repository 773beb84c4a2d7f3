#include "answerkey/CChoice.h"
#include "answerkey/answer_key_store.h"
#include "app/CCautionDlg.h"
#include "app/CInfo.h"
#include "modal_helpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QLineEdit& NumberBox(CInfo& dialog)
{
    return *dialog.findChild<QLineEdit*>(QStringLiteral("lastSheetNumber"));
}

void Type(CInfo& dialog, const QString& text)
{
    NumberBox(dialog).clear();
    QTest::keyClicks(&NumberBox(dialog), text);
}

} // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsAtZeroAndEnterDoesNothing();
    void enterPressesTheFocusedButton();
    void escapeAndCloseBoxCancel_data();
    void escapeAndCloseBoxCancel();
    void badNumberKeepsDialogOpen_data();
    void badNumberKeepsDialogOpen();
    void acceptedPressSetsLastSheetNumber();
    void scannerButtonWithoutUtilityShowsOnlyPrecautions();
    void keyButtonAcceptsKeyAndDialogStaysOpen();

private:
    RecordingMessageBox m_messages;
    std::unique_ptr<ScopedMessageBox> m_binding;
    QTemporaryDir m_emptyFolder;
};

void MainDialogTest::initTestCase()
{
    // No scanner utility and no configured command on this machine.
    QVERIFY(m_emptyFolder.isValid());
    qputenv("PATH", QFile::encodeName(m_emptyFolder.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_emptyFolder.path());
}

void MainDialogTest::init()
{
    g_lastSheetNumber = -1; // not a value the dialog can give: shows whether it was set
    g_enteredKey = {};
    g_committedKey = {};
    m_messages.texts.clear();
    m_binding = std::make_unique<ScopedMessageBox>(m_messages);
}

void MainDialogTest::cleanup()
{
    m_binding.reset();
    QCOMPARE(CancelPendingAnswers(), 0);
    QVERIFY(!QApplication::activeModalWidget());
}

void MainDialogTest::startsAtZeroAndEnterDoesNothing()
{
    CInfo dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Main หน้าหลักของโปรแกรม"));
    AnswerNextModal<CInfo>([this](CInfo& shown) {
        QCOMPARE(NumberBox(shown).text(), QStringLiteral("0"));
        NumberBox(shown).setFocus();
        Type(shown, QStringLiteral("30"));
        QTest::keyClick(shown.focusWidget(), Qt::Key_Return);
        QTest::keyClick(shown.focusWidget(), Qt::Key_Enter);
        QVERIFY(shown.isVisible());
        QVERIFY(m_messages.texts.isEmpty());
        shown.reject();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(g_lastSheetNumber, -1);
}

void MainDialogTest::enterPressesTheFocusedButton()
{
    CInfo dialog;
    AnswerNextModal<CInfo>([](CInfo& shown) {
        Type(shown, QStringLiteral("7"));
        shown.findChild<QPushButton*>(QStringLiteral("openAndReady"))->setFocus();
        QTest::keyClick(shown.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(g_lastSheetNumber, 7);
}

void MainDialogTest::escapeAndCloseBoxCancel_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
    QTest::newRow("cancel button") << "cancel";
}

void MainDialogTest::escapeAndCloseBoxCancel()
{
    QFETCH(QString, way);
    CInfo dialog;
    AnswerNextModal<CInfo>([way](CInfo& shown) {
        Type(shown, QStringLiteral("30"));
        if (way == QLatin1String("escape"))
            QTest::keyClick(&NumberBox(shown), Qt::Key_Escape);
        else if (way == QLatin1String("close"))
            shown.close();
        else
            Click(shown, "cancel");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(g_lastSheetNumber, -1);
}

void MainDialogTest::badNumberKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("Please enter an integer between 0 and 100.");
    const QString integer = QStringLiteral("Please enter an integer.");
    QTest::newRow("101") << "101" << range;
    QTest::newRow("-1") << "-1" << range;
    QTest::newRow("text") << "abc" << integer;
    QTest::newRow("number then text") << "12x" << integer;
    QTest::newRow("empty") << "" << integer;
    QTest::newRow("too big for an int") << "99999999999" << integer;
}

void MainDialogTest::badNumberKeepsDialogOpen()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    CInfo dialog;
    AnswerNextModal<CInfo>([this, text, message](CInfo& shown) {
        Type(shown, text);
        Click(shown, "openAndReady");
        QVERIFY(shown.isVisible());
        QCOMPARE(m_messages.texts, QStringList { message });
        QCOMPARE(NumberBox(shown).selectedText(), NumberBox(shown).text());
        shown.reject();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(g_lastSheetNumber, -1);
}

void MainDialogTest::acceptedPressSetsLastSheetNumber()
{
    CInfo dialog;
    AnswerNextModal<CInfo>([](CInfo& shown) {
        Type(shown, QStringLiteral("500"));
        Click(shown, "openAndReady");
        Type(shown, QStringLiteral(" 100 "));
        Click(shown, "openAndReady");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(g_lastSheetNumber, 100);
    QCOMPARE(m_messages.texts.size(), 1);
}

void MainDialogTest::scannerButtonWithoutUtilityShowsOnlyPrecautions()
{
    const QStringList lines {
        "โปรแกรมนี้จะเรียกใช้โปรแกรม Smart Panel ใช้สแกนกระดาษ",
        "ของยี่ห้อ Epson ที่ถูกติดตั้งไว้ใน drive C:หรือ D:",
        "และต้องตั้งค่าการใช้งานต่างๆตามคู่มือเท่านั้น",
        "หากในกรณีที่ใช้การสแกนจาก scanner ยี่ห้ออื่นๆ ",
        "เช่น HP,Cannon,Fujitsu ฯลฯ จะต้องใช้งานหลังจาก",
        "กระดาษผ่านการสแกนทั้งหมดเรียบร้อยแล้ว",
        " และปรับตั้งค่ากระดาษเป็นพิเศษอีกครั้ง ",
        "เพื่อความถูกต้อง โปรดดูรายละเอียดในคู่มือการใช้งาน",
    };
    int precautionsShown = 0;
    CInfo dialog;
    AnswerNextModal<CInfo>([&](CInfo& shown) {
        for (int press = 0; press < 2; ++press) {
            AnswerNextModal<CCautionDlg>([&](CCautionDlg& caution) {
                ++precautionsShown;
                QCOMPARE(caution.windowTitle(), QStringLiteral("ข้อควรระวัง"));
                QCOMPARE(caution.findChild<QGroupBox*>()->title(), QStringLiteral("ข้อกำหนดของโปรแกรม "));
                QStringList shownLines;
                for (const QLabel* label : caution.findChildren<QLabel*>())
                    shownLines << label->text();
                QCOMPARE(shownLines, lines);
                QTest::keyClick(&caution, Qt::Key_Return); // OK is the default button
            });
            Click(shown, "launchScanner");
            QVERIFY(shown.isVisible());
        }
        shown.reject();
    });
    dialog.exec();
    QCOMPARE(precautionsShown, 2);
    QVERIFY(m_messages.texts.isEmpty());
}

void MainDialogTest::keyButtonAcceptsKeyAndDialogStaysOpen()
{
    CInfo dialog;
    AnswerNextModal<CInfo>([](CInfo& shown) {
        AnswerNextModal<CChoice>([](CChoice& keyDialog) {
            QTest::keyClicks(keyDialog.findChild<QLineEdit*>("answer1"), "d");
            Click(keyDialog, "ok");
        });
        Click(shown, "enterAnswerKey");
        QVERIFY(shown.isVisible());
        QCOMPARE(g_enteredKey.answers[0], std::string("d"));
        QVERIFY(g_committedKey.answers[0].empty()); // committed only when the main dialog is confirmed
        shown.reject();
    });
    dialog.exec();
    QCOMPARE(g_enteredKey.count, 1);
}

QTEST_MAIN(MainDialogTest)
#include "main_dialog_test.moc"
