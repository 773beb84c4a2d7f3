#include "app/CClassWindow.h"
#include "app/CReviewPane.h"
#include "app/CommandId.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

// A stress class graded in the class window and settled by keys alone, as a teacher who
// holds the true answers would: what leaves the window is then the truth.
class ReviewPaneTest : public UiTest {
    Q_OBJECT

private:
    CClassWindow* GradeStressClass(int sheets, int seed)
    {
        const QString folder = Path(QString("stress-%1").arg(seed));
        QProcess tool;
        tool.start(VANTREL_SHEET_TOOL,
            { "batch", "--count", QString::number(sheets), "--format", "jpg", "--preset", "stress", "--seed",
                QString::number(seed), "--out", folder });
        if (!tool.waitForFinished(300000) || tool.exitCode() != 0)
            return nullptr;
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
    // where the proposal is not it, then Enter.
    static QList<Qt::Key> KeysFor(const ClassReviewItem& item, const QStringList& truth, const std::string& pending)
    {
        std::string want = "ok";
        if (item.kind == ClassReviewKind::Question)
            want = truth[4 + std::stoi(item.item.substr(1))].toStdString();
        else if (item.kind == ClassReviewKind::IdColumn)
            want = truth[1].mid(std::stoi(item.item.substr(3)) - 1, 1).toStdString();
        else if (item.kind == ClassReviewKind::NotOnList || item.kind == ClassReviewKind::SameId)
            want = truth[1].toStdString();
        QList<Qt::Key> keys;
        if (want != pending && item.kind == ClassReviewKind::Question && want.empty())
            keys << Qt::Key_Space;
        else if (want != pending)
            for (const char c : want)
                keys << Qt::Key(c >= 'a' ? Qt::Key_A + (c - 'a') : Qt::Key_0 + (c - '0'));
        return keys << Qt::Key_Enter;
    }

private slots:
    void aStressClassIsSettledByKeysAlone_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<bool>("secondFirst"); // the button, then keys for what it leaves
        const int sheets = qEnvironmentVariableIsSet("VANTREL_REVIEW_SHEETS")
            ? qEnvironmentVariableIntValue("VANTREL_REVIEW_SHEETS")
            : 20;
        QTest::newRow("by keys") << sheets << false;
        QTest::newRow("second reading first") << sheets << true;
    }

    void aStressClassIsSettledByKeysAlone()
    {
        QFETCH(int, sheets);
        QFETCH(bool, secondFirst);
        CClassWindow* window = GradeStressClass(sheets, 31 + secondFirst);
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
            QCOMPARE(box.text(), QString("ยังมี %1 รายการที่ต้องตรวจสอบ\nต้องการส่งออกหรือไม่").arg(pane->Remaining()));
            box.button(QMessageBox::No)->click();
        });
        Click(*window, "export0");

        const QString folder = Path(QString("stress-%1").arg(31 + secondFirst));
        QMap<QString, QStringList> truth;
        for (const QString& line : QString::fromUtf8(ReadAll(folder + "/truth.csv")).split('\n').mid(1))
            if (!line.isEmpty())
                truth[line.section(',', 0, 0)] = line.split(',');
        if (secondFirst)
            Click(*pane, "acceptSecond");
        int keys = 0;
        bool undone = secondFirst; // one slip, undone, on the first question
        for (int guard = 0; pane->Remaining() > 0 && guard < 20000; ++guard) {
            const ClassReviewItem item = *pane->Current();
            QVERIFY2(!item.resolved, item.item.c_str());
            const QStringList& sheet = truth[QString::fromStdString(window->ShownNames()[item.page])];
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
            const QList<Qt::Key> typed = KeysFor(item, sheet, pane->Pending());
            for (const Qt::Key key : typed)
                QTest::keyClick(pane, key);
            keys += static_cast<int>(typed.size());
        }
        qInfo("%d sheets settled in %d keystrokes%s", sheets, keys, secondFirst ? " after the button" : "");
        QCOMPARE(remaining->text(), QString("ไม่มีรายการที่ต้องตรวจสอบ"));

        Answer<QFileDialog>(ChooseFile(folder + "/final.csv"));
        Click(*window, "export0");
        const QStringList rows = QString::fromUtf8(ReadAll(folder + "/final.csv")).split('\n', Qt::SkipEmptyParts);
        QVERIFY(rows[0].endsWith("final_examinee_id,final_correct,final_wrong,final_error,unresolved"));
        QCOMPARE(rows.size(), sheets + 1);
        for (const QString& row : rows.mid(1)) {
            const QStringList& sheet = truth[QFileInfo(row.section(',', 0, 0)).fileName()];
            QCOMPARE(row.section(',', -5), QStringList({ sheet[1], sheet[2], sheet[3], sheet[4], "0" }).join(','));
        }
    }
};

QTEST_MAIN(ReviewPaneTest)
#include "review_pane_test.moc"
