#pragma once

// The desktop tests' one fixture and their one way to answer modal dialogs.

#include "answerkey/answer_key_store.h"
#include "app/CInfo.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "framework/message_box.h"
#include "omr/mark_shape.h"
#include "omr/sheet_layout.h"
#include "results/results_register.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QQueue>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class RecordingMessageBox : public MessageBoxService {
public:
    void Show(const std::string& text) override { texts << QString::fromStdString(text); }
    QStringList texts;
};

// Answers modal dialogs in the order they open. An answer runs from the event loop, so it
// may press a button whose nested dialog the next answer takes, then go on with its own.
// A modal of another type, one nobody expected and one its answer left open are rejected
// and counted, so a test fails instead of hanging.
class ModalAnswers : public QObject {
public:
    ModalAnswers()
    {
        connect(&m_poll, &QTimer::timeout, this, &ModalAnswers::Poll);
        m_poll.start(5);
    }

    template <typename Dialog> void Then(std::function<void(Dialog&)> action)
    {
        m_answers.enqueue([action](QWidget* modal) {
            auto* dialog = qobject_cast<Dialog*>(modal);
            if (dialog)
                action(*dialog);
            return dialog != nullptr;
        });
    }

    int pending() const { return static_cast<int>(m_answers.size()); }
    int wrong = 0;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool())
            return;
        modal->setProperty("answered", true);
        const auto answer = m_answers.isEmpty() ? nullptr : m_answers.dequeue();
        QTimer::singleShot(0, this, [this, answer, guard = QPointer<QWidget>(modal)] {
            if (guard && !(answer && answer(guard)))
                Wrong(guard, "not expected");
            if (guard && guard->isVisible()) {
                Wrong(guard, "left open");
                QMetaObject::invokeMethod(guard, "reject", Qt::QueuedConnection);
            }
        });
    }

    void Wrong(QWidget* modal, const char* what)
    {
        ++wrong;
        qWarning("%s %s", modal->metaObject()->className(), what);
    }

    QTimer m_poll;
    QQueue<std::function<bool(QWidget*)>> m_answers;
};

// What a tool of the system printed; the fixture's PATH is empty, so it is looked for
// where Debian puts it.
inline QByteArray ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    const QString tool = QStandardPaths::findExecutable(program, { "/usr/bin", "/usr/local/bin" });
    process.start(tool.isEmpty() ? program : tool, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void Click(QWidget& dialog, const char* buttonName)
{
    auto* button = dialog.findChild<QAbstractButton*>(buttonName);
    QVERIFY2(button, buttonName);
    button->click();
}

// Types the file name into a file dialog, as a person would, picks the type entry
// (counted from 1) and accepts; after runs once it has accepted.
inline std::function<void(QFileDialog&)> ChooseFile(
    const QString& path, int typeEntry = 0, std::function<void()> after = {})
{
    return [=](QFileDialog& dialog) {
        if (typeEntry > 0)
            dialog.selectNameFilter(dialog.nameFilters().value(typeEntry - 1));
        dialog.setDirectory(QFileInfo(path).absolutePath());
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(path).fileName());
        QMetaObject::invokeMethod(&dialog, "accept"); // protected in QFileDialog
        if (after)
            after();
    };
}

// A white 24-bit answer sheet with both registration marks as printed (no skew), the eight ID
// digits marked, and question 1 answered "a" when asked.
inline bool WriteAnswerSheet(const QString& path, int examineeId, bool answerQuestionOne)
{
    QImage sheet(850, 1100, QImage::Format_RGB888);
    sheet.fill(Qt::white);
    QPainter paint(&sheet);
    constexpr int X = kFormLeftMarkX;
    constexpr int Y = kFormLeftMarkY;
    for (const int markX : { X, X + kFormMarkSpacing }) // reference points at the bottom right
        for (int v = -kMarkHeight; v <= 0; ++v)
            for (int u = -kMarkWidth; u <= 0; ++u)
                if (InsideRegistrationMark(u, v))
                    sheet.setPixelColor(markX + u, Y + v, Qt::black);
    // A band blacked over its 14 rows completes its count of 30 in the block's third column.
    for (int band = 0, divisor = 10'000'000; band < kIdDigitCount; ++band, divisor /= 10)
        paint.fillRect(X + static_cast<int>(kIdDigitOriginOffset)
                + kIdDigitColumns[static_cast<size_t>(examineeId / divisor % 10)].first + 3,
            Y + static_cast<int>(kIdBandTopOffset + kIdBandStep * band), 10, 14, Qt::black);
    const AnswerBlock first = kAnswerBlocks[0];
    if (answerQuestionOne) // 70 pixels inside question 1's "a" box
        paint.fillRect(
            X + first.columnOffset - kBlockLeftInset + 2, Y + first.bandOffset + 22, 10, 7, Qt::black);
    paint.end();
    return sheet.save(path, "BMP");
}

// Each test starts the program afresh, its messages recorded, on empty settings, key
// stores and register, an empty PATH, and a folder holding img001.bmp (11111111,
// question 1 "a"), img002.bmp (22222222, nothing marked) and img003.bmp (30405060, "a").
class UiTest : public QObject {
    Q_OBJECT

protected:
    QString Path(const QString& name) const { return m_folder.filePath(name); }

    template <typename Dialog> void Answer(std::function<void(Dialog&)> action)
    {
        m_modals->Then<Dialog>(std::move(action));
    }

    // Quits the program and starts it again on the same settings.
    void Restart()
    {
        m_binding.reset(); // bindings end in the reverse order they began
        m_app.reset();
        m_app = std::make_unique<CVantrelApp>();
        m_app->CreateMainFrame();
        m_app->MainFrame()->show();
        m_binding = std::make_unique<ScopedMessageBox>(m_messages); // over the program's own
    }

    void Trigger(int command)
    {
        QAction* action = m_app->MainFrame()->Action(command);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    void Open(const QStringList& names)
    {
        for (const QString& name : names)
            QVERIFY(m_app->OpenDocumentFile(Path(name)));
    }

    QTemporaryDir m_folder;
    RecordingMessageBox m_messages;
    std::unique_ptr<CVantrelApp> m_app;
    std::unique_ptr<ModalAnswers> m_modals;
    std::unique_ptr<ScopedMessageBox> m_binding;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid() && QDir(m_folder.path()).mkpath("bin"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path("settings"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Path("settings"));
        qputenv("PATH", QFile::encodeName(Path("bin")));
        QVERIFY(WriteAnswerSheet(Path("img001.bmp"), 11111111, true));
        QVERIFY(WriteAnswerSheet(Path("img002.bmp"), 22222222, false));
        QVERIFY(WriteAnswerSheet(Path("img003.bmp"), 30405060, true));
    }

    void init()
    {
        QSettings("Vantrel", "Vantrel").clear();
        g_enteredKey = g_committedKey = g_gradingKey = {};
        g_keyReady = false;
        g_lastSheetNumber = -1; // not a value the main dialog gives: shows whether it was set
        g_resultsRegister.reset();
        m_messages.texts.clear();
        m_modals = std::make_unique<ModalAnswers>();
        Restart();
    }

    void cleanup()
    {
        QCOMPARE(m_modals->pending(), 0);
        QCOMPARE(m_modals->wrong, 0);
        m_binding.reset();
        m_app.reset();
        QVERIFY(!QApplication::activeModalWidget());
    }
};
