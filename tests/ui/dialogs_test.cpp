#include "answerkey/CChoice.h"
#include "answerkey/answer_key_file.h"
#include "app/CCautionDlg.h"
#include "app/ScannerLauncher.h"
#include "ui_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

AnswerList Answers(std::initializer_list<const char*> first)
{
    AnswerList answers;
    size_t i = 0;
    for (const char* answer : first)
        answers[i++] = answer;
    return answers;
}

QLineEdit& Field(QDialog& dialog, int question)
{
    return *dialog.findChild<QLineEdit*>(QString("answer%1").arg(question));
}

QString FieldTexts(QDialog& dialog, int upTo)
{
    QString texts;
    for (int q = 1; q <= upTo; ++q)
        texts += Field(dialog, q).text() + u'|';
    return texts;
}

QString KeyName(QDialog& dialog)
{
    return dialog.findChild<QLineEdit*>("keyName")->text();
}

QLineEdit& NumberBox(QDialog& dialog)
{
    return *dialog.findChild<QLineEdit*>("lastSheetNumber");
}

void Commit(const AnswerList& answers, const std::string& name, QStringList& messages)
{
    AcceptAnswerKey(answers, name);
    CommitAnswerKey();
    messages.clear();
}

} // namespace

class DialogsTest : public UiTest {
    Q_OBJECT

private slots:
    void aLoadedKeyIsTakenOnlyWithOk_data()
    {
        QTest::addColumn<char>("way");
        QTest::addColumn<bool>("taken");
        QTest::newRow("OK button") << 'o' << true;
        QTest::newRow("Enter in a field") << 'e' << true;
        QTest::newRow("Escape") << 'x' << false;
        QTest::newRow("close box") << 'b' << false;
    }

    void aLoadedKeyIsTakenOnlyWithOk()
    {
        QFETCH(char, way);
        QFETCH(bool, taken);
        AnswerList longer;
        longer.fill("d");
        Commit(longer, "old", m_messages.texts); // the file's key replaces it whole
        const QString keyFile = Path("วิชา ก.v2.txt");
        QVERIFY(WriteFileSafely(keyFile.toStdString(), "e\ne\ne\n"));

        Answer<CChoice>([way](CChoice& dialog) {
            QCOMPARE(dialog.windowTitle(), "เฉลยคำตอบ");
            // Typing at once replaces question 1, as in a field reached with Tab.
            QTRY_COMPARE(QApplication::focusWidget(), &Field(dialog, 1));
            QTest::keyClicks(QApplication::focusWidget(), "a");
            QCOMPARE(FieldTexts(dialog, 2), "a|d|");
            QTest::keyClicks(&Field(dialog, 5), "x"); // not taken yet: the load replaces it
            Click(dialog, "loadKey");
            QCOMPARE(FieldTexts(dialog, 5), "e|e|e|||");
            QCOMPARE(KeyName(dialog), "วิชา ก.v2");
            QTest::keyClicks(&Field(dialog, 4), "cd"); // one character a field
            QTest::keyClicks(&Field(dialog, 6), "A"); // taken unchecked, with a warning
            QTest::keyClicks(dialog.findChild<QLineEdit*>("keyName"), "typed");
            if (way == 'o')
                Click(dialog, "ok");
            else if (way == 'e')
                QTest::keyClick(&Field(dialog, 4), Qt::Key_Return);
            else if (way == 'x')
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
        });
        Answer<QFileDialog>(ChooseFile(keyFile));
        EnterAnswerKey(nullptr);

        QCOMPARE(g_enteredKey.answers, taken ? Answers({ "e", "e", "e", "c", "", "A" }) : longer);
        QCOMPARE(g_enteredKey.name, taken ? "วิชา ก.v2" : "old");
        QCOMPARE(g_enteredKey.count, taken ? 4 : kQuestionCount);
        const QStringList messages { "มีการใส่ค่าเฉลยผิดข้อกำหนด\nในข้อที่ 6\nจะทำให้การตรวจผิดพลาดได้",
            "จำนวนข้อที่จะตรวจได้ = 4 ข้อ" };
        QCOMPARE(m_messages.texts, taken ? messages : QStringList());
    }

    void itShowsTheCommittedKeyAgainAfterACancelledOrRefusedLoad()
    {
        Commit(Answers({ "d" }), "kept", m_messages.texts);
        AcceptAnswerKey(Answers({ "a" }), "accepted later");
        m_messages.texts.clear();
        CChoice dialog;
        QCOMPARE(FieldTexts(dialog, 2), "d||");
        QTest::keyClicks(&Field(dialog, 2), "e");
        Answer<QFileDialog>([](QFileDialog& files) { files.reject(); });
        Click(dialog, "loadKey");
        QCOMPARE(FieldTexts(dialog, 2), "d|e|");

        // A scan given as the key is refused with its reason; the held key shows again.
        const QString scan = Path("scan.txt");
        QVERIFY(WriteFileSafely(scan.toStdString(), std::string_view("II*\0", 4)));
        Answer<QFileDialog>(ChooseFile(scan));
        Click(dialog, "loadKey");
        QCOMPARE(FieldTexts(dialog, 2), "d||");
        QCOMPARE(KeyName(dialog), "kept");
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts[0].startsWith(QString("ไม่สามารถเปิดแฟ้ม %1 ได้\n").arg(scan)));
        QVERIFY(m_messages.texts[0].contains(QString("NUL byte")));
    }

    void storeWritesOnlyTheCommittedKeyAndDropsTheTyping()
    {
        AcceptAnswerKey(Answers({ "a", "b", "c" }), "");
        m_messages.texts.clear();
        CChoice dialog;
        Click(dialog, "storeKey"); // not committed yet: no file dialog
        QCOMPARE(m_messages.texts,
            (QStringList { "คำเตือน: จะเก็บค่าเฉลยได้ถูกต้อง\n เมื่อมีผลเฉลยและพร้อมตรวจแล้วเท่านั้น",
                "ทำให้เฉลยพร้อมตรวจได้โดย\nกดปุ่มตกลง และ กดปุ่มพร้อมตรวจ" }));
        CommitAnswerKey();
        m_messages.texts.clear();
        const QString keyFile = Path("ผลเฉลย.txt");
        CChoice committed; // shows the key it opened with
        Field(committed, 1).clear();
        QTest::keyClicks(&Field(committed, 1), "e");
        QTest::keyClicks(&Field(committed, 4), "d");
        Answer<QFileDialog>(ChooseFile(keyFile));
        Click(committed, "storeKey");
        QByteArray expected = "a  \r\nb  \r\nc  \r\n";
        for (int q = 4; q <= kQuestionCount; ++q)
            expected += "  \r\n";
        QCOMPARE(ReadAll(keyFile), expected);
        QCOMPARE(FieldTexts(committed, 4), "a|b|c||");
        QCOMPARE(m_messages.texts.size(), 1); // only the warning that comes first

        // The folder goes away between the dialog and the write.
        auto folder = std::make_unique<QTemporaryDir>();
        const QString lost = folder->filePath("ผลเฉลย.txt");
        Answer<QFileDialog>(ChooseFile(lost, 0, [&folder] { folder.reset(); }));
        Click(committed, "storeKey");
        QCOMPARE(m_messages.texts.size(), 3);
        QVERIFY(m_messages.texts[2].startsWith("จัดเก็บผลเฉลยไม่สำเร็จ\n"));
        QVERIFY(!QFile::exists(lost));
    }

    void theMainDialogTakesAWholeNumberUpTo100OnlyThroughItsOpenButton_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("way"); // click the open button, Enter on it, Escape, close box, cancel
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<int>("result");
        const QString range = "Please enter an integer between 0 and 100.",
                      integer = "Please enter an integer.";
        const int accepted = QDialog::Accepted, rejected = QDialog::Rejected;
        QTest::newRow("101") << "101" << 'c' << range << rejected;
        QTest::newRow("-1") << "-1" << 'c' << range << rejected;
        QTest::newRow("text") << "abc" << 'c' << integer << rejected;
        QTest::newRow("number then text") << "12x" << 'c' << integer << rejected;
        QTest::newRow("empty") << "" << 'c' << integer << rejected;
        QTest::newRow("too big for an int") << "99999999999" << 'c' << integer << rejected;
        QTest::newRow("100 between blanks") << " 100 " << 'c' << QString() << accepted;
        QTest::newRow("0") << "0" << 'c' << QString() << accepted;
        QTest::newRow("Enter on the open button") << "30" << 'e' << QString() << accepted;
        QTest::newRow("Escape") << "30" << 'x' << QString() << rejected;
        QTest::newRow("close box") << "30" << 'b' << QString() << rejected;
        QTest::newRow("cancel button") << "30" << 'n' << QString() << rejected;
    }

    void theMainDialogTakesAWholeNumberUpTo100OnlyThroughItsOpenButton()
    {
        QFETCH(QString, text);
        QFETCH(char, way);
        QFETCH(QString, message);
        QFETCH(int, result);
        CInfo dialog;
        QCOMPARE(dialog.windowTitle(), "Main หน้าหลักของโปรแกรม");
        Answer<CInfo>([&](CInfo& shown) {
            QCOMPARE(NumberBox(shown).text(), "0");
            NumberBox(shown).setFocus();
            NumberBox(shown).setText(text);
            QTest::keyClick(&NumberBox(shown), Qt::Key_Return); // Enter in the box does nothing
            QTest::keyClick(&NumberBox(shown), Qt::Key_Enter);
            QVERIFY(shown.isVisible() && m_messages.texts.isEmpty());
            if (way == 'c') {
                Click(shown, "openAndReady");
            } else if (way == 'e') {
                shown.findChild<QPushButton*>("openAndReady")->setFocus();
                QTest::keyClick(shown.focusWidget(), Qt::Key_Return);
            } else if (way == 'x') {
                QTest::keyClick(&NumberBox(shown), Qt::Key_Escape);
            } else if (way == 'b') {
                shown.close();
            } else {
                Click(shown, "cancel");
            }
            if (message.isEmpty())
                return;
            QVERIFY(shown.isVisible());
            QCOMPARE(m_messages.texts, QStringList { message });
            QCOMPARE(NumberBox(shown).selectedText(), NumberBox(shown).text());
            shown.reject();
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(g_lastSheetNumber, result == QDialog::Accepted ? text.trimmed().toInt() : -1);
    }

    void theScannerButtonWithoutAUtilityShowsThePrecautionsAndTheKeyButtonTheKeyDialog()
    {
        const QStringList lines { "โปรแกรมนี้จะเรียกใช้โปรแกรม Smart Panel ใช้สแกนกระดาษ",
            "ของยี่ห้อ Epson ที่ถูกติดตั้งไว้ใน drive C:หรือ D:", "และต้องตั้งค่าการใช้งานต่างๆตามคู่มือเท่านั้น",
            "หากในกรณีที่ใช้การสแกนจาก scanner ยี่ห้ออื่นๆ ", "เช่น HP,Cannon,Fujitsu ฯลฯ จะต้องใช้งานหลังจาก",
            "กระดาษผ่านการสแกนทั้งหมดเรียบร้อยแล้ว", " และปรับตั้งค่ากระดาษเป็นพิเศษอีกครั้ง ",
            "เพื่อความถูกต้อง โปรดดูรายละเอียดในคู่มือการใช้งาน" };
        CInfo dialog;
        Answer<CInfo>([](CInfo& shown) {
            Click(shown, "launchScanner");
            Click(shown, "launchScanner");
            Click(shown, "enterAnswerKey");
            QVERIFY(shown.isVisible());
            QCOMPARE(g_enteredKey.answers[0], "d");
            QVERIFY(g_committedKey.answers[0].empty()); // committed only when the main dialog is confirmed
            shown.reject();
        });
        for (int press = 0; press < 2; ++press)
            Answer<CCautionDlg>([&lines](CCautionDlg& caution) {
                QCOMPARE(caution.windowTitle(), "ข้อควรระวัง");
                QCOMPARE(caution.findChild<QGroupBox*>()->title(), "ข้อกำหนดของโปรแกรม ");
                QStringList shownLines;
                for (const QLabel* label : caution.findChildren<QLabel*>())
                    shownLines << label->text();
                QCOMPARE(shownLines, lines);
                QTest::keyClick(&caution, Qt::Key_Return); // OK is the default button
            });
        Answer<CChoice>([](CChoice& key) {
            QTest::keyClicks(&Field(key, 1), "d");
            Click(key, "ok");
        });
        dialog.exec();
        QCOMPARE(m_messages.texts, QStringList { "จำนวนข้อที่จะตรวจได้ = 1 ข้อ" });
    }

    void theScannerUtilityStarted_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("configured"); // %1: the PATH folder
        QTest::addColumn<QByteArray>("ran"); // the name and arguments of what ran; empty: nothing
        const QString none;
        QTest::newRow("none installed") << QStringList {} << none << QByteArray();
        QTest::newRow("only the last") << QStringList { "skanlite" } << none << QByteArray("skanlite\n");
        QTest::newRow("second and third")
            << QStringList { "skanlite", "xsane" } << none << QByteArray("xsane\n");
        QTest::newRow("all three") << QStringList { "xsane", "skanlite", "simple-scan" } << none
                                   << QByteArray("simple-scan\n");
        QTest::newRow("blank command") << QStringList { "xsane" } << "   " << QByteArray("xsane\n");
        QTest::newRow("configured command wins")
            << QStringList { "simple-scan", "mine" } << "\"%1/mine\" --device epson \"two words\""
            << QByteArray("mine\n--device\nepson\ntwo words\n");
        QTest::newRow("configured program missing")
            << QStringList { "xsane" } << "%1/nothing" << QByteArray();
    }

    void theScannerUtilityStarted()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, configured);
        QFETCH(QByteArray, ran);
        QDir bin(Path("bin"));
        for (const QString& name : bin.entryList(QDir::Files))
            QVERIFY(bin.remove(name));
        for (const QString& name : installed) { // writes its name and arguments, one a line, to "ran"
            QFile script(bin.filePath(name));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QString("#!/bin/sh\nprintf '%s\\n' %1 \"$@\" > '%2.tmp' && /bin/mv '%2.tmp' '%2'\n")
                             .arg(name, bin.filePath("ran"))
                             .toUtf8());
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        if (!configured.isEmpty())
            QSettings("Vantrel", "Vantrel")
                .setValue(ScannerLauncher::kCommandKey,
                    configured.contains("%1") ? configured.arg(bin.path()) : configured);
        QCOMPARE(ScannerLauncher().Launch(), !ran.isEmpty());
        if (!ran.isEmpty())
            QTRY_COMPARE(ReadAll(bin.filePath("ran")), ran);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
