#include "app/CChildFrame.h"
#include "app/CClassWindow.h"
#include "app/CReviewWindow.h"
#include "app/CommandId.h"
#include "image/CVantrelView.h"
#include "omr/sheet_check.h"
#include "results/CShow.h"
#include "results/results_file.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

QString Report(int id, int correct, int wrong)
{
    return QString("รหัสผู้ทำ = %1\nจำนวนข้อที่ทำถูก = %2\nจำนวนข้อที่ทำผิด = %3").arg(id).arg(correct).arg(wrong);
}

// The register's rows up to the first empty one, each as "title id correct errors".
QStringList Rows()
{
    QStringList rows;
    for (int r = 0; r < ResultsRegister::kRows && (r == 0 || !rows.last().startsWith(' ')); ++r) {
        const SheetResult row = g_resultsRegister.row(r);
        rows << QString("%1 %2 %3 %4")
                    .arg(QString::fromStdString(row.title))
                    .arg(row.examineeId)
                    .arg(row.correctCount)
                    .arg(row.errorCount);
    }
    return rows;
}

// A row as the results dialog shows it.
QString ShownRow(const CShow& dialog, int row)
{
    QStringList boxes;
    for (int id : { CShow::FileNameBoxId(row), CShow::IdBoxId(row), CShow::CorrectBoxId(row),
             CShow::ErrorBoxId(row) }) {
        auto* box = qobject_cast<QLineEdit*>(dialog.Control(id));
        boxes << (box && box->isReadOnly() ? box->text() : "<no read-only box>");
    }
    return boxes.join(' ');
}

// Presses the button, or the key when the number is one.
std::function<void(CShow&)> Press(int buttonOrKey)
{
    return [buttonOrKey](CShow& dialog) {
        if (auto* button = qobject_cast<QPushButton*>(dialog.Control(buttonOrKey)))
            button->click();
        else
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key(buttonOrKey));
    };
}

void RecordSheet(const std::string& title, int32_t id, int32_t correct, int32_t errors)
{
    g_resultsRegister.recordTitle(title);
    g_resultsRegister.recordId(id);
    g_resultsRegister.recordScores(correct, errors);
}

QColor PixelShown(CVantrelView* view, QPoint point)
{
    return view->viewport()->grab().toImage().pixelColor(point);
}

// Sheets opened (the last on top, active), a command, the button or key leaving the
// results dialog; the messages, register rows and windows that follow.
struct Check {
    QStringList opened;
    int command;
    int leave;
    QStringList messages;
    QStringList rows;
    QString windows;
};

} // namespace

Q_DECLARE_METATYPE(Check)

class ResultsTest : public UiTest {
    Q_OBJECT

private slots:
    void theDialogShowsTheRegisterAsItWasWhenOpened()
    {
        RecordSheet("img001.tif", 12345678, 37, 1);
        RecordSheet("img002.tif", 5, 40, 0);
        const CShow dialog;
        RecordSheet("img003.tif", 44444444, 4, 4); // after opening: not shown
        QCOMPARE(dialog.windowTitle(), "ผลการตรวจ");
        QStringList buttons;
        for (int id : { CShow::kCheckButton, CShow::kCloseButton, CShow::kResetButton, CShow::kSaveButton })
            buttons << qobject_cast<QPushButton*>(dialog.Control(id))->text();
        QCOMPARE(buttons, (QStringList { "ตรวจ", "ตกลง", "reset ผล", "จัดเก็บผล" }));
        QCOMPARE(ShownRow(dialog, 1), "img001.tif 12345678 37 1");
        QCOMPARE(ShownRow(dialog, 2), "img002.tif 5 40 0");
        for (int row = 3; row <= ResultsRegister::kRows; ++row)
            QCOMPARE(ShownRow(dialog, row), " 0 0 0");
    }

    void storeWritesTheResultsFileAskingBeforeReplacingAndSaysWhenItFails()
    {
        RecordSheet("img001.tif", 12345678, 37, 1);
        RecordSheet("img002.tif", 0, 12, 0);
        const QString path = Path("scores");
        auto vanishing = std::make_unique<QTemporaryDir>();
        QStringList shown;
        CShow dialog;
        Answer<CShow>([&](CShow& results) {
            Press(CShow::kSaveButton)(results);
            QCOMPARE(ReadAll(path + ".txt"), "12345678  = 37 \r\n");
            RecordSheet("img003.tif", 5, 40, 0);
            Press(CShow::kSaveButton)(results); // again, onto the file just written
            Press(CShow::kSaveButton)(results); // into a folder that goes away
            QVERIFY(results.isVisible());
            Press(CShow::kCheckButton)(results);
        });
        Answer<QFileDialog>([&](QFileDialog& files) {
            shown << files.nameFilters() << QFileInfo(files.selectedFiles().value(0)).fileName();
            ChooseFile(path)(files);
        });
        Answer<QFileDialog>(ChooseFile(path + ".txt"));
        Answer<QMessageBox>([](QMessageBox& question) { question.button(QMessageBox::Yes)->click(); });
        Answer<QFileDialog>(
            ChooseFile(vanishing->filePath("scores.txt"), 0, [&vanishing] { vanishing.reset(); }));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(shown.value(0), "Document*.txt (*.txt)");
        QVERIFY2(shown.size() == 2 && shown[1].startsWith("ผลคะแนน"), qPrintable(shown.join('|')));
        QCOMPARE(ReadAll(path + ".txt"), "12345678  = 37 \r\n5  = 40 \r\n");
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY2(m_messages.texts[0].startsWith("จัดเก็บผลคะแนนไม่สำเร็จ\n"), qPrintable(m_messages.texts[0]));
    }

    void theProgramsMessageBoxIsCaptionedVantrelWithOneOkButton()
    {
        ModalMessageBox service;
        const ScopedMessageBox binding(service);
        const QString text = "มีเอกสารถูกเปิดไว้แล้ว\nโปรดปิดเอกสาร <b>ทั้งหมด</b>\t";
        Answer<QMessageBox>([text](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), "Vantrel");
            QCOMPARE(box.text(), text);
            QCOMPARE(box.buttons().size(), 1);
            QMetaObject::invokeMethod(&box, "accept");
        });
        ShowMessage(text.toStdString());
    }

    void checkingGradesTheActiveSheetThenTheOthersFromTheTop_data()
    {
        QTest::addColumn<Check>("check");
        const int all = CommandId::CheckAllSheets, active = CommandId::CheckActiveSheet;
        const int check = CShow::kCheckButton, close = CShow::kCloseButton;
        const QStringList three { "img001.bmp", "img002.bmp", "img003.bmp" },
            two { "img001.bmp", "img002.bmp" };
        const QString three1 = "img003.bmp 30405060 1 0", two0 = "img002.bmp 22222222 0 0";
        const QString one1 = "img001.bmp 11111111 1 0", earlier = "earlier.tif 99 9 0";
        const QString notGraded = "img002.bmp active, img001.bmp";
        QTest::newRow("all of three") << Check { three, all, check,
            { Report(30405060, 1, 0), Report(22222222, 0, 1), Report(11111111, 1, 0) },
            { earlier, three1, two0, one1 },
            "img003.bmp active, img002.bmp minimized, img001.bmp minimized" };
        QTest::newRow("all of one") << Check { { "img001.bmp" }, all, check, { Report(11111111, 1, 0) },
            { earlier, one1 }, "img001.bmp active" };
        QTest::newRow("all, one refused") << Check { { "img001.bmp", "blank.bmp", "img003.bmp" }, all, check,
            { Report(30405060, 1, 0), QString::fromStdString(RefusalMessage(SheetCheck::NoRegistrationMark)),
                Report(11111111, 1, 0) },
            { earlier, three1, one1 }, "img003.bmp active, blank.bmp minimized, img001.bmp minimized" };
        QTest::newRow("active") << Check { three, active, check, { Report(30405060, 1, 0) },
            { earlier, three1 }, "img003.bmp active, img001.bmp, img002.bmp minimized" };
        QTest::newRow("Enter, active") << Check { two, active, Qt::Key_Return, { Report(22222222, 0, 1) },
            { earlier, two0 }, "img002.bmp active, img001.bmp minimized" };
        QTest::newRow("close, active") << Check { two, active, close, {}, { earlier }, notGraded };
        QTest::newRow("close, all") << Check { two, all, close, {}, { earlier }, notGraded };
        QTest::newRow("Escape, all") << Check { two, all, Qt::Key_Escape, {}, { earlier }, notGraded };
        QTest::newRow("reset, all") << Check { two, all, CShow::kResetButton, {}, {}, notGraded };
    }

    void checkingGradesTheActiveSheetThenTheOthersFromTheTop()
    {
        QFETCH(Check, check);
        QImage blank(850, 1100, QImage::Format_RGB888);
        blank.fill(Qt::white);
        QVERIFY(blank.save(Path("blank.bmp"), "BMP"));
        g_enteredKey.answers[0] = "a";
        g_enteredKey.count = 1;
        RecordSheet("earlier.tif", 99, 9, 0);
        Open(check.opened);
        Answer<CShow>(Press(check.leave));
        Trigger(check.command);
        QCOMPARE(m_messages.texts, check.messages);
        QCOMPARE(Rows(), check.rows << " 0 0 0");
        QCOMPARE(WindowStates(), check.windows);
    }

    // A copier's multi-page TIFF: one window per page, graded as vantrel-grade grades it.
    void aMultiPageFileIsOneSheetWindowAPageGradedAsTheGraderDoes()
    {
        QProcess tool;
        const QString file = Path("class.tif");
        // The fixture empties PATH, so the distribution's converter is found by its place.
        tool.start(QStandardPaths::findExecutable("convert", { "/usr/bin", "/usr/local/bin" }),
            { Path("img001.bmp"), Path("img002.bmp"), Path("img003.bmp"), "-colorspace", "Gray", file });
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        g_enteredKey.answers[0] = "a";
        g_enteredKey.count = 1;
        QVERIFY(m_app->OpenDocumentFile(file));
        QCOMPARE(WindowStates(), "class.tif#3 active, class.tif#2, class.tif#1");
        Answer<CShow>(Press(CShow::kCheckButton));
        Trigger(CommandId::CheckAllSheets);
        const QStringList rows = Rows();
        QCOMPARE(rows.mid(0, 3),
            QStringList(
                { "class.tif#3 30405060 1 0", "class.tif#2 22222222 0 0", "class.tif#1 11111111 1 0" }));

        QFile key(Path("key.txt"));
        QVERIFY(key.open(QIODevice::WriteOnly) && key.write("a\n") == 2);
        key.close();
        tool.start(VANTREL_GRADE_TOOL, { "--key", key.fileName(), "--results", Path("results.txt"), file });
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        std::string expected; // the grader goes in page order, the register from the top
        for (int r = 2; r >= 0; --r)
            expected += FormatResultLine(
                g_resultsRegister.row(r).examineeId, g_resultsRegister.row(r).correctCount);
        QFile written(Path("results.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toStdString(), expected);
    }

    // The second check finds the first one's colours: the sheet is to be looked at again.
    void checkingTheActiveSheetTwiceRedrawsItMinimizesTheNextBelowAndAsksForAReview()
    {
        g_enteredKey.answers[0] = "a";
        g_enteredKey.count = 1;
        Open({ "img001.bmp", "img002.bmp", "img003.bmp" });
        CVantrelView* view = m_app->MainFrame()->ActiveSheetWindow()->View();
        // Question 1's "a" box, beside its mark: white before, green once graded correct.
        const QPoint besideMark(120 + 8, 460 + 132 + 20);
        QCOMPARE(PixelShown(view, besideMark), QColor(Qt::white));
        for (int time = 0; time < 2; ++time) {
            Answer<CShow>(Press(CShow::kCheckButton));
            Trigger(CommandId::CheckActiveSheet);
        }
        QCOMPARE(PixelShown(view, besideMark), QColor(0, 255, 0));
        const QString again = "img003.bmp — ตรวจสอบอีกครั้ง";
        QCOMPARE(WindowStates(), again + " active, img002.bmp minimized, img001.bmp minimized");
        QCOMPARE(m_app->MainFrame()->statusBar()->currentMessage(), again + ": เครื่องหมายอ้างอิง, แผ่นที่ตรวจแล้ว");

        CReviewWindow* review = m_app->MainFrame()->ReviewWindow();
        QCOMPARE(review->SheetCount(), 1);
        m_app->MainFrame()->ActivateSheetWindow(m_app->SheetWindows().constLast());
        auto* list = review->findChild<QTreeWidget*>();
        emit list->itemDoubleClicked(list->topLevelItem(0)->child(1), 0);
        QCOMPARE(m_app->MainFrame()->ActiveSheetWindow()->windowTitle(), again);
    }

    // What has been checked leaves as a workbook, a report and slips, named from the class list
    // chosen once and remembered; never over a scan that was checked.
    void theCheckedSheetsExportNamedFromAClassListChosenOnce()
    {
        using namespace CommandId;
        Trigger(ExportWorkbook);
        QCOMPARE(m_messages.texts.value(0), "ยังไม่มีกระดาษคำตอบที่ตรวจแล้ว\nตรวจกระดาษคำตอบก่อน แล้วจึงส่งออก");
        QFile roster(Path("class.csv"));
        for (const char* list : { "id,name\r\n", "id,name\n11111111,สมชาย ใจดี\n30405060,สมหญิง รักเรียน\n" }) {
            QVERIFY(roster.open(QIODevice::WriteOnly | QIODevice::Truncate));
            roster.write(list);
            roster.close();
            Answer<QFileDialog>(ChooseFile(roster.fileName()));
            Trigger(ChooseRoster);
        }
        // A list with no student is refused with Roster::Read's reason.
        QCOMPARE(m_messages.texts.value(1),
            "อ่านรายชื่อนักเรียนไม่ได้\nรายชื่อนักเรียน " + roster.fileName() + " มีแต่หัวตาราง ไม่มีรายชื่อนักเรียนสักคน");
        QCOMPARE(m_messages.texts.value(2), "ใช้รายชื่อนักเรียน " + roster.fileName() + " (2 คน)");
        Restart();

        g_enteredKey.answers[0] = "a";
        g_enteredKey.count = 1;
        Open({ "img001.bmp", "img002.bmp", "img003.bmp" });
        Answer<CShow>(Press(CShow::kCheckButton));
        Trigger(CheckAllSheets);
        Answer<CShow>(Press(CShow::kCheckButton));
        Trigger(CheckActiveSheet); // checked again: still one row
        Answer<QFileDialog>(ChooseFile(Path("class.xlsx")));
        Trigger(ExportWorkbook);
        QProcess python;
        python.start(QStandardPaths::findExecutable("python3", { "/usr/bin", "/usr/local/bin" }),
            { "-c",
                "import openpyxl, sys\n"
                "for r in openpyxl.load_workbook(sys.argv[1]).worksheets[0].iter_rows(min_row=2, "
                "values_only=True):\n"
                "    print(r[0].split('/')[-1], r[1], r[2] or '-', r[4], r[5], r[6])",
                Path("class.xlsx") });
        QVERIFY(python.waitForFinished(60000) && python.exitCode() == 0);
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()),
            "img003.bmp 30405060 สมหญิง รักเรียน 1 0 0\n"
            "img002.bmp 22222222 - 0 1 0\n"
            "img001.bmp 11111111 สมชาย ใจดี 1 0 0\n");

        const QByteArray scan = ReadAll(Path("img001.bmp"));
        Answer<QFileDialog>(ChooseFile(Path("img001.bmp")));
        Trigger(ExportSlips);
        QCOMPARE(m_messages.texts.constLast(),
            "ไฟล์ " + Path("img001.bmp")
                + " เป็นข้อมูลที่ใช้ตรวจ (ภาพสแกนหรือรายชื่อนักเรียน)\n"
                  "จะไม่บันทึกทับ กรุณาเลือกชื่อไฟล์อื่น");
        QCOMPARE(ReadAll(Path("img001.bmp")), scan);
        for (int command : { ExportSlips, ExportReport }) {
            Answer<QFileDialog>(ChooseFile(Path(QString("export-%1").arg(command))));
            Trigger(command);
            QVERIFY(ReadAll(Path(QString("export-%1.pdf").arg(command))).startsWith("%PDF-"));
        }
    }

    // A drawn class of 40 graded from its window as the truth says, the interface answering all
    // along; nothing reaches the register until asked; a second run cancelled keeps its rows.
    void aClassIsGradedInItsWindowAsDrawn()
    {
        QProcess tool;
        const QString folder = Path("class");
        tool.start(VANTREL_SHEET_TOOL,
            { "batch", "--count", "40", "--seed", "1440", "--format", "jpg", "--out", folder });
        QVERIFY(tool.waitForFinished(120000) && tool.exitCode() == 0);
        QStringList names;
        QMap<QString, QString> truth; // file: "ID correct wrong error"
        const QStringList lines
            = QString::fromUtf8(ReadAll(folder + "/truth.csv")).split('\n', Qt::SkipEmptyParts);
        for (const QString& line : lines.mid(1)) {
            const QStringList fields = line.split(',');
            names << '"' + fields[0] + '"';
            truth[fields[0]] = fields.mid(1, 4).join(' ');
        }
        Answer<QFileDialog>(ChooseFile(folder + "/key.txt"));
        Answer<QFileDialog>(ChooseFile(folder + "/" + names.join(' ')));
        Trigger(CommandId::CheckClass);
        auto* window = m_app->MainFrame()->findChild<CClassWindow*>();
        QVERIFY(window);
        auto* onlyToReview = window->findChild<QCheckBox*>();
        while (window->IsGrading()) { // a person clicking the filter while it runs
            onlyToReview->click();
            QTest::qWait(20);
        }
        QTRY_VERIFY(!window->IsGrading());
        if (onlyToReview->isChecked())
            onlyToReview->click();
        const auto shown = [window] {
            QMap<QString, QString> rows;
            QTableWidget* table = window->Table();
            for (int row = 0; row < table->rowCount(); ++row)
                if (!table->item(row, CClassWindow::Correct)->text().isEmpty())
                    rows[table->item(row, CClassWindow::File)->text()]
                        = QStringList { table->item(row, CClassWindow::Id)->text(),
                              table->item(row, CClassWindow::Correct)->text(),
                              table->item(row, CClassWindow::Wrong)->text(),
                              table->item(row, CClassWindow::Error)->text() }
                              .join(' ');
            return rows;
        };
        QCOMPARE(shown(), truth);
        QStringList files;
        for (const QString& name : names)
            files << folder + "/" + QString(name).remove('"');
        tool.start(VANTREL_GRADE_TOOL,
            QStringList { "--key", folder + "/key.txt", "--quiet", "--csv", Path("class.csv") } + files);
        QVERIFY(tool.waitForFinished(120000) && tool.exitCode() == 0);
        QMap<QString, QString> graded;
        for (const QString& line :
            QString::fromUtf8(ReadAll(Path("class.csv"))).split('\n', Qt::SkipEmptyParts).mid(1))
            graded[QFileInfo(line.section(',', 0, 0)).fileName()] = line.section(',', 1, 4).replace(',', ' ');
        QCOMPARE(shown(), graded);
        Answer<QFileDialog>(ChooseFile(Path("window.csv")));
        Click(*window, "export0");
        QCOMPARE(ReadAll(Path("window.csv")), ReadAll(Path("class.csv")));
        QCOMPARE(g_resultsRegister.row(0).title, "");

        window->Table()->sortItems(CClassWindow::Correct);
        emit window->Table()->cellDoubleClicked(0, 0);
        QCOMPARE(m_app->SheetWindowCount(), 1);
        QCOMPARE(
            m_app->SheetWindows()[0]->windowTitle(), window->Table()->item(0, CClassWindow::File)->text());
        QCOMPARE(g_resultsRegister.row(0).title, "");
        Answer<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
        Click(*window, "toRegister"); // 40 rows: the register keeps the last 30
        const SheetResult eleventh = g_resultsRegister.row(10);
        QCOMPARE(QString::fromStdString(eleventh.title), "img011.jpg");
        QCOMPARE(QString("%1 %2").arg(eleventh.examineeId, 8, 10, QChar('0')).arg(eleventh.correctCount),
            truth["img011.jpg"].section(' ', 0, 1));

        connect(window, &CClassWindow::SheetGraded, window, &CClassWindow::Cancel);
        QSignalSpy ended(window, &CClassWindow::GradingEnded);
        Click(*window, "readAgain");
        QVERIFY(ended.wait(120000));
        const QMap<QString, QString> kept = shown();
        QVERIFY(!kept.isEmpty() && kept.size() < 40);
        for (auto row = kept.cbegin(); row != kept.cend(); ++row)
            QCOMPARE(row.value(), truth[row.key()]);
        // Closed while it grades: the sheets in progress finish, and nothing reaches a window gone.
        disconnect(window, &CClassWindow::SheetGraded, window, &CClassWindow::Cancel);
        Click(*window, "readAgain");
        QPointer<CClassWindow> closing(window);
        window->parentWidget()->close();
        QTRY_VERIFY(!closing);
    }

    void toggleMinimizesAllThenRestoresAll()
    {
        Open({ "img001.bmp", "img002.bmp", "img003.bmp" });
        Trigger(CommandId::ToggleSheetWindows);
        QCOMPARE(WindowStates(), "img003.bmp active minimized, img002.bmp minimized, img001.bmp minimized");
        Trigger(CommandId::ToggleSheetWindows);
        QCOMPARE(WindowStates(), "img003.bmp active, img002.bmp, img001.bmp");
    }

    void measuringAndPreparingRepaintTheSheet()
    {
        Open({ "img001.bmp" });
        Trigger(CommandId::MeasureSkew);
        QCOMPARE(m_messages.texts, QStringList { " มุมเอียง=0.000000" });
        QCOMPARE(Rows(), QStringList { " 0 0 0" });
        // The search window's white paper is painted cyan.
        QCOMPARE(
            PixelShown(m_app->MainFrame()->ActiveSheetWindow()->View(), { 150, 450 }), QColor(0, 255, 255));

        QImage sheet(850, 1100, QImage::Format_RGB888);
        sheet.fill(QColor(139, 139, 139));
        QPainter(&sheet).fillRect(
            25, 400, 145, 100, Qt::white); // where a fresh scan is told from a measured one
        QVERIFY(sheet.save(Path("grey.bmp"), "BMP"));
        Open({ "grey.bmp" });
        Trigger(CommandId::PrepareSheet);
        QCOMPARE(
            PixelShown(m_app->MainFrame()->ActiveSheetWindow()->View(), { 300, 300 }), QColor(Qt::black));
        QCOMPARE(m_messages.texts.size(), 1);
    }

private:
    // The sheet windows from the top of the stacking order, with their state.
    QString WindowStates() const
    {
        QStringList states;
        for (CChildFrame* window : m_app->SheetWindows())
            states << window->windowTitle()
                    + (window == m_app->MainFrame()->ActiveSheetWindow() ? " active" : "")
                    + (window->isMinimized() ? " minimized" : "");
        return states.join(", ");
    }
};

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
