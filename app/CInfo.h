#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;

// The last sheet number of the confirmed main dialog, for the sequence opening.
extern int32_t g_lastSheetNumber;

// The main workflow dialog: step 1 starts the scanner utility, step 2 the
// answer-key dialog, step 3 takes the last sheet number. Only its button
// "เปิดและพร้อมตรวจ" closes it with Accepted; Enter never closes it.
class CInfo : public QDialog {
    Q_OBJECT

public:
    explicit CInfo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateStepOne();
    void CreateStepTwo();
    void CreateStepThree();
    void CreateCheckingHints();

    void OnLaunchScanner();
    void OnOpenAndReady();
    // Reads the number box into m_lastSheetNumber; on bad text says why and keeps
    // the focus on the box.
    bool TakeLastSheetNumber();

    int32_t m_lastSheetNumber = 0;
    QLineEdit* m_lastSheetBox = nullptr;
};
