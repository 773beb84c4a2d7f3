#pragma once

// Answers nested modal dialogs by type: each answer waits for its own kind of
// dialog, so returning to an outer dialog is never taken for a new one.

#include "ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Parent of the answers still waiting for their dialog.
inline QObject& PendingAnswers()
{
    static QObject pending;
    return pending;
}

// Drops the answers whose dialog never came; returns how many there were.
inline int CancelPendingAnswers()
{
    const QList<QTimer*> waiting = PendingAnswers().findChildren<QTimer*>();
    qDeleteAll(waiting);
    return static_cast<int>(waiting.size());
}

// Runs the action on the next modal dialog of type Dialog, other than the
// given one, once it is shown. The action should close it; a dialog it leaves
// open (say, after a failed check) is rejected so the test cannot hang.
template <typename Dialog>
void AnswerNextModal(std::function<void(Dialog&)> action, const QWidget* notThis = nullptr)
{
    auto* poll = new QTimer(&PendingAnswers());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action, notThis] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == notThis || !dialog->isVisible())
            return;
        poll->stop();
        poll->setParent(nullptr);
        poll->deleteLater();
        const QPointer<Dialog> guard(dialog);
        action(*dialog);
        if (guard && guard->isVisible()) {
            qWarning("%s left open", Dialog::staticMetaObject.className());
            guard->reject();
        }
    });
    poll->start();
}

inline void Click(QWidget& dialog, const char* buttonName)
{
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    if (button)
        button->click();
    else
        qWarning("no button %s", buttonName);
}

// Chooses the file in the next file dialog; the after action runs once it has accepted.
inline void ChooseNextFile(const QString& path, std::function<void()> after = {})
{
    AnswerNextModal<QFileDialog>(
        [path, after](QFileDialog& dialog) { ChooseInFileDialog(path, 0, after)(&dialog); });
}
