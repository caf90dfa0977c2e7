#pragma once
#include "platform/Prompts.h"
#include <QString>

// A rule's "no": the text of the box that says why, its title, and the control the focus goes
// to (only the add-consist window moves the focus; every other refusal leaves it).
struct Refusal {
    enum class Focus { chkEPO1, cboUland, cboGT, chkOL1, txtPixels, chkSAR0, chkLR1, txtCycle, txtLabel, none };
    QString text;
    QString title = platform::kTitle; // some refusals are given an empty title on purpose
    Focus focus = Focus::none;
    bool operator==(const Refusal &) const = default;
};

// Shows the refusal in a box with its own title and an OK button.
inline void tell(platform::Prompts &prompts, const Refusal &refusal)
{
    prompts.message(refusal.text, refusal.title, platform::MsgIcon::Exclamation, platform::MsgButtons::OK);
}
