#include "ScriptedPrompts.h"

namespace platform {

MsgAnswer ScriptedPrompts::message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons)
{
    Message m{text, title.isEmpty() ? kTitle : title, icon, buttons};
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
    // Copied out field by field: gcc 12 at -O2 mistakes a copied optional<QString> for uninitialized.
    const bool cancelled = !files.front().has_value();
    const QString chosen = files.front().value_or(QString());
    files.pop_front();
    if (cancelled)
        return std::nullopt;
    return chosen;
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
