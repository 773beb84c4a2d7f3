#include "framework/qt/ModalMessageBox.h"
#include "results/CShow.h"
#include "results/results_register.h"
#include "ui_test_support.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString BoxText(const CShow& dialog, int controlId)
{
    auto* box = qobject_cast<QLineEdit*>(dialog.Control(controlId));
    return box ? box->text() : QStringLiteral("<missing %1>").arg(controlId);
}

void RecordSheet(const std::string& title, int32_t id, int32_t correct, int32_t errors)
{
    g_resultsRegister.recordTitle(title);
    g_resultsRegister.recordId(id);
    g_resultsRegister.recordScores(correct, errors);
}

ModalScript::Action Click(int buttonId)
{
    return [buttonId](QWidget* widget) {
        auto* dialog = qobject_cast<CShow*>(widget);
        if (!dialog)
            return RejectDialog(widget);
        qobject_cast<QPushButton*>(dialog->Control(buttonId))->click();
    };
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class ResultsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        g_resultsRegister.reset();
        m_messages.texts.clear();
        QVERIFY(m_folder.isValid());
    }

    void showsTheRegisterAsItWasWhenOpened()
    {
        RecordSheet("img001.tif", 12345678, 37, 1);
        RecordSheet("img002.tif", 5, 40, 0);
        RecordSheet("img003.tif", 87654321, 2, 9);
        const CShow dialog;
        RecordSheet("img004.tif", 44444444, 4, 4); // after opening: not shown

        QCOMPARE(dialog.windowTitle(), QStringLiteral("ผลการตรวจ"));
        const QStringList expected[] = {
            { "img001.tif", "12345678", "37", "1" },
            { "img002.tif", "5", "40", "0" },
            { "img003.tif", "87654321", "2", "9" },
        };
        for (int row = 1; row <= ResultsRegister::kRows; ++row) {
            const QStringList shown
                = { BoxText(dialog, CShow::FileNameBoxId(row)), BoxText(dialog, CShow::IdBoxId(row)),
                      BoxText(dialog, CShow::CorrectBoxId(row)), BoxText(dialog, CShow::ErrorBoxId(row)) };
            const QStringList want = row <= 3 ? expected[row - 1] : QStringList { "", "0", "0", "0" };
            QVERIFY2(shown == want, qPrintable(QStringLiteral("row %1: %2").arg(row).arg(shown.join(u','))));
        }
    }

    void everyBoxHasItsOwnReadOnlyControl()
    {
        const CShow dialog;
        QSet<int> ids;
        for (int row = 1; row <= ResultsRegister::kRows; ++row) {
            for (int id : { CShow::FileNameBoxId(row), CShow::IdBoxId(row), CShow::CorrectBoxId(row),
                     CShow::ErrorBoxId(row) }) {
                auto* box = qobject_cast<QLineEdit*>(dialog.Control(id));
                QVERIFY2(box && box->isReadOnly(), qPrintable(QString::number(id)));
                ids.insert(id);
            }
        }
        QCOMPARE(ids.size(), 120);
    }

    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("check") << CShow::kCheckButton << int(QDialog::Accepted) << QStringLiteral("ตรวจ");
        QTest::newRow("close") << CShow::kCloseButton << int(QDialog::Rejected) << QStringLiteral("ตกลง");
    }

    void buttons()
    {
        QFETCH(int, button);
        QFETCH(int, result);
        QFETCH(QString, text);
        RecordSheet("img001.tif", 11, 1, 0);
        CShow dialog;
        QCOMPARE(qobject_cast<QPushButton*>(dialog.Control(button))->text(), text);
        ModalScript script;
        script.Then(Click(button));
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(g_resultsRegister.row(0).examineeId, 11);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter checks") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("escape closes") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        CShow dialog;
        ModalScript script;
        script.Then([key](QWidget* widget) {
            QTest::keyClick(widget->focusWidget() ? widget->focusWidget() : widget, Qt::Key(key));
        });
        QCOMPARE(dialog.exec(), result);
    }

    void resetEmptiesTheRegisterAndCloses()
    {
        RecordSheet("img001.tif", 12345678, 37, 1);
        RecordSheet("img002.tif", 5, 40, 0);
        CShow dialog;
        ModalScript script;
        script.Then(Click(CShow::kResetButton));
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(BoxText(dialog, CShow::IdBoxId(1)), QStringLiteral("0"));
        QCOMPARE(g_resultsRegister.titleCursor(), 0);
        QCOMPARE(g_resultsRegister.idCursor(), 0);
        QCOMPARE(g_resultsRegister.scoreCursor(), 0);
        QCOMPARE(g_resultsRegister.row(0).title, std::string());
        QCOMPARE(g_resultsRegister.row(1).examineeId, 0);

        const CShow next;
        QCOMPARE(BoxText(next, CShow::FileNameBoxId(1)), QString());
    }

    void storeWritesTheResultsFileAndStaysOpen()
    {
        RecordSheet("img001.tif", 12345678, 37, 1);
        RecordSheet("img002.tif", 0, 12, 0);
        RecordSheet("img003.tif", 5, 40, 0);
        const QString path = m_folder.filePath(QStringLiteral("scores"));
        QStringList filters;
        QString proposed;
        CShow dialog;
        ModalScript script;
        script.Then(Click(CShow::kSaveButton))
            .Then([&](QWidget* widget) {
                if (auto* files = qobject_cast<QFileDialog*>(widget)) {
                    filters = files->nameFilters();
                    proposed = files->selectedFiles().value(0);
                }
                ChooseInFileDialog(path)(widget);
            })
            .Then(Click(CShow::kCheckButton));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(script.Finished());
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(filters, QStringList { QStringLiteral("Document*.txt (*.txt)") });
        QVERIFY2(QFileInfo(proposed).fileName().startsWith(QStringLiteral("ผลคะแนน")), qPrintable(proposed));
        QCOMPARE(ReadFile(path + QStringLiteral(".txt")), QByteArray("12345678  = 37 \r\n5  = 40 \r\n"));
        QVERIFY(m_messages.texts.isEmpty());
    }

    void storeReplacesAnExistingFileAfterAsking()
    {
        RecordSheet("img001.tif", 42, 7, 0);
        const QString path = m_folder.filePath(QStringLiteral("old.txt"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an earlier, longer results file\r\n");
        }
        CShow dialog;
        ModalScript script;
        script.Then(Click(CShow::kSaveButton))
            .Then(ChooseInFileDialog(path))
            .Then([](QWidget* widget) {
                auto* question = qobject_cast<QMessageBox*>(widget);
                if (!question)
                    return RejectDialog(widget);
                question->button(QMessageBox::Yes)->click();
            })
            .Then(Click(CShow::kCloseButton));
        dialog.exec();
        QVERIFY(script.Finished());
        QCOMPARE(ReadFile(path), QByteArray("42  = 7 \r\n"));
    }

    void aFailedStoreSaysSoAndKeepsTheDialogOpen()
    {
        RecordSheet("img001.tif", 42, 7, 0);
        QTemporaryDir vanishing;
        const QString path = vanishing.filePath(QStringLiteral("scores.txt"));
        CShow dialog;
        ModalScript script;
        script.Then(Click(CShow::kSaveButton))
            .Then(ChooseInFileDialog(path, 0, [&vanishing] { vanishing.remove(); }))
            .Then(Click(CShow::kCheckButton));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(script.Finished());
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY2(m_messages.texts[0].startsWith(QStringLiteral("จัดเก็บผลคะแนนไม่สำเร็จ\n")),
            qPrintable(m_messages.texts[0]));
        QVERIFY(!QFile::exists(path));
    }

    void theModalMessageBoxIsCaptionedVantrelWithOneOkButton()
    {
        ModalMessageBox service;
        const ScopedMessageBox binding(service);
        QString title;
        QString text;
        QList<QAbstractButton*> buttons;
        ModalScript script;
        script.Then([&](QWidget* widget) {
            if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                title = box->windowTitle();
                text = box->text();
                buttons = box->buttons();
            }
            AcceptDialog(widget);
        });
        ShowMessage("มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสาร <b>ทั้งหมด</b>\t");
        QCOMPARE(title, QStringLiteral("Vantrel"));
        QCOMPARE(text, QStringLiteral("มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสาร <b>ทั้งหมด</b>\t"));
        QCOMPARE(buttons.size(), 1);
    }

private:
    QTemporaryDir m_folder;
    RecordingMessageBox m_messages;
    ScopedMessageBox m_binding { m_messages };
};

QTEST_MAIN(ResultsDialogTest)
#include "results_dialog_test.moc"
