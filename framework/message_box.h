#pragma once

#include <string>

// How the core shows a text to a person: a modal box with one OK button in the
// desktop program, a line on standard error in the batch grader, a record in tests.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Returns once the person has dismissed the text.
    virtual void Show(const std::string& text) = 0;
};

// Shows the text through the service bound to the calling thread
// (standard error when none is bound).
void ShowMessage(const std::string& text);

// Binds a service to the calling thread for the lifetime of this object.
class ScopedMessageBox {
public:
    explicit ScopedMessageBox(MessageBoxService& service);
    ~ScopedMessageBox();
    ScopedMessageBox(const ScopedMessageBox&) = delete;
    ScopedMessageBox& operator=(const ScopedMessageBox&) = delete;

private:
    MessageBoxService* m_previous;
};
