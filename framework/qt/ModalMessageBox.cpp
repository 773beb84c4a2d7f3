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
