#pragma once

// Shared by the desktop tests: a recording message service, a script that answers
// modal dialogs as they appear, temporary settings and synthetic answer sheets.

#include "framework/message_box.h"
#include "omr/sheet_layout.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QQueue>
#include <QSettings>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

// Records every text instead of showing it.
class RecordingMessageBox : public MessageBoxService {
public:
    void Show(const std::string& text) override { texts << QString::fromStdString(text); }
    QStringList texts;
};

// Answers modal dialogs in the order they appear: each new modal widget is handed
// to the next scripted action (run from the event loop, so an action may itself
// open a dialog). A modal nobody scripted is rejected and counted, so a test
// fails instead of hanging.
class ModalScript : public QObject {
public:
    using Action = std::function<void(QWidget*)>;

    ModalScript()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::Poll);
        m_timer.start(5);
    }

    ModalScript& Then(Action action)
    {
        m_actions.enqueue(std::move(action));
        return *this;
    }

    bool Finished() const { return m_actions.isEmpty(); }

    QStringList seenTitles; // window titles of the modals, in order
    int unexpected = 0;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_lastHandled || m_busy)
            return;
        m_lastHandled = modal;
        seenTitles << modal->windowTitle();
        if (m_actions.isEmpty()) {
            ++unexpected;
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        m_busy = true;
        QTimer::singleShot(0, this, [this, action = m_actions.dequeue(), target = QPointer<QWidget>(modal)] {
            m_busy = false;
            if (target)
                action(target);
        });
    }

    QTimer m_timer;
    QQueue<Action> m_actions;
    QPointer<QWidget> m_lastHandled;
    bool m_busy = false;
};

inline void AcceptDialog(QWidget* dialog)
{
    QMetaObject::invokeMethod(dialog, "accept");
}

inline void RejectDialog(QWidget* dialog)
{
    QMetaObject::invokeMethod(dialog, "reject");
}

// Chooses the file (absolute path) and the type entry (counted from 1) in a file
// dialog and accepts it.
inline ModalScript::Action ChooseInFileDialog(
    const QString& path, int typeEntry = 0, std::function<void()> afterAccept = {})
{
    return [path, typeEntry, afterAccept](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog)
            return RejectDialog(widget);
        if (typeEntry > 0)
            dialog->selectNameFilter(dialog->nameFilters().value(typeEntry - 1));
        dialog->setDirectory(QFileInfo(path).absolutePath());
        // Typed, as a person would.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(QFileInfo(path).fileName());
        QMetaObject::invokeMethod(dialog, "accept");
        if (afterAccept)
            afterAccept();
    };
}

// Keeps QSettings of this process inside the folder.
inline void UseSettingsFolder(const QString& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

// A white 24-bit answer sheet with both registration marks (the printed form's
// reference points, no skew), the eight ID digits marked, and question 1 answered
// "a" when asked. Returns whether the BMP file was written.
inline bool WriteAnswerSheet(const QString& path, int examineeId, bool answerQuestionOne)
{
    QImage sheet(850, 1100, QImage::Format_RGB888);
    sheet.fill(Qt::white);
    const auto fill = [&sheet](int left, int top, int width, int height) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                sheet.setPixelColor(x, y, Qt::black);
    };
    constexpr int X = kFormLeftMarkX;
    constexpr int Y = kFormLeftMarkY;
    fill(X - 30, Y - 30, 31, 31); // left mark, bottom right corner at (X, Y)
    fill(X + kFormMarkSpacing - 30, Y - 30, 31, 31); // right mark at the same height

    // A band fully blacked over its 14 rows completes its count of 30 black
    // pixels in the third column of the block.
    int divisor = 10'000'000;
    for (int band = 0; band < kIdDigitCount; ++band, divisor /= 10) {
        const int digit = examineeId / divisor % 10;
        fill(X + static_cast<int>(kIdDigitOriginOffset) + kIdDigitColumns[static_cast<size_t>(digit)].first
                + 3,
            Y + static_cast<int>(kIdBandTopOffset + kIdBandStep * band), 10, 14);
    }
    // 70 pixels inside question 1's "a" box
    const AnswerBlock first = kAnswerBlocks[0];
    if (answerQuestionOne)
        fill(X + first.columnOffset - kBlockLeftInset + 2, Y + first.bandOffset + 22, 10, 7);
    return sheet.save(path, "BMP");
}
