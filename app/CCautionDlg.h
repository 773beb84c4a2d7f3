#pragma once

#include <QDialog>

// The precautions shown after every start of the scanner utility.
class CCautionDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCautionDlg(QWidget* parent = nullptr);
};
