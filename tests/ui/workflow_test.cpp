#include "app/CChildFrame.h"
#include "app/CommandId.h"
#include "image/CVantrelDoc.h"
#include "ui_test_support.h"

namespace {

const QString kReady("ผลเฉลย วิชาเคมี พร้อมตรวจแล้ว ");
const QString kChooseFirst("เลือกเอกสารเริ่มต้นลำดับ\n เช่น img001 จากนั้นเอกสาร\nจะถูกเปิดอัตโนมัติจนถึงจำนวนที่ระบุ");
const QString kAlreadyOpen("มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสารทั้งหมด\nก่อนการเปิดแบบต่อเนื่อง\t");

// Question 1 of the key, img005.tif open before, last number typed (-1: cancelled), sheet
// chosen (empty: cancelled); messages (one ending in a line break: its start), sheets open.
struct Run {
    QString key;
    bool sheetOpen;
    int lastNumber;
    QString chosen;
    QStringList messages;
    QStringList opened;
};

} // namespace

Q_DECLARE_METATYPE(Run)

// The main dialog's sequence opening, on img001 to img100 (TIFF, without img045),
// img001 to img003 (JPEG), scan.jpg and a few odd names.
class WorkflowTest : public UiTest {
    Q_OBJECT

private slots:
    void theMainDialogCommitsTheKeyAndOpensTheSequence_data()
    {
        QTest::addColumn<Run>("run");
        const QStringList usual { kReady, kChooseFirst }, none, five { "img005.tif" };
        QStringList thirty;
        for (int n = 1; n <= 30; ++n)
            thirty << QString::asprintf("img%03d.tif", n);
        QTest::newRow("img001 to 30") << Run { "b", false, 30, "img001.tif", usual, thirty };
        QTest::newRow("img012 to 15") << Run { "b", false, 15, "img012.tif", usual,
            { "img012.tif", "img013.tif", "img014.tif", "img015.tif" } };
        QTest::newRow("img030 to 30") << Run { "b", false, 30, "img030.tif", usual, { "img030.tif" } };
        QTest::newRow("box left at 0") << Run { "b", false, 0, "img001.tif", usual, { "img001.tif" } };
        QTest::newRow("scan.jpg to 3") << Run { "b", false, 3, "scan.jpg", usual,
            { "scan.jpg", "img001.jpg", "img002.jpg", "img003.jpg" } };
        QTest::newRow("img098 to 100")
            << Run { "b", false, 100, "img098.tif", usual, { "img098.tif", "img099.tif", "img100.tif" } };
        QTest::newRow("img045 missing")
            << Run { "b", false, 47, "img043.tif", usual + QStringList { "เปิดไฟล์ภาพ %1 ไม่ได้\n" },
                   { "img043.tif", "img044.tif", "img046.tif", "img047.tif" } };
        // The start number is read from the three characters after the first three.
        QTest::newRow("start above the last")
            << Run { "b", false, 30, "img040.tif", usual, { "img040.tif" } };
        QTest::newRow("negative start, box at 0")
            << Run { "b", false, 0, "img-05.tif", usual, { "img-05.tif" } };
        QTest::newRow("digits beyond the field")
            << Run { "b", false, 13, "img0123.tif", usual, { "img0123.tif", "img013.tif" } };
        QTest::newRow("leading blanks")
            << Run { "b", false, 8, "img  7.tif", usual, { "img  7.tif", "img008.tif" } };
        QTest::newRow("plus sign") << Run { "b", false, 13, "img+12.tif", usual,
            { "img+12.tif", "img013.tif" } };
        QTest::newRow("Thai prefix") << Run { "b", false, 6, "ภาพ005.tif", usual,
            { "ภาพ005.tif", "img006.tif" } };
        QTest::newRow("file dialog cancelled") << Run { "b", false, 3, "", usual, none };
        QTest::newRow("no key") << Run { "", false, 30, "", { kNoAnswerKeyWarning }, none };
        QTest::newRow("sheet open, key ready") << Run { "c", true, 30, "", { kAlreadyOpen, kReady }, five };
        QTest::newRow("sheet open, no key")
            << Run { "", true, 30, "", { kAlreadyOpen, "คำเตือน ยังไม่มีการใส่ค่าเฉลย" }, five };
        QTest::newRow("main dialog cancelled") << Run { "b", false, -1, "", none, none };
    }

    void theMainDialogCommitsTheKeyAndOpensTheSequence()
    {
        QFETCH(Run, run);
        const auto& [key, sheetOpen, lastNumber, chosen, messages, opened] = run;
        if (sheetOpen)
            QVERIFY(m_app->OpenDocumentFile(Sheets("img005.tif")));
        AnswerList answers;
        answers[0] = key.toStdString();
        AcceptAnswerKey(answers, "วิชาเคมี");
        m_messages.texts.clear();
        Answer<CInfo>([typed = lastNumber](CInfo& dialog) {
            dialog.findChild<QLineEdit*>("lastSheetNumber")->setText(QString::number(typed));
            if (typed < 0)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                Click(dialog, "openAndReady");
        });
        if (lastNumber >= 0 && !key.isEmpty() && !sheetOpen) {
            if (chosen.isEmpty())
                Answer<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
            else
                Answer<QFileDialog>(ChooseFile(Sheets(chosen)));
        }
        Trigger(CommandId::ShowMainDialog); // the toolbar's way in

        QCOMPARE(m_messages.texts.size(), messages.size());
        for (int i = 0; i < messages.size(); ++i) {
            const QString expected
                = messages[i].contains("%1") ? messages[i].arg(Sheets("img045.tif")) : messages[i];
            const QString& shown = m_messages.texts[i];
            QVERIFY2(shown == expected || (expected.endsWith('\n') && shown.startsWith(expected)),
                qPrintable(shown));
        }
        QStringList names;
        for (CChildFrame* window : m_app->SheetWindows())
            names.prepend(QFileInfo(window->Document()->GetPathName()).fileName());
        QCOMPARE(names, opened);
        QCOMPARE(g_lastSheetNumber, lastNumber);
        QCOMPARE(m_app->ImageFilterIndex(), chosen.isEmpty() ? 0 : 1);
        QCOMPARE(g_keyReady, lastNumber >= 0);
        QCOMPARE(g_committedKey.answers[0], lastNumber >= 0 ? key.toStdString() : "");
        QCOMPARE(g_committedKey.name, lastNumber >= 0 ? "วิชาเคมี" : "");
    }

private:
    QString Sheets(const QString& name)
    {
        if (!m_sheets) {
            m_sheets = std::make_unique<QTemporaryDir>();
            QImage sheet(8, 8, QImage::Format_RGB888);
            sheet.fill(Qt::white);
            for (int n = 1; n <= 100; ++n) {
                if (n != 45)
                    sheet.save(m_sheets->filePath(QString::asprintf("img%03d.tif", n)), "TIFF");
                if (n <= 3)
                    sheet.save(m_sheets->filePath(QString::asprintf("img%03d.jpg", n)), "JPEG");
            }
            for (const char* odd : { "img-05.tif", "img0123.tif", "img  7.tif", "img+12.tif", "ภาพ005.tif" })
                sheet.save(m_sheets->filePath(odd), "TIFF");
            sheet.save(m_sheets->filePath(QString("scan.jpg")), "JPEG");
        }
        return m_sheets->filePath(name);
    }

    std::unique_ptr<QTemporaryDir> m_sheets;
};

QTEST_MAIN(WorkflowTest)
#include "workflow_test.moc"
