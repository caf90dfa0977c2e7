#include "platform/ScriptedPrompts.h"

namespace platform {

MsgAnswer ScriptedPrompts::message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons)
{
    Message m{text, title.isEmpty() ? applicationTitle() : title, icon, buttons};
    messages.append(m);
    if (onMessage)
        onMessage(m);
    if (answers.empty())
        return MsgAnswer::OK;
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompts::openFile(const OpenDialog &dialog)
{
    dialogs.append(dialog);
    if (files.empty())
        return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

Status ScriptedPrompts::startProgram(const QString &commandLine)
{
    programs.append(commandLine);
    return startResult;
}

void ScriptedPrompts::setBusy(bool busy)
{
    if (busy) {
        ++busyDepth;
        ++busyCalls;
    } else {
        --busyDepth;
    }
}

void ScriptedPrompts::clear()
{
    messages.clear();
    dialogs.clear();
    programs.clear();
    answers.clear();
    files.clear();
}

} // namespace platform
