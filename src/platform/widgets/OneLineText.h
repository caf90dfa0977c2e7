#pragma once

class QLineEdit;

namespace platform {

// A text box of one line, as on the old platform: text pasted, dropped or set from outside is
// cut at its first line break (CR or LF), and what stood around it stays.
void keepOneLine(QLineEdit *box);

} // namespace platform
