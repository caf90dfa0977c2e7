#pragma once
// What window tests add to the rules' support: the main window on scripted prompts, and finding,
// clicking and checking controls and message boxes.
#include "ScriptedPrompts.h"
#include "TestSupport.h"
#include "main/frmBrenvik.h"
#include "platform/widgets/ListBox.h"
#include "shared/mc_Brenvik.h"
#include <QList>
#include <QRect>
#include <QTest>
#include <initializer_list>
#include <memory>

// Window tests speak of the prompts and their answers by their short names.
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::ScriptedPrompts;

// The control named `name` inside `window`; a failure, and nullptr, when there is none.
QWidget *findControl(QWidget &window, const char *name);
// The control named `name` stands at `geometry` in its parent; returns it (nullptr when missing).
QWidget *expectControlAt(QWidget &window, const char *name, const QRect &geometry);
// Where one control of a form stands.
struct ControlPlace {
    const char *name;
    QRect geometry;
};
// Each control stands at its place; returns the controls found, in the places' order.
QList<QWidget *> expectControlsAt(QWidget &window, std::initializer_list<ControlPlace> places);
// A mouse click on the control named `name` inside `window`.
void clickControl(QWidget &window, const char *name);
// A mouse click on the row of a list box.
void clickRow(platform::ListBox &list, int row);

// The message was shown titled "Brenvik" with this text, icon and buttons.
void expectMessage(const ScriptedPrompts::Message &message, const QString &text,
                   MsgIcon icon = MsgIcon::Exclamation, MsgButtons buttons = MsgButtons::OK);
// Exactly one message was shown, and it is that one.
void expectOneMessage(const ScriptedPrompts &prompts, const QString &text, MsgIcon icon = MsgIcon::Exclamation,
                      MsgButtons buttons = MsgButtons::OK);

// The main window on fresh shared state and scripted prompts, on screen. `Prompts` is
// ScriptedPrompts or a kind of it that records more.
template <class Prompts = ScriptedPrompts>
class MainWindowFixture : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        startWindow();
    }
    void TearDown() override
    {
        window.reset();
        TempDirTest::TearDown();
    }

    // A new window on fresh state and prompts, as at a new start of the program.
    void startWindow(bool shown = true)
    {
        window.reset();
        state = mc_Brenvik();
        prompts = Prompts();
        window = std::make_unique<frmBrenvik>(state, prompts);
        if (shown) {
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        }
    }

    // Opens `file` through "&Open" as if the user chose it in the dialog.
    void open(const QString &file)
    {
        prompts.chooseNext(file);
        window->menuOpen_Click();
    }

    // Selects the vehicle at `row` of lstSource by code and runs its Click, as a key press would.
    void select(int row)
    {
        window->lstSource->setListIndex(row);
        window->lstSource_Click();
    }

    void click(const char *name) { clickControl(*window, name); }

    void expectOneMessage(const QString &text, MsgIcon icon = MsgIcon::Exclamation,
                          MsgButtons buttons = MsgButtons::OK) const
    {
        ::expectOneMessage(prompts, text, icon, buttons);
    }

    mc_Brenvik state;
    Prompts prompts;
    std::unique_ptr<frmBrenvik> window;
};

using MainWindowTest = MainWindowFixture<>;
