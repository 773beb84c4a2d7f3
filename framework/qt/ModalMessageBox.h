#pragma once

#include "framework/message_box.h"

// Shows each text in a modal box captioned "Vantrel" with one OK button.
class ModalMessageBox : public MessageBoxService {
public:
    void Show(const std::string& text) override;
};

// Asks a question in a modal box captioned "Vantrel" with Yes and No; true for Yes.
// No is the default, so Enter or Escape answers it.
bool AskYesNo(const std::string& text);
