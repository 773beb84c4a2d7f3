#include "framework/qt/ModalMessageBox.h"

#include <QApplication>
#include <QMessageBox>

void ModalMessageBox::Show(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vantrel"), QString::fromStdString(text),
        QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrel"), QString::fromStdString(text),
        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
