#pragma once

#include <QDialog>

// The about box: program name and version, what it is for, and a reminder to
// read the manual.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
