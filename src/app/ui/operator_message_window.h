#pragma once

#include "app/ui/message_windows.h"
#include "operator_messages.h"

// The core's texts for the operator, each shown in the error message window.
class OperatorMessageWindow : public OperatorMessages
{
public:
    void ShowMessage(const QString& text) override { ShowError(text); }
};
