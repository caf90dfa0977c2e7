#pragma once
#include "platform/Prompts.h"
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace platform {

// Prompts for tests: records every message, dialog and program start, and answers from a
// script. Unscripted messages answer OK, unscripted dialogs cancel.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        QString text;
        QString title; // as shown: an empty title given shows as "Brenvik"
        MsgIcon icon;
        MsgButtons buttons;
    };

    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) override;
    std::optional<QString> openFile(const OpenDialog &dialog) override;
    Status startProgram(const QString &commandLine) override;
    void setBusy(bool busy) override;

    // Script.
    void answerNext(MsgAnswer answer) { answers.push_back(answer); }
    void chooseNext(std::optional<QString> path) { files.push_back(std::move(path)); }
    // Called with each message as it is shown (after it is recorded), e.g. to look at state.
    std::function<void(const Message &)> onMessage;
    // The answer to program starts.
    Status startResult = Status::success();

    // Record.
    QList<Message> messages;
    QList<OpenDialog> dialogs;
    QStringList programs;
    int busyDepth = 0;   // current nesting
    int busyCalls = 0;   // times the busy pointer was switched on

    std::deque<MsgAnswer> answers;
    std::deque<std::optional<QString>> files;

    void clear();
};

} // namespace platform
