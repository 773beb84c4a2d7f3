#include "app/CClassWindow.h"
#include "app/CReviewPane.h"
#include "app/CommandId.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>

// A stress class graded in the class window and settled by keys alone, as a teacher who
// holds the true answers would: what leaves the window is then the truth.
class ReviewPaneTest : public UiTest {
    Q_OBJECT

private:
    // Drawn, then `prepare` runs (the class list chosen), then graded in the window.
    CClassWindow* GradeStressClass(int sheets, int seed, const std::function<void()>& prepare)
    {
        const QString folder = Path(QString("stress-%1").arg(seed));
        QProcess tool;
        tool.start(VANTREL_SHEET_TOOL,
            { "batch", "--count", QString::number(sheets), "--format", "jpg", "--preset", "stress", "--seed",
                QString::number(seed), "--out", folder });
        if (!tool.waitForFinished(300000) || tool.exitCode() != 0)
            return nullptr;
        prepare();
        QStringList quoted;
        for (const QString& scan : QDir(folder).entryList({ "*.jpg" }, QDir::Files, QDir::Name))
            quoted << '"' + scan + '"';
        Answer<QFileDialog>(ChooseFile(folder + "/key.txt"));
        Answer<QFileDialog>(ChooseFile(folder + '/' + quoted.join(' ')));
        m_app->MainFrame()->Action(CommandId::CheckClass)->trigger();
        auto* window = m_app->MainFrame()->findChild<CClassWindow*>();
        QSignalSpy ended(window, &CClassWindow::GradingEnded);
        return window && ended.wait(300000) ? window : nullptr;
    }

    // The keys a teacher holding the truth presses for the item shown: the true value
    // where the proposal is not it (or always, typing everything), then Enter; a
    // student of the class list is picked by their number among the suggestions.
    static QList<Qt::Key> KeysFor(
        const ClassReviewItem& item, const QStringList& truth, const std::string& pending, bool typeAll)
    {
        std::string want = "ok";
        if (item.kind == ClassReviewKind::Question)
            want = truth[4 + std::stoi(item.item.substr(1))].toStdString();
        else if (item.kind == ClassReviewKind::IdColumn)
            want = truth[1].mid(std::stoi(item.item.substr(3)) - 1, 1).toStdString();
        else if (item.kind == ClassReviewKind::NotOnList || item.kind == ClassReviewKind::SameId)
            want = truth[1].toStdString();
        QList<Qt::Key> keys;
        for (size_t n = 0; n < item.suggestions.size(); ++n)
            if (QString::number(item.suggestions[n].id).rightJustified(8, '0').toStdString() == want)
                return { Qt::Key(Qt::Key_1 + static_cast<int>(n)), Qt::Key_Enter };
        if (want == "ok" || (want == pending && !typeAll))
            return { Qt::Key_Enter };
        if (item.kind == ClassReviewKind::Question && want.empty())
            keys << Qt::Key_Space;
        for (const char c : want)
            keys << Qt::Key(c >= 'a' ? Qt::Key_A + (c - 'a') : Qt::Key_0 + (c - '0'));
        return keys << Qt::Key_Enter;
    }

    // The class list: every student as drawn but the first sheet's, whose ID the list
    // holds one digit off, as a student who mis-marked a bubble, and one who was absent.
    void ChooseClassList(QMap<QString, QStringList>& truth)
    {
        QString list = "id,name\n99999998,ขาด สอบ\n";
        for (QStringList& sheet : truth) {
            if (&sheet == &truth.first())
                sheet[1] = QString::number(sheet[1].toInt() ^ 1).rightJustified(8, '0');
            list += sheet[1] + ",นักเรียน " + sheet[0] + '\n';
        }
        QFile file(Path("list.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(list.toUtf8()) > 0);
        file.close();
        Answer<QFileDialog>(ChooseFile(file.fileName()));
        m_app->MainFrame()->Action(CommandId::ChooseRoster)->trigger();
    }

private slots:
    void aStressClassIsSettledByKeysAlone_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<bool>("secondFirst"); // the button, then keys for what it leaves
        QTest::addColumn<bool>("typeAll"); // every value typed, with a class list to pick from
        const int sheets = qEnvironmentVariableIsSet("VANTREL_REVIEW_SHEETS")
            ? qEnvironmentVariableIntValue("VANTREL_REVIEW_SHEETS")
            : 20;
        QTest::newRow("by keys") << sheets << false << false;
        QTest::newRow("typed, with a class list") << sheets << false << true;
        QTest::newRow("second reading first") << sheets << true << false;
    }

    void aStressClassIsSettledByKeysAlone()
    {
        QFETCH(int, sheets);
        QFETCH(bool, secondFirst);
        QFETCH(bool, typeAll);
        const int seed = 31 + secondFirst + 2 * typeAll;
        const QString folder = Path(QString("stress-%1").arg(seed));
        QMap<QString, QStringList> truth;
        CClassWindow* window = GradeStressClass(sheets, seed, [&] {
            for (const QString& line : QString::fromUtf8(ReadAll(folder + "/truth.csv")).split('\n').mid(1))
                if (!line.isEmpty())
                    truth[line.section(',', 0, 0)] = line.split(',');
            if (typeAll)
                ChooseClassList(truth);
        });
        QVERIFY(window);
        CReviewPane* pane = window->ReviewPane();
        auto* remaining = pane->findChild<QLabel*>("remaining");
        QVERIFY(pane->Remaining() > 0);
        QCOMPARE(remaining->text(), QString("เหลือ %1 รายการ").arg(pane->Remaining()));
        if (qEnvironmentVariableIsSet("VANTREL_REVIEW_SHOT")) {
            pane->layout()->activate();
            pane->grab().save(qEnvironmentVariable("VANTREL_REVIEW_SHOT"));
        }
        Answer<QMessageBox>([&](QMessageBox& box) { // an export asks while items are left
            QCOMPARE(
                box.text(), QString("ยังมี %1 รายการที่ต้องตรวจสอบ\nต้องการส่งออกหรือไม่").arg(pane->Remaining()));
            box.button(QMessageBox::No)->click();
        });
        Click(*window, "export0");

        const int items = pane->Remaining();
        const size_t first = pane->Current()->page;
        QTest::keyClick(pane, Qt::Key_Left); // round to the last item
        const size_t lastPage = pane->Current()->page;
        for (const size_t page : { lastPage, first }) { // a row chosen in the table shows its sheet's items
            for (int row = 0; row < window->Table()->rowCount(); ++row)
                if (window->Table()->item(row, CClassWindow::Number)->text().toInt() == int(page) + 1)
                    window->Table()->selectRow(row);
            QCOMPARE(pane->Current()->page, page);
        }
        if (secondFirst)
            Click(*pane, "acceptSecond");
        int keys = 0;
        int absent = 0; // students with no sheet met
        bool undone = secondFirst; // one slip, undone, on the first question
        ClassReviewKind last = ClassReviewKind::IdColumn;
        for (int guard = 0; pane->Remaining() > 0 && guard < 20000; ++guard) {
            const ClassReviewItem item = *pane->Current();
            QVERIFY2(!item.resolved, item.item.c_str());
            const auto group = [](ClassReviewKind kind) { return std::max(static_cast<int>(kind), 3); };
            QVERIFY2(group(item.kind) >= group(last), item.item.c_str()); // identity, questions, the sheet
            last = item.kind;
            QCOMPARE(item.page == kNoPage, item.kind == ClassReviewKind::Absent);
            absent += item.kind == ClassReviewKind::Absent;
            if (item.kind == ClassReviewKind::Absent && qEnvironmentVariableIsSet("VANTREL_REVIEW_SHOT"))
                pane->grab().save(qEnvironmentVariable("VANTREL_REVIEW_SHOT") + "-absent.png");
            const QStringList sheet = item.page == kNoPage
                ? QStringList()
                : truth[QString::fromStdString(window->ShownNames()[item.page])];
            if (!undone && item.kind == ClassReviewKind::Question) {
                const std::string before = item.current;
                if (qEnvironmentVariableIsSet("VANTREL_REVIEW_SHOT"))
                    pane->grab().save(qEnvironmentVariable("VANTREL_REVIEW_SHOT") + "-question.png");
                QTest::keyClick(pane, before == "a" ? Qt::Key_B : Qt::Key_A);
                QTest::keyClick(pane, Qt::Key_Enter);
                QTest::keyClick(pane, Qt::Key_Backspace);
                QCOMPARE(pane->Current()->item, item.item);
                QCOMPARE(pane->Current()->current, before);
                undone = true;
            }
            const QList<Qt::Key> typed = KeysFor(item, sheet, pane->Pending(), typeAll);
            for (const Qt::Key key : typed) { // typing all, the teacher has the Thai layout on
                // Enter and the arrows are no characters.
                const int at = key > 0xffff ? -1 : QString("abcde0123456789").indexOf(QChar(key).toLower());
                if (typeAll && at >= 0)
                    QTest::sendKeyEvent(QTest::Click, pane, Qt::Key(0x0E00 + at), QString("ฟิแกำจๅ/-ภถุึคต")[at],
                        Qt::NoModifier);
                else
                    QTest::keyClick(pane, key);
            }
            keys += static_cast<int>(typed.size());
        }
        qInfo("%d sheets, %d items settled in %d keystrokes%s", sheets, items, keys,
            secondFirst ? " after the button" : "");
        QCOMPARE(remaining->text(), QString("ไม่มีรายการที่ต้องตรวจสอบ"));
        QCOMPARE(absent, typeAll ? 1 : 0); // the one absent, once the ID read wrong is put right
        // Reopened from its record, the class has nothing left either: the absent student too.
        std::unique_ptr<CClassWindow> reopened(CClassWindow::OpenRecord(window->RecordPath()));
        QVERIFY(reopened && reopened->ReviewPane()->Remaining() == 0);

        Answer<QFileDialog>(ChooseFile(folder + "/final.csv"));
        Click(*window, "export0");
        const QStringList rows
            = QString::fromUtf8(ReadAll(folder + "/final.csv")).split('\n', Qt::SkipEmptyParts);
        QVERIFY(rows[0].endsWith("final_examinee_id,final_correct,final_wrong,final_error,unresolved"));
        QCOMPARE(rows.size(), sheets + 1);
        for (const QString& row : rows.mid(1)) {
            const QStringList& sheet = truth[QFileInfo(row.section(',', 0, 0)).fileName()];
            QCOMPARE(
                row.section(',', -5), QStringList({ sheet[1], sheet[2], sheet[3], sheet[4], "0" }).join(','));
        }
        // The workbook and the slips hand out the truth too: each sheet's ID and counts.
        Answer<QFileDialog>(ChooseFile(folder + "/final.xlsx"));
        Click(*window, "export1");
        Answer<QFileDialog>(ChooseFile(folder + "/final-slips.pdf"));
        Click(*window, "export4");
        Answer<QFileDialog>(ChooseFile(folder + "/final.pdf"));
        Click(*window, "export2");
        const QStringList report
            = QString::fromUtf8(ToolOutput("pdftotext", { "-layout", folder + "/final.pdf", "-" }))
                  .split('\n');
        const QString scores = QString::fromUtf8(ToolOutput("python3",
            { "-c",
                "import openpyxl, sys\n"
                "for r in openpyxl.load_workbook(sys.argv[1]).worksheets[0].iter_rows(min_row=2, "
                "values_only=True):\n"
                "    print(r[0].split('/')[-1], r[1], r[4], r[5], r[6], r[8] or '-')",
                folder + "/final.xlsx" }));
        // pdftotext gives Thai marks above and below a letter as private characters, or none.
        const QString slips = QString::fromUtf8(ToolOutput("pdftotext", { folder + "/final-slips.pdf", "-" }))
                                  .remove(QRegularExpression("[\\s\\p{Mn}\\p{Co}]"));
        QCOMPARE(slips.count("ใบแจงผลการสอบ"), sheets);
        for (const QStringList& sheet : truth) {
            // Nothing left to look at: what was settled is off the review column.
            QVERIFY2(scores.contains(
                         QStringList({ sheet[0], sheet[1], sheet[2], sheet[3], sheet[4], "-" }).join(' ')),
                qPrintable(sheet[0] + " in\n" + scores));
            const int keyed = sheet[2].toInt() + sheet[3].toInt() + sheet[4].toInt();
            const QRegularExpression listed( // the report's score list: ID, name, correct, percent
                QString("\\b%1\\b.* %2 +%3\\b")
                    .arg(sheet[1], sheet[2])
                    .arg(100.0 * sheet[2].toInt() / keyed, 0, 'f', 1));
            QVERIFY2(!report.filter(listed).isEmpty(), qPrintable(sheet[0] + ": " + listed.pattern()));
            QVERIFY2(slips.contains(QString("รหสผสอบ%1").arg(sheet[1]))
                    && slips.contains(QString("คะแนน%1/%2").arg(sheet[2]).arg(keyed)),
                qPrintable(sheet[0]));
        }
    }
};

QTEST_MAIN(ReviewPaneTest)
#include "review_pane_test.moc"
