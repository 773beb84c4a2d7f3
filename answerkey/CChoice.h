#pragma once

#include "answerkey/answer_key.h"

#include <QDialog>

#include <array>
#include <string>

class QLineEdit;

// The answer-key dialog: 100 one-character answer fields, the name of the key
// file last loaded, and buttons to load a key file and to store the committed key.
// It holds its own copy of the key; the caller takes it after OK.
class CChoice : public QDialog {
    Q_OBJECT

public:
    // Starts from the committed key's answers and name.
    explicit CChoice(QWidget* parent = nullptr);

    const AnswerList& Answers() const { return m_answers; }
    const std::string& KeyName() const { return m_keyName; }

private:
    // Replaces the held answers with a key file's; the key name becomes the file's title.
    void LoadAnswerKeyFile();
    // Writes the committed key (not what the fields show) to a key file.
    void SaveAnswerKeyFile();

    void CreateAnswerGrid();
    void CreateKeyControls();
    // Held values to fields.
    void ShowHeldValues();
    // Fields to held values, on OK only.
    void TakeFieldValues();
    void OnOk();

    AnswerList m_answers;
    std::string m_keyName;
    std::array<QLineEdit*, kQuestionCount> m_answerFields {};
    QLineEdit* m_keyNameField = nullptr;
};

// Runs the answer-key dialog; on OK its answers and name become the entered key.
// Closing it any other way changes nothing, even after a key file was loaded.
void EnterAnswerKey(QWidget* parent);
