#pragma once

#include "framework/message_box.h"

// Shows each text in a modal box captioned "Vantrel" with one OK button.
class ModalMessageBox : public MessageBoxService
{
public:
    void Show(const std::string& text) override;
};
