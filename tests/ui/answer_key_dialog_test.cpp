#include "answerkey/CChoice.h"
#include "answerkey/answer_key_file.h"
#include "answerkey/answer_key_store.h"
#include "modal_helpers.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

AnswerList Answers(std::initializer_list<const char*> first)
{
    AnswerList answers;
    size_t i = 0;
    for (const char* answer : first)
        answers[i++] = answer;
    return answers;
}

QLineEdit& Field(CChoice& dialog, int question)
{
    return *dialog.findChild<QLineEdit*>(QStringLiteral("answer%1").arg(question));
}

QString FieldTexts(CChoice& dialog, int upTo)
{
    QString texts;
    for (int q = 1; q <= upTo; ++q)
        texts += Field(dialog, q).text() + u'|';
    return texts;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class AnswerKeyDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunShowsEmptyFieldsAndName();
    void fieldsTakeOneCharacterAndNameIsReadOnly();
    void okAcceptsTypedAnswersUnchecked();
    void enterInAFieldClosesWithOk();
    void escapeOrCloseBoxDiscardsLoadedKey_data();
    void escapeOrCloseBoxDiscardsLoadedKey();
    void opensWithCommittedKeyNotLastAccepted();
    void loadFillsFieldsAndNameFromFileTitle();
    void loadCancelledOrRefusedChangesNothing();
    void storeBeforeCommitWarnsAndOpensNoDialog();
    void storeWritesCommittedKeyAndDropsTyping();
    void storedKeyLoadsBackExactly();
    void failedStoreIsReported();

private:
    void Commit(const AnswerList& answers, const std::string& name);

    RecordingMessageBox m_messages;
    std::unique_ptr<ScopedMessageBox> m_binding;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void AnswerKeyDialogTest::init()
{
    g_enteredKey = {};
    g_committedKey = {};
    g_keyReady = false;
    m_messages.texts.clear();
    m_binding = std::make_unique<ScopedMessageBox>(m_messages);
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void AnswerKeyDialogTest::cleanup()
{
    m_binding.reset();
    QCOMPARE(CancelPendingAnswers(), 0);
    QVERIFY(!QApplication::activeModalWidget());
}

void AnswerKeyDialogTest::Commit(const AnswerList& answers, const std::string& name)
{
    AcceptAnswerKey(answers, name);
    CommitAnswerKey();
    m_messages.texts.clear();
}

void AnswerKeyDialogTest::firstRunShowsEmptyFieldsAndName()
{
    CChoice dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("เฉลยคำตอบ"));
    QCOMPARE(dialog.findChildren<QLineEdit*>(QRegularExpression("^answer\\d+$")).size(), kQuestionCount);
    for (int q = 1; q <= kQuestionCount; ++q)
        QVERIFY(Field(dialog, q).text().isEmpty());
    QVERIFY(dialog.findChild<QLineEdit*>("keyName")->text().isEmpty());
}

void AnswerKeyDialogTest::fieldsTakeOneCharacterAndNameIsReadOnly()
{
    CChoice dialog;
    QTest::keyClicks(&Field(dialog, 37), "cd");
    QCOMPARE(Field(dialog, 37).text(), QStringLiteral("c"));
    auto* name = dialog.findChild<QLineEdit*>("keyName");
    QTest::keyClicks(name, "typed");
    QVERIFY(name->text().isEmpty());
}

void AnswerKeyDialogTest::okAcceptsTypedAnswersUnchecked()
{
    Commit(Answers({ "b" }), "");
    AnswerNextModal<CChoice>([](CChoice& dialog) {
        // Typing at once replaces question 1, as in a field reached with Tab.
        QTRY_COMPARE(QApplication::focusWidget(), &Field(dialog, 1));
        QTest::keyClicks(QApplication::focusWidget(), "a");
        QTest::keyClicks(&Field(dialog, 3), "A");
        QTest::keyClicks(&Field(dialog, 100), "e");
        Click(dialog, "ok");
    });
    EnterAnswerKey(nullptr);

    AnswerList expected = Answers({ "a", "", "A" });
    expected[99] = "e";
    QCOMPARE(g_enteredKey.answers, expected);
    QCOMPARE(g_enteredKey.count, 2);
    const QStringList messages { "มีการใส่ค่าเฉลยผิดข้อกำหนด\nในข้อที่ 3\nจะทำให้การตรวจผิดพลาดได้",
        "จำนวนข้อที่จะตรวจได้ = 2 ข้อ" };
    QCOMPARE(m_messages.texts, messages);
}

void AnswerKeyDialogTest::enterInAFieldClosesWithOk()
{
    AnswerNextModal<CChoice>([](CChoice& dialog) {
        QTest::keyClicks(&Field(dialog, 1), "b");
        QTest::keyClick(&Field(dialog, 1), Qt::Key_Return);
    });
    EnterAnswerKey(nullptr);
    QCOMPARE(g_enteredKey.answers, Answers({ "b" }));
}

void AnswerKeyDialogTest::escapeOrCloseBoxDiscardsLoadedKey_data()
{
    QTest::addColumn<bool>("useEscape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close box") << false;
}

void AnswerKeyDialogTest::escapeOrCloseBoxDiscardsLoadedKey()
{
    QFETCH(bool, useEscape);
    Commit(Answers({ "a", "b" }), "old");
    const QString keyFile = m_folder->filePath("loaded.txt");
    QVERIFY(WriteAnswerKeyFile(keyFile.toStdString(), Answers({ "e", "e", "e" })));

    AnswerNextModal<CChoice>([keyFile, useEscape](CChoice& dialog) {
        ChooseNextFile(keyFile);
        Click(dialog, "loadKey");
        QTest::keyClicks(&Field(dialog, 4), "d");
        if (useEscape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
    });
    EnterAnswerKey(nullptr);

    QCOMPARE(g_enteredKey.answers, Answers({ "a", "b" }));
    QCOMPARE(g_enteredKey.name, std::string("old"));
    QCOMPARE(g_enteredKey.count, 2);
    QVERIFY(m_messages.texts.isEmpty());
}

void AnswerKeyDialogTest::opensWithCommittedKeyNotLastAccepted()
{
    Commit(Answers({ "c", "d" }), "committed");
    AcceptAnswerKey(Answers({ "a" }), "accepted later");

    CChoice dialog;
    QCOMPARE(FieldTexts(dialog, 3), QStringLiteral("c|d||"));
    QCOMPARE(dialog.findChild<QLineEdit*>("keyName")->text(), QStringLiteral("committed"));
}

void AnswerKeyDialogTest::loadFillsFieldsAndNameFromFileTitle()
{
    AnswerList longer;
    longer.fill("d");
    Commit(longer, "longer"); // the file's key replaces it whole
    const QString keyFile = m_folder->filePath("วิชา ก.v2.txt");
    QVERIFY(WriteFileSafely(keyFile.toStdString(), "a\nb\nc\n"));

    AnswerNextModal<CChoice>([keyFile](CChoice& dialog) {
        QTest::keyClicks(&Field(dialog, 5), "x"); // not taken yet: the load replaces it
        ChooseNextFile(keyFile);
        Click(dialog, "loadKey");
        QCOMPARE(FieldTexts(dialog, 5), QStringLiteral("a|b|c|||"));
        QCOMPARE(dialog.findChild<QLineEdit*>("keyName")->text(), QStringLiteral("วิชา ก.v2"));
        Click(dialog, "ok");
    });
    EnterAnswerKey(nullptr);

    QCOMPARE(g_enteredKey.answers, Answers({ "a", "b", "c" }));
    QCOMPARE(g_enteredKey.name, std::string("วิชา ก.v2"));
    QCOMPARE(g_enteredKey.count, 3);
}

void AnswerKeyDialogTest::loadCancelledOrRefusedChangesNothing()
{
    Commit(Answers({ "d" }), "kept");
    CChoice dialog;
    QTest::keyClicks(&Field(dialog, 2), "e");
    AnswerNextModal<QFileDialog>([](QFileDialog& fileDialog) { fileDialog.reject(); });
    Click(dialog, "loadKey");
    QCOMPARE(FieldTexts(dialog, 2), QStringLiteral("d|e|"));

    // A scan given as the key is refused with its reason; the held key shows again.
    const QString scan = m_folder->filePath("scan.txt");
    QVERIFY(WriteFileSafely(scan.toStdString(), std::string_view("II*\0", 4)));
    ChooseNextFile(scan);
    Click(dialog, "loadKey");
    QCOMPARE(FieldTexts(dialog, 2), QStringLiteral("d||"));
    QCOMPARE(dialog.findChild<QLineEdit*>("keyName")->text(), QStringLiteral("kept"));
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(m_messages.texts[0].startsWith(QStringLiteral("ไม่สามารถเปิดแฟ้ม %1 ได้\n").arg(scan)));
    QVERIFY(m_messages.texts[0].contains(QStringLiteral("NUL byte")));
}

void AnswerKeyDialogTest::storeBeforeCommitWarnsAndOpensNoDialog()
{
    AcceptAnswerKey(Answers({ "a" }), "");
    m_messages.texts.clear();
    AnswerNextModal<QFileDialog>([](QFileDialog& fileDialog) { fileDialog.reject(); });

    CChoice dialog;
    Click(dialog, "storeKey");
    QCOMPARE(CancelPendingAnswers(), 1); // the file dialog never came

    const QStringList messages { "คำเตือน: จะเก็บค่าเฉลยได้ถูกต้อง\n เมื่อมีผลเฉลยและพร้อมตรวจแล้วเท่านั้น",
        "ทำให้เฉลยพร้อมตรวจได้โดย\nกดปุ่มตกลง และ กดปุ่มพร้อมตรวจ" };
    QCOMPARE(m_messages.texts, messages);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList());
}

void AnswerKeyDialogTest::storeWritesCommittedKeyAndDropsTyping()
{
    Commit(Answers({ "a", "b", "c" }), "committed");
    const QString keyFile = m_folder->filePath("ผลเฉลย.txt");

    CChoice dialog;
    Field(dialog, 1).clear();
    QTest::keyClicks(&Field(dialog, 1), "e");
    QTest::keyClicks(&Field(dialog, 4), "d");
    ChooseNextFile(keyFile);
    Click(dialog, "storeKey");

    QByteArray expected = "a  \r\nb  \r\nc  \r\n";
    for (int q = 4; q <= kQuestionCount; ++q)
        expected += "  \r\n";
    QCOMPARE(ReadAll(keyFile), expected);
    QCOMPARE(FieldTexts(dialog, 4), QStringLiteral("a|b|c||"));
    QCOMPARE(m_messages.texts.size(), 1); // only the warning that comes first
}

void AnswerKeyDialogTest::storedKeyLoadsBackExactly()
{
    AnswerList key;
    const char letters[] = "abcde";
    for (int q = 0; q < kQuestionCount; ++q)
        key[q] = std::string(1, letters[(q * 7) % 5]);
    key[41].clear();
    key[42] = "Z";
    Commit(key, "full");
    const QString keyFile = m_folder->filePath("round trip.txt");

    AnswerNextModal<CChoice>([keyFile](CChoice& dialog) {
        ChooseNextFile(keyFile);
        Click(dialog, "storeKey");
        for (int q = 1; q <= kQuestionCount; ++q)
            Field(dialog, q).clear();
        ChooseNextFile(keyFile);
        Click(dialog, "loadKey");
        Click(dialog, "ok");
    });
    g_committedKey.name = "something else";
    EnterAnswerKey(nullptr);

    QCOMPARE(g_enteredKey.answers, key);
    QCOMPARE(g_enteredKey.name, std::string("round trip"));
}

void AnswerKeyDialogTest::failedStoreIsReported()
{
    Commit(Answers({ "a" }), "");
    auto folder = std::make_unique<QTemporaryDir>();
    const QString keyFile = folder->filePath("ผลเฉลย.txt");

    CChoice dialog;
    QTest::keyClicks(&Field(dialog, 2), "b");
    // The folder goes away between the dialog and the write.
    ChooseNextFile(keyFile, [&folder] { folder.reset(); });
    Click(dialog, "storeKey");

    QCOMPARE(m_messages.texts.size(), 2);
    QVERIFY(m_messages.texts[1].startsWith(QStringLiteral("จัดเก็บผลเฉลยไม่สำเร็จ\n")));
    QVERIFY(!QFile::exists(keyFile));
    QCOMPARE(FieldTexts(dialog, 2), QStringLiteral("a||"));
}

QTEST_MAIN(AnswerKeyDialogTest)
#include "answer_key_dialog_test.moc"
