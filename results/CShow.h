#pragma once

#include "results/results_register.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <array>
#include <cstdint>

class DialogUnits;
class QLineEdit;

// The results register as a read-only table of 30 rows (file name, ID, correct,
// errors), shown as it was when the dialog opened. Doubles as the checking
// commands' confirmation: only "ตรวจ" (or Enter) accepts it.
class CShow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCheckButton = 1;
    static constexpr int kCloseButton = 2;
    static constexpr int kResetButton = 1107;
    static constexpr int kSaveButton = 1108;

    explicit CShow(QWidget* parent = nullptr);

    // The control with this dialog control id (an edit box or a button).
    QWidget* Control(int controlId) const { return m_controls.value(controlId); }

    // Box ids of a row as the dialog numbers it, 1 to 30.
    static int FileNameBoxId(int row);
    static int IdBoxId(int row);
    static int CorrectBoxId(int row);
    static int ErrorBoxId(int row);

private:
    void CreateTable(const DialogUnits& units);
    void CreateButtons(const DialogUnits& units);
    QLineEdit* CreateBox(const DialogUnits& units, int controlId, int x, int y, int width);
    void ShowMembers();

    // Empties the register and closes the dialog, so the command grades nothing.
    void OnResetResults();
    // Writes the results file to a path chosen in a save dialog; stays open.
    void SaveResultsFile();

    std::array<QString, ResultsRegister::kRows> m_titles;
    std::array<int32_t, ResultsRegister::kRows> m_ids {};
    std::array<int32_t, ResultsRegister::kRows> m_corrects {};
    std::array<int32_t, ResultsRegister::kRows> m_errors {};
    QHash<int, QWidget*> m_controls;
};
