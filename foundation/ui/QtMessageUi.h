#pragma once
#include "foundation/MessageUi.h"

// Message boxes as real Qt dialogs.
class QtMessageUi final : public IMessageUi {
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
};
