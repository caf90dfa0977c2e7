#include "WindowTestSupport.h"
#include <QApplication>

QWidget *findControl(QWidget &window, const char *name)
{
    auto *control = window.findChild<QWidget *>(QLatin1String(name));
    if (!control)
        ADD_FAILURE() << "no control named " << name;
    return control;
}

QWidget *expectControlAt(QWidget &window, const char *name, const QRect &geometry)
{
    QWidget *control = findControl(window, name);
    if (control) {
        EXPECT_EQ(control->geometry(), geometry) << name;
    }
    return control;
}

QList<QWidget *> expectControlsAt(QWidget &window, std::initializer_list<ControlPlace> places)
{
    QList<QWidget *> found;
    for (const ControlPlace &place : places) {
        if (QWidget *control = expectControlAt(window, place.name, place.geometry))
            found.append(control);
    }
    return found;
}

void clickControl(QWidget &window, const char *name)
{
    if (QWidget *control = findControl(window, name))
        QTest::mouseClick(control, Qt::LeftButton);
}

void clickRow(platform::ListBox &list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(row, 0)).center());
}

void expectMessage(const ScriptedPrompts::Message &message, const QString &text, MsgIcon icon, MsgButtons buttons)
{
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.title, QStringLiteral("Brenvik"));
    EXPECT_EQ(message.icon, icon);
    EXPECT_EQ(message.buttons, buttons);
}

void expectOneMessage(const ScriptedPrompts &prompts, const QString &text, MsgIcon icon, MsgButtons buttons)
{
    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0], text, icon, buttons);
}

int main(int argc, char **argv)
{
    return runTests<QApplication>(argc, argv);
}
