#include "framework/message_box.h"

#include <cstdio>

namespace {

thread_local MessageBoxService* t_boundService = nullptr;

void ShowOnStandardError(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace

void ShowMessage(const std::string& text)
{
    if (t_boundService)
        t_boundService->Show(text);
    else
        ShowOnStandardError(text);
}

ScopedMessageBox::ScopedMessageBox(MessageBoxService& service)
    : m_previous(t_boundService)
{
    t_boundService = &service;
}

ScopedMessageBox::~ScopedMessageBox()
{
    t_boundService = m_previous;
}
