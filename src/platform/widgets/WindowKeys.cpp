#include "platform/widgets/WindowKeys.h"
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// Watching a push button, it clicks it on Enter; watching a dialog, it eats Esc.
class WindowKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            const bool enter = (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
                && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (enter && !key.isAutoRepeat()) // a held key clicks once, as Space does
                button->click();
            return enter;
        }
        // Esc that no control took reaches the dialog, whose own handling would reject it.
        return key.key() == Qt::Key_Escape;
    }
};

} // namespace

namespace platform {

void enterClicksFocusedButton(QWidget &window)
{
    auto *filter = new WindowKeyFilter(&window);
    // On the buttons themselves, so that Enter in a text box never comes here.
    for (QPushButton *button : window.findChildren<QPushButton *>())
        button->installEventFilter(filter);
}

void ignoreEscape(QDialog &dialog)
{
    dialog.installEventFilter(new WindowKeyFilter(&dialog));
}

} // namespace platform
