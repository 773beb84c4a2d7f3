#include "answerkey/answer_key_file.h"
#include "app/CClassWindow.h"
#include "app/CommandId.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>

namespace {

// What a teacher reads of a PDF, and of a workbook: its sheets' cells and its strings.
QByteArray PdfText(const QString& path, const QStringList& area = {})
{
    return ToolOutput("pdftotext", QStringList { "-layout" } + area + QStringList { path, "-" });
}

QByteArray WorkbookCells(const QString& path)
{
    return ToolOutput("unzip", { "-p", path, "xl/worksheets/sheet*.xml", "xl/sharedStrings.xml" });
}

// Text to compare with pdftotext's, which drops Thai marks above and below a letter.
QString Squeezed(QString text)
{
    return text.replace(QChar(0x0E33), QChar(0x0E32)).remove(QRegularExpression("[\\s\\p{Mn}\\p{Co}]"));
}

} // namespace

class ClassWindowTest : public UiTest {
    Q_OBJECT

private:
    // A drawn class in its folder, with the names of its scans.
    QStringList Draw(const QString& folder, const QStringList& options)
    {
        ToolOutput(VANTREL_SHEET_TOOL,
            QStringList { "batch", "--count", "6", "--format", "jpg", "--out", folder } + options);
        QStringList scans = QDir(folder).entryList({ "*.jpg" }, QDir::Files, QDir::Name);
        for (QString& scan : scans)
            scan = folder + '/' + scan;
        return scans;
    }

    // Started by the README's one step: the key file asked for when none is entered (or,
    // answering the question, when the last class's key is not wanted), then the scans.
    CClassWindow* GradeClass(const QStringList& scans, const QString& keyFile)
    {
        if (!keyFile.isEmpty())
            Answer<QFileDialog>(ChooseFile(keyFile));
        QStringList quoted;
        for (const QString& scan : scans)
            quoted << '"' + QFileInfo(scan).fileName() + '"';
        Answer<QFileDialog>(ChooseFile(QFileInfo(scans[0]).path() + '/' + quoted.join(' ')));
        const QList<CClassWindow*> before = m_app->MainFrame()->findChildren<CClassWindow*>();
        m_app->MainFrame()->Action(CommandId::CheckClass)->trigger();
        for (CClassWindow* window : m_app->MainFrame()->findChildren<CClassWindow*>())
            if (!before.contains(window)) {
                QSignalSpy ended(window, &CClassWindow::GradingEnded);
                return ended.wait(120000) ? window : nullptr;
            }
        return nullptr;
    }

    void Export(CClassWindow& window, int button, const QString& path)
    {
        Answer<QFileDialog>(ChooseFile(path));
        Click(window, qPrintable(QString("export%1").arg(button)));
    }

    // Every cell of every row, rows in file order: the table as a teacher reads it.
    static QStringList Cells(const QTableWidget& table)
    {
        QStringList rows;
        for (int row = 0; row < table.rowCount(); ++row) {
            QStringList cells;
            for (int column = CClassWindow::File; column < CClassWindow::ColumnCount; ++column)
                cells << table.item(row, column)->text();
            rows << cells.join('|');
        }
        rows.sort();
        return rows;
    }

private slots:
    // A fresh session's class window exports what vantrel-grade makes of the same sheets
    // with the same key, again after the key is fixed; a second class asks about the key.
    void theExportsUseTheKeyTheClassWasGradedWith()
    {
        const QStringList scans = Draw(Path("clean"), { "--seed", "2207" });
        CClassWindow* window = GradeClass(scans, Path("clean/key.txt"));
        QVERIFY(window);
        const Result<AnswerList> key = ReadAnswerKeyFile(Path("clean/key.txt").toStdString());
        QVERIFY(key && g_gradingKey.count == 0);
        AnswerList fixed = *key;
        fixed[0] = fixed[0] == "a" ? "b" : "a";
        QVERIFY(WriteAnswerKeyFile(Path("fixed.txt").toStdString(), fixed));
        for (const QString& keyFile : { Path("clean/key.txt"), Path("fixed.txt") }) {
            const QString name = QFileInfo(keyFile).completeBaseName();
            if (name == "fixed") { // fixed as the key dialog takes it: the class re-scored, no scan read
                AcceptAnswerKey(fixed, "fixed");
                Click(*window, "regrade");
                QVERIFY(!window->IsGrading());
            }
            QCOMPARE(window->findChild<QLabel*>("key")->text(),
                QString("เฉลย: %1 (%2 ข้อ)").arg(name).arg(g_enteredKey.count));
            ToolOutput(VANTREL_GRADE_TOOL,
                QStringList { "--key", keyFile, "--quiet", "--xlsx", Path(name + ".xlsx"), "--report",
                    Path(name + ".pdf"), "--slips", Path(name + "-slips.pdf") }
                    + scans);
            Export(*window, 1, Path(name + "-window.xlsx"));
            Export(*window, 2, Path(name + "-window.pdf"));
            Export(*window, 4, Path(name + "-window-slips.pdf"));
            QCOMPARE(WorkbookCells(Path(name + "-window.xlsx")), WorkbookCells(Path(name + ".xlsx")));
            QCOMPARE(PdfText(Path(name + "-window.pdf")), PdfText(Path(name + ".pdf")));
            QCOMPARE(PdfText(Path(name + "-window-slips.pdf")), PdfText(Path(name + "-slips.pdf")));
            QCOMPARE(ToolOutput("pdfimages", { "-list", Path(name + "-window-slips.pdf") }).count('\n'),
                2 + scans.size());
        }

        Answer<QMessageBox>([](QMessageBox& box) {
            QVERIFY(box.text().startsWith("เฉลยที่ใช้อยู่คือ fixed ("));
            box.button(QMessageBox::No)->click();
        });
        CClassWindow* second = GradeClass(scans.mid(0, 2), Path("clean/key.txt"));
        QVERIFY(second && second != window);
        QCOMPARE(
            second->findChild<QLabel*>("key")->text(), QString("เฉลย: key (%1 ข้อ)").arg(g_enteredKey.count));
    }

    // One question before the class enters the register, saying how much of it is kept;
    // then no nearly-full box, or nothing copied at all.
    void theRegisterTakesTheClassAfterOneQuestion_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("agreed");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("row28");
        QTest::newRow("empty register")
            << 0 << true << "ส่งผล 6 แผ่นเข้าทะเบียนผล\nทะเบียนผลเก็บได้ 30 แถว จะเก็บผลของห้องนี้ได้ 6 แผ่น"
            << "";
        QTest::newRow("nearly full") << 25 << true
                                     << "ส่งผล 6 แผ่นเข้าทะเบียนผล\nทะเบียนผลเก็บได้ 30 แถว จะเก็บผลของห้องนี้ได้ 6 "
                                        "แผ่น\nผลเดิมในทะเบียน 1 แถวจะถูกแทนที่"
                                     << "img004.jpg";
        QTest::newRow("declined") << 25 << false
                                  << "ส่งผล 6 แผ่นเข้าทะเบียนผล\nทะเบียนผลเก็บได้ 30 แถว จะเก็บผลของห้องนี้ได้ 6 "
                                     "แผ่น\nผลเดิมในทะเบียน 1 แถวจะถูกแทนที่"
                                  << "";
    }

    void theRegisterTakesTheClassAfterOneQuestion()
    {
        QFETCH(int, before);
        QFETCH(bool, agreed);
        QFETCH(QString, question);
        QFETCH(QString, row28);
        const QString folder = Path(QString("register-%1").arg(before + agreed));
        const QStringList scans = Draw(folder, { "--seed", "18" });
        CClassWindow* window = GradeClass(scans, folder + "/key.txt");
        QVERIFY(window);
        m_messages.texts.clear();
        for (int r = 0; r < before; ++r) {
            g_resultsRegister.recordTitle("old");
            g_resultsRegister.recordId(r + 1);
            g_resultsRegister.recordScores(0, 0);
        }
        Answer<QMessageBox>([&](QMessageBox& box) {
            QCOMPARE(box.text(), question + "\nต้องการส่งหรือไม่");
            box.button(agreed ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        Click(*window, "toRegister");
        QCOMPARE(m_messages.texts, QStringList());
        QCOMPARE(QString::fromStdString(g_resultsRegister.row(28).title), row28);
        QCOMPARE(g_resultsRegister.titleCursor(), (before + (agreed ? 6 : 0)) % 30);
    }

    // Doubts, refusals and what the class list finds are rows to review in the window and
    // lines of the workbook and the report, in Thai, without the class's folder, whole.
    void whatToReviewReachesTheWindowAndTheExports()
    {
        QStringList scans = Draw(Path("stress"), { "--seed", "19", "--preset", "stress" });
        QVERIFY(QFile::copy(scans[0], Path("stress/again.jpg")));
        QFile broken(Path("stress/broken.jpg"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a scan") > 0);
        broken.close();
        const QString truth = QString::fromUtf8(ReadAll(Path("stress/truth.csv")));
        const QStringList first = truth.section('\n', 1, 1).split(','),
                          second = truth.section('\n', 2, 2).split(',');
        QFile roster(Path("list.csv"));
        QVERIFY(roster.open(QIODevice::WriteOnly));
        const int near = second[1].toInt() ^ 1; // the second sheet's ID, its last digit one off
        roster.write(QString("id,name\n%1,นักเรียน หนึ่ง\n%2,นักเรียน ใกล้\n99999998,ขาด สอบ\n")
                         .arg(first[1])
                         .arg(near, 8, 10, QChar('0'))
                         .toUtf8());
        roster.close();
        Answer<QFileDialog>(ChooseFile(roster.fileName()));
        m_app->MainFrame()->Action(CommandId::ChooseRoster)->trigger();
        scans = QDir(Path("stress")).entryList({ "*.jpg" }, QDir::Files, QDir::Name);
        for (QString& scan : scans)
            scan = Path("stress/") + scan;
        CClassWindow* window = GradeClass(scans, Path("stress/key.txt"));
        QVERIFY(window);

        QTableWidget* table = window->Table();
        QStringList reviews;
        for (int row = 0; row < table->rowCount(); ++row)
            reviews << table->item(row, CClassWindow::File)->text() + ": "
                    + table->item(row, CClassWindow::Review)->text();
        const QString expected[] = { "again.jpg: รหัส " + first[1] + " อยู่ใน 2 แผ่น", "broken.jpg: ตรวจไม่ได้: ",
            "img002.jpg: รหัส " + second[1] + " ไม่อยู่ในรายชื่อนักเรียน; ต่างกันหนึ่งหลักกับ "
                + QString("%1 นักเรียน ใกล้").arg(near, 8, 10, QChar('0')) };
        for (const QString& line : expected) // the file's row, its review holding the finding
            QVERIFY2(
                reviews.filter(QRegularExpression("^" + QRegularExpression::escape(line.section(": ", 0, 0))
                                   + ": .*" + QRegularExpression::escape(line.section(": ", 1))))
                        .size()
                    == 1,
                qPrintable(line + " in " + reviews.join('\n')));
        QVERIFY2(reviews.filter("ควรตรวจสอบ ").size() > 0, qPrintable(reviews.join('\n')));
        QCOMPARE(
            reviews.filter("—: ไม่พบกระดาษคำตอบของนักเรียนคนนี้").size(), 2); // the one read wrong, and one absent
        window->findChild<QCheckBox*>()->click();
        for (int row = 0; row < table->rowCount(); ++row)
            QCOMPARE(table->isRowHidden(row), table->item(row, CClassWindow::Review)->text().isEmpty());

        for (const QString name : { "review.xlsx", "review.pdf" }) { // exported while items are left
            Answer<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
            Export(*window, name.endsWith("xlsx") ? 1 : 2, Path(name));
        }
        const QString cells = QString::fromUtf8(WorkbookCells(Path("review.xlsx")));
        const QString report = Squeezed(QString::fromUtf8(PdfText(Path("review.pdf"))));
        // The score list's last column, from 157 mm: each review whole, over as many lines as it needs.
        const QString column = Squeezed(QString::fromUtf8(
            PdfText(Path("review.pdf"), { "-x", "440", "-y", "0", "-W", "160", "-H", "842" })));
        for (const QString& line : expected)
            QVERIFY2(cells.contains(line.section(": ", 1).toHtmlEscaped()), qPrintable(line));
        for (int row = 0; row < table->rowCount(); ++row) // the students with no sheet are on the first page
            QVERIFY2(table->item(row, CClassWindow::File)->text() == "—"
                    || column.contains(Squeezed(table->item(row, CClassWindow::Review)->text())),
                qPrintable(table->item(row, CClassWindow::Review)->text()));
        QVERIFY(report.contains(Squeezed("ไม่มีกระดาษคำตอบ: 99999998 ขาด สอบ")));
        QVERIFY(!report.contains(Squeezed(m_folder.path())));
    }

    // Closed and reopened, a class is as it was left: its scores, its settled items, its
    // key; a scan changed since is named, and the class still scores it as it was read.
    void aClassReopensFromItsRecordAsItWasLeft()
    {
        const QStringList scans = Draw(Path("kept"), { "--seed", "77", "--preset", "stress" });
        QFile list(Path("kept-list.csv")); // the first sheet's student, named by the list the class keeps
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(
            "id,name\n" + ReadAll(Path("kept/truth.csv")).split('\n')[1].split(',')[1] + ",นักเรียน เก็บ\n");
        list.close();
        Answer<QFileDialog>(ChooseFile(list.fileName()));
        m_app->MainFrame()->Action(CommandId::ChooseRoster)->trigger();
        CClassWindow* window = GradeClass(scans, Path("kept/key.txt"));
        QVERIFY(window);
        const QString record = window->RecordPath();
        QCOMPARE(record, QFileInfo(Path("kept/kept.vantrel")).absoluteFilePath());
        window->Settle(0, { MakeResolution("q1", "?", "ab", ResolutionHow::Typed, "two marks") });
        window->Settle(1, { MakeResolution("id:1", "?", "9", ResolutionHow::Typed) });
        const QStringList before = Cells(*window->Table());
        QVERIFY(before.join('\n').contains("|9"));
        QVERIFY(before.join('\n').contains("นักเรียน เก็บ"));
        QPointer<CClassWindow> closing(window);
        window->parentWidget()->close();
        QTRY_VERIFY(!closing);
        Restart(); // the program quits and starts again
        QSettings("Vantrel", "Vantrel").remove("Class/Roster"); // the list chosen then is chosen no more

        QFile::remove(scans[2]);
        QVERIFY(QFile::copy(scans[3], scans[2]));
        m_messages.texts.clear();
        const QList<QAction*> recent = m_app->MainFrame()->findChild<QMenu*>("recentClasses")->actions();
        QVERIFY(!recent.isEmpty() && recent[0]->text().contains("kept.vantrel"));
        recent[0]->trigger();
        const QString said = m_messages.texts.join(QLatin1Char('\n'));
        QVERIFY2(said.contains(QFileInfo(scans[2]).fileName() + " เปลี่ยนไปหลังจากตรวจ"), qPrintable(said));
        const QList<CClassWindow*> windows = m_app->MainFrame()->findChildren<CClassWindow*>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->RecordPath(), record);
        QCOMPARE(Cells(*windows[0]->Table()), before);
        QCOMPARE(windows[0]->findChild<QLabel*>("key")->text(),
            QString("เฉลย: key (%1 ข้อ)").arg(g_enteredKey.count));
        // Slips cut each ID area from its scan again, but from none that has changed.
        Answer<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
        Export(*windows[0], 4, Path("kept-slips.pdf"));
        QCOMPARE(
            ToolOutput("pdfimages", { "-list", Path("kept-slips.pdf") }).count('\n'), 2 + scans.size() - 1);
    }

    // A key marked on a sheet becomes the key, ready to grade, and that sheet among the class's
    // scans is no student's; a sheet whose rows are not certain leaves the key as it was.
    void aKeySheetIsTheKeyAndNoStudent()
    {
        const QStringList scans = Draw(Path("keyed"), { "--seed", "2208" });
        QStringList letters;
        for (const QByteArray& line : ReadAll(Path("keyed/key.txt")).trimmed().split('\n'))
            letters << QString::fromLatin1(line.trimmed());
        const QString answers = letters.join(',');
        for (const auto& [name, marked] :
            { std::pair { "doubled", "ab" + answers.mid(1) }, { "key-sheet", answers } })
            ToolOutput(VANTREL_SHEET_TOOL,
                { "fill", "-o", Path(QString("keyed/%1.jpg").arg(name)), "--id", "00000000", "--answers",
                    marked });
        Answer<QFileDialog>(ChooseFile(Path("keyed/doubled.jpg")));
        Trigger(CommandId::KeyFromSheet);
        QVERIFY2(
            m_messages.texts.last().contains("ข้อ 1: ระบายหลายช่อง (ab)"), qPrintable(m_messages.texts.last()));
        QCOMPARE(g_enteredKey.count, 0);

        Answer<QFileDialog>(ChooseFile(Path("keyed/key-sheet.jpg")));
        Trigger(CommandId::KeyFromSheet);
        QCOMPARE(m_messages.texts.last(), QString("ผลเฉลย key-sheet พร้อมตรวจแล้ว "));
        const Result<AnswerList> key = ReadAnswerKeyFile(Path("keyed/key.txt").toStdString());
        QVERIFY(key && g_keyReady && g_committedKey.answers == *key);
        CClassWindow* window = GradeClass(QStringList(scans) << Path("keyed/key-sheet.jpg"), QString());
        QVERIFY(window);
        QCOMPARE(window->Table()->rowCount(), scans.size());
    }
};

QTEST_MAIN(ClassWindowTest)
#include "class_window_test.moc"
