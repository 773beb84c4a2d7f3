#pragma once

#include "framework/message_box.h"

#include <string>
#include <vector>

// Keeps every text shown instead of showing it.
class RecordingMessageBox : public MessageBoxService {
public:
    void Show(const std::string& text) override { texts.push_back(text); }

    std::vector<std::string> texts;
};
