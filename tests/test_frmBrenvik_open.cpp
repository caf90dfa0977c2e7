#include "WindowTestSupport.h"
#include "main/Variations.h"
#include "main/frmBrenvik.h"
#include "platform/FileFaults.h"
#include "platform/Paths.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// A library line of an electric locomotive with its pantograph, running left.
QByteArray vehicleLine(const char *label, const char *era, const char *country, const char *type, const char *name)
{
    return libraryLine({label, era, country, type, "Y58YLNNN0N", name});
}

QString listLine(const char *label, const char *country, const char *era)
{
    return QString::fromLatin1(label).leftJustified(40) + QLatin1Char(' ') + QString::fromLatin1(country).leftJustified(3)
        + QStringLiteral("    ") + QString::fromLatin1(era).leftJustified(3);
}

class FrmBrenvikOpen : public MainWindowTest {
protected:
    // A library of three vehicles (one of them a train) in lib/trains.txt.
    QString threeVehicleLibrary()
    {
        return writeFile(QStringLiteral("lib/trains.txt"),
                         vehicleLine("BR 101", "5", "FRG", "E", "br101.bmp") + "\r\n"
                             + vehicleLine("Re 4/4 II", "4-5", "CH", "E", "re44.bmp") + "\r\n"
                             + vehicleLine("My train", "5", "FRG", "E", "00001.bmp") + "\r\n");
    }

    // The window on screen with the three-vehicle library in its list.
    platform::ListBox *shownVehicleList()
    {
        open(threeVehicleLibrary());
        return window->lstSource;
    }
};

} // namespace

TEST_F(FrmBrenvikOpen, windowHasFixedClientAreaAndCaption)
{
    startWindow(false);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brenvik"));
    ASSERT_NE(window->centralWidget(), nullptr);
    EXPECT_EQ(window->centralWidget()->size(), QSize(760, 501));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->centralWidget()->size(), QSize(760, 501));
    EXPECT_EQ(window->centralWidget()->y(), window->menuBar()->height());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), QColor(0x00, 0x48, 0x00));
}

TEST_F(FrmBrenvikOpen, everyControlAtItsPlace)
{
    const QList<QWidget *> controls = expectControlsAt(*window, {
        {"Image1", {0, 6, 760, 70}},        {"picConsist", {0, 9, 39, 38}},     {"cmdLBegin", {8, 80, 21, 20}},
        {"cmdLeft", {30, 80, 21, 20}},      {"cmdAdd", {401, 80, 21, 20}},      {"cmdUndo", {423, 80, 21, 20}},
        {"cmdReset", {445, 80, 21, 20}},    {"cmdX", {467, 80, 21, 20}},        {"chkInherit", {522, 80, 116, 18}},
        {"cmdRight", {709, 80, 21, 20}},    {"cmdRBegin", {731, 80, 21, 20}},   {"Label1", {8, 103, 383, 20}},
        {"cmdUpd", {401, 104, 21, 20}},     {"picPreview", {423, 104, 13, 13}}, {"lstSource", {8, 125, 383, 214}},
        {"picAppo", {600, 189, 149, 61}},   {"picVAR", {401, 205, 13, 13}},     {"cmdVarSu", {401, 280, 21, 20}},
        {"cmdVarGiu", {423, 280, 21, 20}},  {"lblVAR", {447, 282, 173, 15}},    {"Command1", {488, 318, 88, 28}},
        {"Command4", {576, 318, 88, 28}},   {"Command3", {664, 318, 88, 28}},   {"lstOriginalFile", {8, 351, 744, 144}},
    });
    for (const QWidget *w : controls)
        EXPECT_EQ(w->parentWidget(), window->centralWidget()) << qPrintable(w->objectName());
    EXPECT_TRUE(window->picAppo->isHidden());
    // The train lies over the band.
    EXPECT_EQ(window->centralWidget()->childAt(20, 20), window->picConsist);
    EXPECT_EQ(window->centralWidget()->childAt(100, 20), window->Image1);
    EXPECT_EQ(window->Image1->pixmap().size(), QSize(760, 70));
}

TEST_F(FrmBrenvikOpen, captionsAndLooks)
{
    EXPECT_EQ(window->chkInherit->text(), QStringLiteral("Inherit Attributes"));
    EXPECT_FALSE(window->chkInherit->isChecked());
    EXPECT_EQ(window->chkInherit->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window->lblVAR->text(), QStringLiteral("Variation:"));
    EXPECT_EQ(window->lblVAR->palette().color(QPalette::WindowText), QColor(Qt::white));

    const QString heading = window->Label1->text();
    EXPECT_EQ(heading, QStringLiteral("Label                                  Country  Era"));
    EXPECT_EQ(heading.size(), 51);
    EXPECT_EQ(window->Label1->frameShadow(), QFrame::Sunken);

    for (QWidget *w : {static_cast<QWidget *>(window->Label1), static_cast<QWidget *>(window->lstSource),
                       static_cast<QWidget *>(window->lstOriginalFile)}) {
        EXPECT_TRUE(QFontInfo(w->font()).fixedPitch()) << qPrintable(w->objectName());
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25) << qPrintable(w->objectName());
    }

    const struct {
        QPushButton *button;
        const char *caption;
    } captions[] = {{window->Command1, "Erase Last"},
                    {window->Command4, "Replace USER_BMP.INI"},
                    {window->Command3, "Append to USER_BMP.INI"}};
    for (const auto &c : captions) {
        EXPECT_EQ(c.button->text(), QLatin1String(c.caption));
        EXPECT_EQ(c.button->accessibleName(), QLatin1String(c.caption));
    }

    for (QPushButton *b : {window->cmdLBegin, window->cmdLeft, window->cmdAdd, window->cmdUndo, window->cmdReset,
                           window->cmdX, window->cmdRight, window->cmdRBegin, window->cmdUpd, window->cmdVarSu,
                           window->cmdVarGiu}) {
        EXPECT_TRUE(b->text().isEmpty()) << qPrintable(b->objectName());
        EXPECT_FALSE(b->icon().pixmap(16, 16).isNull()) << qPrintable(b->objectName());
        EXPECT_EQ(b->iconSize(), QSize(16, 16)) << qPrintable(b->objectName());
        EXPECT_FALSE(b->toolTip().isEmpty()) << qPrintable(b->objectName());
        EXPECT_EQ(b->accessibleName(), b->toolTip()) << qPrintable(b->objectName());
        EXPECT_TRUE(b->isEnabled()) << qPrintable(b->objectName());
    }
    EXPECT_EQ(window->cmdAdd->accessibleName(), QStringLiteral("Insert the vehicle"));
    EXPECT_EQ(window->cmdX->accessibleName(), QStringLiteral("Make the train"));
}

TEST_F(FrmBrenvikOpen, consistBandPicture)
{
    const QImage band = window->Image1->pixmap().toImage();
    ASSERT_EQ(band.size(), QSize(760, 70));
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    const QRgb black = qRgb(0, 0, 0);
    for (int x : {0, 3, 4, 7, 8, 379, 759}) {
        EXPECT_EQ(band.pixel(x, 0) & 0xFFFFFF, black & 0xFFFFFF);
        EXPECT_EQ(band.pixel(x, 2) & 0xFFFFFF, grey & 0xFFFFFF);
        EXPECT_EQ(band.pixel(x, 30) & 0xFFFFFF, black & 0xFFFFFF);
        EXPECT_EQ(band.pixel(x, 61) & 0xFFFFFF, grey & 0xFFFFFF);
        EXPECT_EQ(band.pixel(x, 62) & 0xFFFFFF, ((x / 4) % 2 == 0 ? grey : black) & 0xFFFFFF) << x;
        EXPECT_EQ(band.pixel(x, 63) & 0xFFFFFF, black & 0xFFFFFF);
    }
}

TEST_F(FrmBrenvikOpen, menusWithoutShortcutsOrSeparators)
{
    const QList<QAction *> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(bar[0]->menu(), window->menuFile);
    EXPECT_EQ(window->menuFile->objectName(), QStringLiteral("menuFile"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("?"));
    EXPECT_EQ(bar[1]->menu(), window->menux);
    EXPECT_EQ(window->menux->objectName(), QStringLiteral("menux"));

    const auto items = [](QMenu *menu) {
        QStringList result;
        for (const QAction *a : menu->actions()) {
            EXPECT_FALSE(a->isSeparator());
            EXPECT_TRUE(a->shortcut().isEmpty()) << qPrintable(a->text());
            result.append(a->objectName() + QLatin1Char('=') + a->text());
        }
        return result;
    };
    EXPECT_EQ(items(window->menuFile), (QStringList{QStringLiteral("menuOpen=&Open"),
                                                    QStringLiteral("menuFind=Find/Edit  &USER_BMP.INI"),
                                                    QStringLiteral("menuExit=&Exit")}));
    EXPECT_EQ(items(window->menux), (QStringList{QStringLiteral("menuHelp=&Help"), QStringLiteral("menuAbout=&About")}));
}

TEST_F(FrmBrenvikOpen, enterOnAFocusedButtonClicksIt_inEveryWindow)
{
    state.gConsistCount = 1; // lets cmdX open the add-consist window
    state.gInherited.Path = QStringLiteral("x.bmp");
    struct Row {
        const char *what;
        void (frmBrenvik::*opens)(); // none: the main window itself
        const char *control;
        Qt::Key key;
        QString clicked;
    };
    const Row rows[] = {
        {"main window", nullptr, "cmdLBegin", Qt::Key_Return, "cmdLBegin"},
        {"main window, keypad", nullptr, "cmdLeft", Qt::Key_Enter, "cmdLeft"},
        {"add consist", &frmBrenvik::cmdX_Click, "Command1", Qt::Key_Return, "Command1"},
        {"add consist, text box", &frmBrenvik::cmdX_Click, "txtLabel", Qt::Key_Return, ""},
        {"locator", &frmBrenvik::menuFind_Click, "Command2", Qt::Key_Enter, "Command2"},
        {"About", &frmBrenvik::menuAbout_Click, "cmdOK", Qt::Key_Return, "cmdOK"},
        {"Help", &frmBrenvik::menuHelp_Click, "Command1", Qt::Key_Enter, "Command1"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QStringList clicked;
        const auto press = [&](QWidget &w) {
            const QObject spies; // its end cuts the connections
            for (QPushButton *b : w.findChildren<QPushButton *>())
                QObject::connect(b, &QPushButton::clicked, &spies, [&clicked, b] { clicked << b->objectName(); });
            if (QWidget *control = findControl(w, row.control))
                QTest::keyClick(control, row.key, row.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        };
        if (row.opens) {
            window->showModal = [&](QDialog &dialog) {
                dialog.show();
                press(dialog);
            };
            (window.get()->*row.opens)();
        } else {
            press(*window);
        }
        EXPECT_EQ(clicked.join(' '), row.clicked);
    }
}

TEST(FrmBrenvikLoad, startValues)
{
    mc_Brenvik state;
    state.gIniPath = QStringLiteral("old.ini");
    state.gLibraryFile = QStringLiteral("old.txt");
    state.gInherited.Path = QStringLiteral("old.bmp");
    state.gConsistCount = 3;
    state.gSpecialCount = 2;
    ScriptedPrompts prompts;
    frmBrenvik window(state, prompts);

    EXPECT_TRUE(state.gIniPath.isEmpty());
    EXPECT_TRUE(state.gLibraryFile.isEmpty());
    EXPECT_TRUE(state.gInherited.Path.isEmpty());
    EXPECT_EQ(state.gConsistCount, 0);
    EXPECT_EQ(state.gSpecialCount, 0);
    EXPECT_EQ(window.lastWidth(), 0);
    EXPECT_TRUE(state.gVehicles.isEmpty());
    EXPECT_EQ(window.lstSource->ListCount(), 0);
    EXPECT_EQ(window.varName(), variations::slotNames());
    EXPECT_EQ(window.varExists(), variations::plainOnly());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.dialogs.isEmpty());
}

TEST_F(FrmBrenvikOpen, openAsksWithTheDialogSettings)
{
    window->menuOpen->trigger();
    ASSERT_EQ(prompts.dialogs.size(), 1);
    const platform::OpenDialog &d = prompts.dialogs[0];
    EXPECT_EQ(d.filter, QStringLiteral("Source File (*.txt)|*.txt"));
    EXPECT_EQ(d.fileName, QStringLiteral("*.txt"));
    EXPECT_EQ(d.title, QStringLiteral("Get the Source Atributes File"));
    EXPECT_EQ(d.initDir, QDir::currentPath());
}

TEST_F(FrmBrenvikOpen, openReadsTheLibrary)
{
    const QString file = threeVehicleLibrary();
    window->chkInherit->setChecked(true);
    open(file);

    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(state.gLibraryFile, file);
    const QString folder = path(QStringLiteral("lib/trains")) + platform::sep();
    EXPECT_EQ(state.gLibFolder, folder);
    EXPECT_EQ(state.gLibBase, path(QStringLiteral("lib/trains")));
    EXPECT_EQ(window->lstSource->items(), (QStringList{listLine("BR 101", "FRG", "5"), listLine("Re 4/4 II", "CH", "4-5"),
                                                       listLine("My train", "FRG", "5")}));
    for (const QString &item : window->lstSource->items())
        EXPECT_EQ(item.size(), 51);
    EXPECT_EQ(window->lstSource->ListIndex(), -1);
    ASSERT_EQ(state.gVehicles.size(), 3);
    EXPECT_EQ(state.gVehicles[0].Path, folder + QStringLiteral("E") + platform::sep() + QStringLiteral("br101.bmp"));
    EXPECT_EQ(state.gVehicles[1].Uland.text(), QStringLiteral("CH "));
    EXPECT_EQ(state.gVehicles[1].OL.text(), QStringLiteral("J"));
    EXPECT_EQ(state.gVehicles[1].OLH, 58);
    EXPECT_EQ(state.gVehicles[2].Path, folder + QStringLiteral("consists") + platform::sep() + QStringLiteral("00001.bmp"));
    EXPECT_FALSE(window->chkInherit->isChecked());
    EXPECT_EQ(prompts.busyCalls, 1);
    EXPECT_EQ(prompts.busyDepth, 0);
}

TEST_F(FrmBrenvikOpen, openLeavesConsistInheritanceAndQueueAlone_butNoVehicleSelected)
{
    state.gSelVehicle = 2;
    state.gInherited.Path = QStringLiteral("inherited.bmp");
    state.gConsistCount = 2;
    window->lstOriginalFile->AddItem(QStringLiteral("{LocoStart}FILE=x;{LocoEnd}"));
    open(threeVehicleLibrary());
    // The old selection would name a vehicle of the new library that nobody picked.
    EXPECT_EQ(state.gSelVehicle, 0);
    EXPECT_EQ(state.gInherited.Path, QStringLiteral("inherited.bmp"));
    EXPECT_EQ(state.gConsistCount, 2);
    EXPECT_EQ(window->lstOriginalFile->items(), QStringList{QStringLiteral("{LocoStart}FILE=x;{LocoEnd}")});
}

TEST_F(FrmBrenvikOpen, cancelOrNoFileChangesNothing)
{
    const QString file = threeVehicleLibrary();
    open(file);
    const QStringList items = window->lstSource->items();
    const QString folder = state.gLibFolder;
    window->chkInherit->setChecked(true);

    for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(QStringLiteral("*.txt"))}) {
        prompts.chooseNext(answer);
        window->menuOpen_Click();
        EXPECT_EQ(state.gLibraryFile, file);
        EXPECT_EQ(state.gLibFolder, folder);
        EXPECT_EQ(state.gVehicles.size(), 3);
        EXPECT_EQ(window->lstSource->items(), items);
        EXPECT_TRUE(window->chkInherit->isChecked());
    }
    EXPECT_EQ(prompts.dialogs.size(), 3);
    EXPECT_EQ(prompts.busyCalls, 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(FrmBrenvikOpen, secondShorterLibraryReplacesTheFirst)
{
    open(threeVehicleLibrary());
    const QString other = writeFile(QStringLiteral("other/small.txt"), vehicleLine("V 200", "3", "FRG", "D", "v200.bmp"));
    open(other);
    EXPECT_EQ(state.gLibraryFile, other);
    EXPECT_EQ(state.gLibFolder, path(QStringLiteral("other/small")) + platform::sep());
    EXPECT_EQ(state.gLibBase, path(QStringLiteral("other/small")));
    EXPECT_EQ(window->lstSource->items(), QStringList{listLine("V 200", "FRG", "3")});
    ASSERT_EQ(state.gVehicles.size(), 1);
    EXPECT_EQ(state.gVehicles[0].GT.text(), QStringLiteral("D "));
}

TEST_F(FrmBrenvikOpen, emptyLibraryEmptiesTheListAndTakesTheTrains)
{
    open(threeVehicleLibrary());
    state.gSelVehicle = 2;
    const QString empty = writeFile(QStringLiteral("empty.txt"), QByteArray());
    window->chkInherit->setChecked(true);
    open(empty);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(state.gLibraryFile, empty);
    EXPECT_EQ(window->lstSource->ListCount(), 0);
    EXPECT_EQ(state.gVehicles.size(), 3);
    EXPECT_EQ(state.gSelVehicle, 0);
    // The next train is saved beside the library that takes its line.
    EXPECT_EQ(state.gLibBase, path(QStringLiteral("empty")));
    EXPECT_FALSE(window->chkInherit->isChecked());
}

TEST_F(FrmBrenvikOpen, blankLinesAreVehiclesToo)
{
    const QString file = writeFile(QStringLiteral("lib/blank.txt"), "\r\n" + vehicleLine("BR 101", "5", "FRG", "E", "br101.bmp"));
    open(file);
    EXPECT_EQ(window->lstSource->items(), (QStringList{QString(51, QLatin1Char(' ')), listLine("BR 101", "FRG", "5")}));
    ASSERT_EQ(state.gVehicles.size(), 2);
    // The first vehicle names neither a sub-folder nor a file; its path still gives the base.
    EXPECT_EQ(state.gVehicles[0].Path, path(QStringLiteral("lib/blank")) + platform::sep() + platform::sep());
    EXPECT_EQ(state.gLibBase, path(QStringLiteral("lib/blank")));
}

TEST_F(FrmBrenvikOpen, unreadableLibraryIsReported)
{
    open(threeVehicleLibrary());
    const QString base = state.gLibBase;
    const QString other = writeFile(QStringLiteral("other/locked.txt"), vehicleLine("V 200", "3", "FRG", "D", "v200.bmp"));
    window->chkInherit->setChecked(true);
    int busyWhenShown = -1;
    prompts.onMessage = [&](const ScriptedPrompts::Message &) { busyWhenShown = prompts.busyDepth; };

    state.gSelVehicle = 2;
    platform::FileFaults::failAt(1, QStringLiteral("Permission denied"));
    open(other);

    expectOneMessage(QStringLiteral("Cannot read %1:\nPermission denied").arg(QDir::toNativeSeparators(other)));
    EXPECT_EQ(busyWhenShown, 0);
    EXPECT_EQ(prompts.busyDepth, 0);

    EXPECT_EQ(state.gLibraryFile, other);
    EXPECT_EQ(state.gLibFolder, path(QStringLiteral("other/locked")) + platform::sep());
    EXPECT_EQ(window->lstSource->ListCount(), 0);
    EXPECT_EQ(state.gVehicles.size(), 3);
    EXPECT_EQ(state.gLibBase, base);
    EXPECT_EQ(state.gSelVehicle, 0);
    // Reading stopped before the box would be unticked.
    EXPECT_TRUE(window->chkInherit->isChecked());
}

TEST_F(FrmBrenvikOpen, missingLibraryIsReported)
{
    const QString missing = path(QStringLiteral("gone.txt"));
    open(missing);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("Cannot read %1:\n").arg(QDir::toNativeSeparators(missing))))
        << qPrintable(prompts.messages[0].text);
    EXPECT_GT(prompts.messages[0].text.size(), QStringLiteral("Cannot read %1:\n").arg(QDir::toNativeSeparators(missing)).size());
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(prompts.busyDepth, 0);
    EXPECT_EQ(window->lstSource->ListCount(), 0);
}

TEST_F(FrmBrenvikOpen, nameWithoutDotKeepsTheFolder)
{
    const QString file = writeFile(QStringLiteral("lib/trains.txt"), vehicleLine("BR 101", "5", "FRG", "E", "br101.bmp"));
    open(file);
    const QString plain = writeFile(QStringLiteral("lib/plain"), vehicleLine("V 200", "3", "FRG", "D", "v200.bmp"));
    if (plain.contains(QLatin1Char('.')))
        GTEST_SKIP() << "the temporary folder's path holds a dot";
    open(plain);
    EXPECT_EQ(state.gLibraryFile, plain);
    EXPECT_EQ(state.gLibFolder, path(QStringLiteral("lib/trains")) + platform::sep());
    ASSERT_EQ(state.gVehicles.size(), 1);
    EXPECT_EQ(state.gVehicles[0].Path, path(QStringLiteral("lib/trains/D/v200.bmp")));
}

TEST_F(FrmBrenvikOpen, largeLibraryFillsTheList)
{
    QByteArray text;
    for (int i = 0; i < 100000; ++i)
        text += vehicleLine(QByteArray("Vehicle " + QByteArray::number(i)).constData(), "4", "I", "E", "e.bmp") + "\r\n";
    open(writeFile(QStringLiteral("big.txt"), text));
    EXPECT_EQ(state.gVehicles.size(), 100000);
    ASSERT_EQ(window->lstSource->ListCount(), 100000);
    EXPECT_EQ(window->lstSource->List(99999), listLine("Vehicle 99999", "I", "4"));
}

// The vehicle list reports clicks and key moves by the user, never selections made by code.
TEST_F(FrmBrenvikOpen, vehicleListClicks)
{
    platform::ListBox *list = shownVehicleList();
    QSignalSpy clicks(list, &platform::ListBox::Click);

    list->setListIndex(1);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(clicks.count(), 0);

    clickRow(*list, 1);
    EXPECT_EQ(clicks.count(), 1);
    clickRow(*list, 2);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list->ListIndex(), 2);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_EQ(clicks.count(), 4);

    list->AddItem(QStringLiteral("more"));
    list->RemoveItem(3);
    list->setListIndex(-1);
    EXPECT_EQ(list->ListIndex(), -1);
    window->LoadList();
    EXPECT_EQ(clicks.count(), 4);
}

TEST_F(FrmBrenvikOpen, clickOnTheSelectedItemCountsAgain)
{
    platform::ListBox *list = shownVehicleList();
    QSignalSpy clicks(list, &platform::ListBox::Click);
    clickRow(*list, 0);
    clickRow(*list, 0);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list->ListIndex(), 0);
    // Below the last item nothing is chosen.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 2));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(FrmBrenvikOpen, pictureBoxFollowsItsSurface)
{
    platform::PictureBox *box = window->picConsist;
    box->surface().setSize(24000, 58);
    EXPECT_EQ(box->geometry(), QRect(0, 9, 24000, 58));
    box->setLeft(-300);
    EXPECT_EQ(box->geometry(), QRect(-300, 9, 24000, 58));
    EXPECT_EQ(box->Width(), 24000);
    box->surface().setWidth(100);
    EXPECT_EQ(box->width(), 100);
}

TEST_F(FrmBrenvikOpen, pictureBoxShowsItsSurface)
{
    platform::PictureBox *box = window->picPreview;
    box->surface().setPicture(solidImage(30, 20, Qt::red, Qt::blue));
    box->Refresh();
    EXPECT_EQ(box->size(), QSize(30, 20));
    const QImage shown = box->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(30, 20));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(29, 19), QColor(Qt::red));
}
