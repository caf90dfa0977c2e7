#pragma once

class QDialog;
class QWidget;

// Enter and Esc as every window of the program takes them.
namespace platform {

// Enter or Return on a focused push button of `window` clicks it, as Space does; in a text box
// they still click nothing. Covers the buttons the window has when this is called.
void enterClicksFocusedButton(QWidget &window);

// Esc does nothing in a dialog without a cancel button; its own buttons and its close box still
// close it.
void ignoreEscape(QDialog &dialog);

} // namespace platform
