#include "omr/engine_state.h"

#include "framework/message_box.h"

void EngineState::Show(const std::string& text) const
{
    if (services.messages)
        services.messages->Show(text);
    else
        ShowMessage(text);
}
