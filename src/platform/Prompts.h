#pragma once
#include "platform/Status.h"
#include <QString>
#include <optional>

namespace platform {

enum class MsgIcon { None, Exclamation, Critical, Information };
enum class MsgButtons { OK, OKCancel };
enum class MsgAnswer { OK, Cancel };

// The title of every box the program shows and of its main window.
inline const QString kTitle = QStringLiteral("Brenvik");

// The settings of the file-open dialog, as the program gives them.
struct OpenDialog {
    QString filter;   // "Description (*.ext)|*.ext"
    QString fileName; // initial file name
    QString title;
    QString initDir;
};

// Everything that asks the user or the desktop. The program uses the Qt implementation;
// tests use ScriptedPrompts, which records every call and plays back answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box. An empty title means the application's title, "Brenvik".
    virtual MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) = 0;

    // The open dialog: the chosen full path, or nothing when it was cancelled.
    virtual std::optional<QString> openFile(const OpenDialog &dialog) = 0;

    // Starts a program from a command line without waiting ("WRITE <path>" asks for the
    // desktop's text editor on the file).
    virtual Status startProgram(const QString &commandLine) = 0;

    // The busy pointer while long work runs; calls nest.
    virtual void setBusy(bool busy) = 0;
};

// Tells the user something in a box titled kTitle with an OK button.
inline void tell(Prompts &prompts, const QString &text, MsgIcon icon = MsgIcon::Exclamation)
{
    prompts.message(text, kTitle, icon, MsgButtons::OK);
}

// Asks the user in a box titled kTitle with OK and Cancel; true when OK was chosen.
inline bool ask(Prompts &prompts, const QString &question)
{
    return prompts.message(question, kTitle, MsgIcon::Exclamation, MsgButtons::OKCancel) == MsgAnswer::OK;
}

// While alive, shows the busy pointer; back to the arrow however the scope is left.
class BusyPointer {
public:
    explicit BusyPointer(Prompts &prompts) : m_prompts(prompts) { m_prompts.setBusy(true); }
    ~BusyPointer() { m_prompts.setBusy(false); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Prompts &m_prompts;
};

} // namespace platform
