#pragma once
#include "platform/Prompts.h"

namespace platform {

// Prompts shown with Qt: message boxes, the open dialog, the desktop's programs, the
// override cursor.
class QtPrompts : public Prompts {
public:
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) override;
    std::optional<QString> openFile(const OpenDialog &dialog) override;
    Status startProgram(const QString &commandLine) override;
    void setBusy(bool busy) override;
};

} // namespace platform
