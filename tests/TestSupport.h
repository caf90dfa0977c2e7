#pragma once
#include "main/frmBrenvik.h"
#include "platform/ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "shared/mc_Brenvik.h"
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failures: texts as quoted text with their line ends shown, not as arrays of characters.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
void PrintTo(const QStringList &texts, std::ostream *os);
// Places and sizes as numbers, not as bytes.
void PrintTo(const QRect &rect, std::ostream *os);
void PrintTo(const QSize &size, std::ostream *os);

// Every test runs in a temporary folder of its own, which is also the current folder.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Full path of `name` inside the test's folder.
    QString path(const QString &name) const;
    // Writes bytes to a file (folders made as needed); returns its full path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // Makes a folder (and its parents) inside the test's folder; returns its full path.
    QString makeDir(const QString &name) const;
    // Writes a picture as a 24-bit BMP; returns its full path.
    QString writeBmp(const QString &name, const QImage &image) const;

    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// A w x h picture filled with one colour, with a marker pixel of `mark` at (0, 0) so
// copies can be told apart from fills.
QImage solidImage(int w, int h, QColor fill, QColor mark = QColor());

// Where the build put the program and its generators.
QString buildDir();

// One vehicle of a test library, as its line gives it; left out, it is a plain electric
// locomotive of era 5 from FRG.
struct LibraryVehicle {
    QByteArray label;
    QByteArray era = "5";
    QByteArray country = "FRG";
    QByteArray type = "E";
    // Columns 49 to 58: overhead line, its height (two digits), pantograph, direction, shunting,
    // push-pull, double traction, cycle, variations.
    QByteArray flags = "Y58NLNNN0N";
    QByteArray file;
};

// The vehicle's library line in its fixed columns, without a line end.
QByteArray libraryLine(const LibraryVehicle &vehicle);
// A library text: the vehicles' lines, each ended by CR LF.
QByteArray libraryText(const QList<LibraryVehicle> &vehicles);

// A library vehicle as the main window reads it. Apart from the fields given it is plain: no
// pantograph, both directions, no shunting, push-pull or double traction, no cycle, no variations.
VehicleRecord vehicleRecord(const char *label, const char *era, const char *country, const char *type, const char *ol,
                            int16_t olh, const QString &path);

// The control named `name` inside `window`; a failure, and nullptr, when there is none.
QWidget *findControl(QWidget &window, const char *name);
// The control named `name` stands at `geometry` in its parent; returns it (nullptr when missing).
QWidget *expectControlAt(QWidget &window, const char *name, const QRect &geometry);
// A mouse click on the control named `name` inside `window`.
void clickControl(QWidget &window, const char *name);
// A mouse click on the row of a list box.
void clickRow(ListBox &list, int row);

// The message was shown titled "Brenvik" with this text, icon and buttons.
void expectMessage(const platform::ScriptedPrompts::Message &message, const QString &text,
                   platform::MsgIcon icon = platform::MsgIcon::Exclamation,
                   platform::MsgButtons buttons = platform::MsgButtons::OK);
// Exactly one message was shown, and it is that one.
void expectOneMessage(const platform::ScriptedPrompts &prompts, const QString &text,
                      platform::MsgIcon icon = platform::MsgIcon::Exclamation,
                      platform::MsgButtons buttons = platform::MsgButtons::OK);

// The main window on fresh shared state and scripted prompts, on screen. `Prompts` is
// ScriptedPrompts or a kind of it that records more.
template <class Prompts = platform::ScriptedPrompts>
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

    void expectOneMessage(const QString &text, platform::MsgIcon icon = platform::MsgIcon::Exclamation,
                          platform::MsgButtons buttons = platform::MsgButtons::OK) const
    {
        ::expectOneMessage(prompts, text, icon, buttons);
    }

    mc_Brenvik state;
    Prompts prompts;
    std::unique_ptr<frmBrenvik> window;
};

using MainWindowTest = MainWindowFixture<>;
