#pragma once

#include "Messages.h"

// The desktop's messages: one modal message box per message or question.
class MessageBoxes : public Messages {
public:
    Answer show(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
};
