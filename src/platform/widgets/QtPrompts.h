#pragma once
#include "platform/Prompts.h"

// Prompts shown with Qt: message boxes, the open dialog, the desktop's programs, the
// override cursor.
class QtPrompts : public platform::Prompts {
public:
    platform::MsgAnswer message(const QString &text, const QString &title, platform::MsgIcon icon,
                                platform::MsgButtons buttons) override;
    std::optional<QString> openFile(const platform::OpenDialog &dialog) override;
    platform::Status startProgram(const QString &commandLine) override;
    void setBusy(bool busy) override;
};

// Loads the program's compiled-in pictures (once) and gives the program icon.
void initBrenvikResources();
class QIcon;
QIcon brenvikIcon();
