// The add-consist window's "Add": a composed train becomes numbered bitmaps, a library line and
// a queued entry, or is refused with its message and focus. Every train here is composed through
// the main window from a library whose pictures the tests draw in plain colours.
#include "WindowTestSupport.h"
#include "SampleLibrary.h"
#include "add_consist/frmAdd.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Remembers the title each message was given, before an empty one turns into "Brenvik".
class TitlePrompts : public platform::ScriptedPrompts {
public:
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) override
    {
        givenTitles.append(title);
        busyAtMessage.append(busyDepth);
        return ScriptedPrompts::message(text, title, icon, buttons);
    }
    QStringList givenTitles;
    QList<int> busyAtMessage;
};

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGrey(128, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kOrange(255, 128, 0);
const QColor kCyan(0, 255, 255);
const QColor kMagenta(255, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// The vehicles, in list order:
//   0 "Loco A"  plain, 40 wide, red
//   1 "Panto P" pantograph, 30 wide, green; its pantographs 30 x 6 yellow
//   2 "Steam S" animated, 50 wide, blue; frames 1 (20 high, cyan), 2 (58, magenta), 3 (10, white)
//   3 "Both B"  animated and pantograph, 20 wide, grey; pantographs 20 x 4 orange
const QByteArray kLibraryText = libraryText({{"Loco A", "4", "FRG", "E", "Y54NBNYN0N", "loca.bmp"},
                                             {"Panto P", "3-4", "CH", "E", "Y58YRNNN0N", "pant.bmp"},
                                             {"Steam S", "2", "GDR", "D", "N58NLYNN3N", "steam_0.bmp"},
                                             {"Both B", "5", "NL", "ET", "340YBNNY2N", "both_0.bmp"}});

enum Vehicle { LocoA = 0, PantoP = 1, SteamS = 2, BothB = 3 };

} // namespace

class AddTrainTest : public MainWindowFixture<TitlePrompts> {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        library = makeLibrary(QStringLiteral("lib"), kLibraryText);
        openLibrary();
    }
    void TearDown() override
    {
        addWindow.reset();
        MainWindowFixture::TearDown();
    }

    // The test library in `folder`: the text file and its bitmaps, with an empty consists folder.
    // Copied from Windows, its bitmaps and its consists folder are named in capitals.
    QString makeLibrary(const QString &folder, const QByteArray &text, bool capitals = false)
    {
        const QString bmp = folder + QStringLiteral("/Lib/");
        const auto name = [&](const char *file) {
            const QString n = QLatin1String(file);
            return bmp + (capitals ? n.left(n.indexOf(u'/') + 1) + n.mid(n.indexOf(u'/') + 1).toUpper() : n);
        };
        writeBmp(name("E/loca.bmp"), solidImage(40, 58, kRed));
        writeBmp(name("E/pant.bmp"), solidImage(30, 58, kGreen));
        writeBmp(name("E/pant_SAR.bmp"), solidImage(30, 6, kYellow));
        writeBmp(name("D/steam_0.bmp"), solidImage(50, 58, kBlue));
        writeBmp(name("D/steam_1.bmp"), solidImage(50, 20, kCyan));
        writeBmp(name("D/steam_2.bmp"), solidImage(50, 58, kMagenta));
        writeBmp(name("D/steam_3.bmp"), solidImage(50, 10, kWhite));
        writeBmp(name("ET/both_0.bmp"), solidImage(20, 58, kGrey));
        for (const char *frame : {"ET/both_1.bmp", "ET/both_2.bmp", "ET/both_3.bmp"})
            writeBmp(name(frame), solidImage(20, 58, kBlack));
        writeBmp(name("ET/both_0_SAR.bmp"), solidImage(20, 4, kOrange));
        makeDir(bmp + (capitals ? QStringLiteral("Consists") : QStringLiteral("consists")));
        return writeFile(folder + QStringLiteral("/Lib.txt"), text);
    }

    // A fresh main window with `library` opened through "&Open".
    void startMain()
    {
        addWindow.reset();
        startWindow();
        openLibrary();
    }
    // Opens `library` through "&Open" and notes where its trains go.
    void openLibrary()
    {
        open(library);
        ASSERT_GT(window->lstSource->ListCount(), 0);
        libBase = QFileInfo(library).absolutePath() + QLatin1Char('/') + QFileInfo(library).completeBaseName();
        consists = libBase + QStringLiteral("/consists");
    }

    // Selects a vehicle in the list and inserts it, ticking "Inherit Attributes" first if asked.
    void insert(int row, bool inherit = false)
    {
        select(row);
        if (inherit)
            window->chkInherit->setChecked(true);
        window->cmdAdd_Click();
    }

    // Loco A (inherited), Panto P, Steam S and Both B: 140 pixels, specials at 40, 70 and 120.
    void composeFour(Vehicle inherited = LocoA)
    {
        for (int v : {LocoA, PantoP, SteamS, BothB})
            insert(v, v == inherited);
        ASSERT_EQ(window->picConsist->Width(), 140);
        ASSERT_EQ(state.gSpecialCount, 3);
    }

    // The add-consist window on screen, so that the focus can move in it.
    frmAdd &openWindow()
    {
        addWindow = std::make_unique<frmAdd>(state, prompts, *window);
        addWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(addWindow.get()));
        addWindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(addWindow.get()));
        prompts.clear();
        prompts.givenTitles.clear();
        prompts.busyAtMessage.clear();
        return *addWindow;
    }

    void choose(frmAdd &w, bool pantograph, const QString &cycle)
    {
        w.chkSAR[pantograph ? 0 : 1]->setChecked(true);
        w.txtCycle->setText(cycle);
    }

    // Adds the four, `inherited` giving the attributes, as a train with the pantograph choice
    // and cycle given; it goes through without a message.
    void addFour(Vehicle inherited, bool pantograph, const char *cycle)
    {
        composeFour(inherited);
        choose(openWindow(), pantograph, QString::fromLatin1(cycle));
        addWindow->cmdAdd_Click();
        ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
    }

    QStringList consistFiles() const
    {
        return QDir(consists).entryList(QDir::Files, QDir::Name);
    }

    QString inConsists(const char *name) const { return consists + QLatin1Char('/') + QLatin1String(name); }

    static QColor at(const QString &file, int x, int y) { return QImage(file).pixelColor(x, y); }

    QColor onScreen(int x, int y) const { return QColor(window->picConsist->surface().pixel(x, y)); }

    // The window refused with this text, given title, icon and button, and nothing of the train
    // reached the library or the queue.
    void expectRefused(const QString &text, const QString &givenTitle)
    {
        expectOneMessage(text);
        EXPECT_EQ(prompts.givenTitles, QStringList{givenTitle});
        EXPECT_TRUE(addWindow->isVisible());
        EXPECT_EQ(addWindow->result(), QDialog::Rejected);
        EXPECT_EQ(readFile(library), kLibraryText);
        EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
        EXPECT_EQ(window->lstSource->ListCount(), 4);
        EXPECT_NE(state.gConsistCount, 0);
    }

    // How the message about a picture that cannot be loaded or saved begins; the reason follows.
    static QString fileFailureStart(const char *verb, const QString &file)
    {
        return QStringLiteral("Cannot %1 %2:\n").arg(QLatin1String(verb), QDir::toNativeSeparators(file));
    }
    // One message came, beginning as above; the window stays open and nothing of the train reached
    // the library or the queue.
    void expectFileFailure(const char *verb, const QString &file)
    {
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.startsWith(fileFailureStart(verb, file)))
            << prompts.messages[0].text.toStdString();
        EXPECT_TRUE(addWindow->isVisible());
        EXPECT_EQ(readFile(library), kLibraryText);
        EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
    }

    std::unique_ptr<frmAdd> addWindow;
    QString library;
    QString libBase;
    QString consists;
};

// ---- The four outcomes of the pantograph choice and the cycle ----

TEST_F(AddTrainTest, noPantographsCycle0_writesThePlainPictureOnly)
{
    ASSERT_NO_FATAL_FAILURE(addFour(LocoA, false, "0"));
    EXPECT_EQ(consistFiles(), QStringList{QStringLiteral("00001.bmp")});
    const QString plain = inConsists("00001.bmp");
    EXPECT_EQ(QImage(plain).size(), QSize(140, 58));
    EXPECT_EQ(at(plain, 0, 0), kRed);
    EXPECT_EQ(at(plain, 39, 57), kRed);
    EXPECT_EQ(at(plain, 40, 0), kGreen) << "no pantograph drawn";
    EXPECT_EQ(at(plain, 70, 0), kBlue);
    EXPECT_EQ(at(plain, 119, 57), kBlue) << "no animation frame drawn";
    EXPECT_EQ(at(plain, 139, 0), kGrey);
    EXPECT_EQ(addWindow->result(), QDialog::Accepted);
}

TEST_F(AddTrainTest, noPantographsCycleAbove0_writesFourFramesEachOverTheOneBefore)
{
    ASSERT_NO_FATAL_FAILURE(addFour(LocoA, false, "2"));
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001_0.bmp"), QStringLiteral("00001_1.bmp"),
                                           QStringLiteral("00001_2.bmp"), QStringLiteral("00001_3.bmp")}));
    const QString f0 = inConsists("00001_0.bmp");
    const QString f1 = inConsists("00001_1.bmp");
    const QString f2 = inConsists("00001_2.bmp");
    const QString f3 = inConsists("00001_3.bmp");
    EXPECT_EQ(at(f0, 80, 57), kBlue) << "frame 0 is the train as composed";
    EXPECT_EQ(at(f1, 80, 37), kBlue);
    EXPECT_EQ(at(f1, 80, 38), kCyan) << "a 20-pixel frame stands at 58 - 20";
    EXPECT_EQ(at(f1, 119, 57), kCyan);
    EXPECT_EQ(at(f1, 120, 57), kGrey) << "copied at its own width";
    EXPECT_EQ(at(f2, 80, 0), kMagenta);
    EXPECT_EQ(at(f3, 80, 47), kMagenta) << "frame 3 is drawn over frame 2";
    EXPECT_EQ(at(f3, 80, 48), kWhite);
    for (const QString &frame : {f0, f1, f2, f3}) {
        SCOPED_TRACE(frame.toStdString());
        EXPECT_EQ(at(frame, 10, 10), kRed);
        EXPECT_EQ(at(frame, 45, 0), kGreen) << "a pantograph vehicle is not animated";
        EXPECT_EQ(at(frame, 130, 30), kGrey) << "an animated pantograph vehicle keeps its base picture";
    }
}

TEST_F(AddTrainTest, pantographsCycle0_writesThePlainPictureThenThePantographPicture)
{
    ASSERT_NO_FATAL_FAILURE(addFour(PantoP, true, "0"));
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001.bmp"), QStringLiteral("00001_SAR.bmp")}));
    const QString plain = inConsists("00001.bmp");
    EXPECT_EQ(at(plain, 45, 0), kGreen) << "the plain picture is saved before the pantographs";
    const QString sar = inConsists("00001_SAR.bmp");
    EXPECT_EQ(QImage(sar).size(), QSize(140, 58));
    EXPECT_EQ(at(sar, 40, 0), kYellow) << "pantographs hang from row 0";
    EXPECT_EQ(at(sar, 69, 5), kYellow);
    EXPECT_EQ(at(sar, 69, 6), kGreen);
    EXPECT_EQ(at(sar, 120, 3), kOrange) << "the last write holds every pantograph";
    EXPECT_EQ(at(sar, 120, 4), kGrey);
    EXPECT_EQ(at(sar, 80, 57), kBlue) << "no animation frame drawn";
    EXPECT_EQ(at(sar, 10, 0), kRed);
}

TEST_F(AddTrainTest, pantographsCycleAbove0_drawsThePantographsOverFrame0)
{
    ASSERT_NO_FATAL_FAILURE(addFour(PantoP, true, "3"));
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001_0.bmp"), QStringLiteral("00001_0_SAR.bmp"),
                                           QStringLiteral("00001_1.bmp"), QStringLiteral("00001_2.bmp"),
                                           QStringLiteral("00001_3.bmp")}));
    EXPECT_EQ(at(inConsists("00001_3.bmp"), 80, 48), kWhite);
    EXPECT_EQ(at(inConsists("00001_3.bmp"), 45, 0), kGreen) << "the frames have no pantographs";
    const QString sar = inConsists("00001_0_SAR.bmp");
    EXPECT_EQ(at(sar, 80, 57), kBlue) << "frame 0, not frame 3, under the pantographs";
    EXPECT_EQ(at(sar, 80, 0), kBlue);
    EXPECT_EQ(at(sar, 45, 0), kYellow);
    EXPECT_EQ(at(sar, 125, 0), kOrange);
    // The entry names frame 0 and its cycle; the library line its file name.
    ASSERT_EQ(window->lstOriginalFile->ListCount(), 1);
    EXPECT_TRUE(window->lstOriginalFile->List(0).startsWith(
        QStringLiteral("{LocoStart}FILE=") + inConsists("00001_0.bmp") + QLatin1Char(';')));
    EXPECT_TRUE(window->lstOriginalFile->List(0).contains(QStringLiteral(";SAR=J;")));
    EXPECT_TRUE(window->lstOriginalFile->List(0).contains(QStringLiteral(";PHASENLAENGE=3;")));
    EXPECT_TRUE(readFile(library).endsWith("YRNNN3N00001_0.bmp\r\n"));
}

TEST_F(AddTrainTest, refusedAdd_keepsTheBitmaps_restoresTheComposedTrain_andTheNextAddNumbersAbove)
{
    composeFour(PantoP);
    const QImage composed = window->picConsist->surface().Image();
    frmAdd &w = openWindow();
    choose(w, true, QStringLiteral("3"));
    for (QCheckBox *box : w.chkLR)
        box->setChecked(false);
    w.cmdAdd_Click();

    expectRefused(QStringLiteral("Select almost one value for RICHTUNG!"), QString());
    EXPECT_EQ(consistFiles().size(), 5);
    // The frames and pantographs drawn for the refused Add are gone from the consist area.
    EXPECT_EQ(window->picConsist->surface().Image(), composed);
    EXPECT_NE(onScreen(45, 0), kYellow);

    // Put right, the train is saved again under the next number, as it was composed: no raised
    // pantographs from the refused Add in its plain picture, only in its pantograph picture.
    prompts.clear();
    prompts.givenTitles.clear();
    w.chkLR[1]->setChecked(true);
    w.txtCycle->setText(QStringLiteral("0"));
    w.cmdAdd_Click();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
    EXPECT_TRUE(consistFiles().contains(QStringLiteral("00002.bmp")));
    EXPECT_TRUE(consistFiles().contains(QStringLiteral("00002_SAR.bmp")));
    EXPECT_EQ(at(inConsists("00002.bmp"), 45, 0), composed.pixelColor(45, 0));
    EXPECT_EQ(at(inConsists("00002_SAR.bmp"), 45, 0), kYellow);
    EXPECT_TRUE(readFile(library).endsWith("YRNNN0N00002.bmp\r\n"));
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(AddTrainTest, aRefusalAfterThePicturesRepaintsTheComposedTrain)
{
    composeFour(PantoP);
    const QImage composed = window->picConsist->surface().Image();
    QRegion repainted;
    const auto repaint = window->picConsist->surface().onRefresh;
    window->picConsist->surface().onRefresh = [&](const QRect &r) {
        repainted += r;
        repaint(r);
    };
    frmAdd &w = openWindow();
    choose(w, true, QStringLiteral("2"));
    w.txtPixels->clear(); // refused after the pictures were drawn and saved
    w.cmdAdd_Click();

    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(repainted.contains(QRect(0, 0, 140, 58)));
    QApplication::processEvents();
    const QImage shown = window->picConsist->grab().toImage();
    EXPECT_EQ(shown.pixelColor(45, 0), composed.pixelColor(45, 0));
    EXPECT_EQ(shown.pixelColor(125, 0), composed.pixelColor(125, 0));
    window->picConsist->surface().onRefresh = repaint;
}

TEST_F(AddTrainTest, theBusyPointerIsShownWhileBitmapsAreWritten_andIsBackForTheMessage)
{
    composeFour(PantoP);
    frmAdd &w = openWindow();
    choose(w, true, QStringLiteral("2"));
    QFile::remove(libBase + QStringLiteral("/D/steam_2.bmp"));
    const int before = prompts.busyCalls;
    w.cmdAdd_Click();

    EXPECT_GT(prompts.busyCalls, before);
    EXPECT_EQ(prompts.busyDepth, 0);
    ASSERT_EQ(prompts.busyAtMessage.size(), 1);
    EXPECT_EQ(prompts.busyAtMessage[0], 0);
}

// ---- Numbering ----

TEST_F(AddTrainTest, trainsAreNumbered00001Then00002)
{
    composeFour();
    openWindow().cmdAdd_Click();
    EXPECT_EQ(consistFiles(), QStringList{QStringLiteral("00001.bmp")});

    insert(SteamS);
    insert(LocoA, true);
    frmAdd &w = openWindow();
    w.txtCycle->setText(QStringLiteral("0"));
    w.cmdAdd_Click();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001.bmp"), QStringLiteral("00002.bmp")}));
    EXPECT_EQ(QImage(inConsists("00002.bmp")).size(), QSize(90, 58));
    EXPECT_EQ(at(inConsists("00002.bmp"), 0, 0), kBlue) << "the second train starts at column 0";
    EXPECT_EQ(at(inConsists("00002.bmp"), 50, 0), kRed);
}

TEST_F(AddTrainTest, aMissingConsistsFolderIsReported_andNothingIsWritten)
{
    composeFour();
    ASSERT_TRUE(QDir(consists).removeRecursively());
    frmAdd &w = openWindow();
    w.cmdAdd_Click();

    ASSERT_EQ(prompts.messages.size(), 1);
    const QString start = QStringLiteral("Cannot number a new train in %1:\n").arg(QDir::toNativeSeparators(consists));
    EXPECT_TRUE(prompts.messages[0].text.startsWith(start)) << prompts.messages[0].text.toStdString();
    EXPECT_GT(prompts.messages[0].text.size(), start.size()) << "the system's reason follows";
    EXPECT_EQ(prompts.givenTitles[0], QStringLiteral("Brenvik"));
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFileInfo::exists(consists)) << "the folder is not made";
    EXPECT_EQ(readFile(library), kLibraryText);
    EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
    EXPECT_EQ(state.gConsistCount, 4);
    EXPECT_EQ(window->picConsist->Width(), 140);
}

TEST_F(AddTrainTest, whenTrain99999Exists_theAddIsRefusedAndNoFileIsOverwritten)
{
    composeFour();
    const QString last = writeFile(QStringLiteral("lib/Lib/consists/99999.bmp"), "not a picture");
    writeFile(QStringLiteral("lib/Lib/consists/00001.bmp"), "train one");
    frmAdd &w = openWindow();
    w.cmdAdd_Click();

    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text,
              QStringLiteral("Cannot number a new train in %1:\nA train numbered 99999 exists: no number is left.")
                  .arg(QDir::toNativeSeparators(consists)));
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Brenvik"));
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001.bmp"), QStringLiteral("99999.bmp")}));
    EXPECT_EQ(readFile(last), QByteArray("not a picture"));
    EXPECT_EQ(readFile(inConsists("00001.bmp")), QByteArray("train one"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(readFile(library), kLibraryText);
    EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
}

// ---- Pictures that cannot be loaded or saved ----

TEST_F(AddTrainTest, aMissingVehicleFrameStopsTheAdd_andTheFramesSavedBeforeStay)
{
    composeFour();
    const QString frame2 = libBase + QStringLiteral("/D/steam_2.bmp");
    QFile::remove(frame2);
    frmAdd &w = openWindow();
    choose(w, false, QStringLiteral("1"));
    w.cmdAdd_Click();

    ASSERT_NO_FATAL_FAILURE(expectFileFailure("load", frame2));
    EXPECT_EQ(prompts.givenTitles[0], QStringLiteral("Brenvik"));
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001_0.bmp"), QStringLiteral("00001_1.bmp")}));
    EXPECT_EQ(state.gConsistCount, 4);
}

TEST_F(AddTrainTest, aMissingPantographPictureStopsTheAdd_andThePlainPictureStays)
{
    composeFour(PantoP);
    const QString pantographs = libBase + QStringLiteral("/ET/both_0_SAR.bmp");
    QFile::remove(pantographs);
    frmAdd &w = openWindow();
    choose(w, true, QStringLiteral("0"));
    w.cmdAdd_Click();

    ASSERT_NO_FATAL_FAILURE(expectFileFailure("load", pantographs));
    EXPECT_EQ(consistFiles(), QStringList{QStringLiteral("00001.bmp")})
        << "the plain picture stays; no pantograph picture is saved half drawn";
}

TEST_F(AddTrainTest, aBitmapThatCannotBeSavedIsReported)
{
    composeFour();
    makeDir(QStringLiteral("lib/Lib/consists/00001.bmp")); // a folder where the picture should go
    frmAdd &w = openWindow();
    w.cmdAdd_Click();

    ASSERT_NO_FATAL_FAILURE(expectFileFailure("save", inConsists("00001.bmp")));
    EXPECT_GT(prompts.messages[0].text.size(), fileFailureStart("save", inConsists("00001.bmp")).size());
    EXPECT_EQ(prompts.givenTitles[0], QStringLiteral("Brenvik"));
    EXPECT_TRUE(QFileInfo(inConsists("00001.bmp")).isDir());
}

TEST_F(AddTrainTest, aConsistUndoneToNothingIsReportedInsteadOfSavedEmpty)
{
    insert(LocoA, true);
    window->cmdUndo_Click();
    ASSERT_EQ(window->picConsist->Width(), 0);
    frmAdd &w = openWindow();
    w.cmdAdd_Click();

    ASSERT_NO_FATAL_FAILURE(expectFileFailure("save", inConsists("00001.bmp")));
    EXPECT_TRUE(consistFiles().isEmpty());
}

// ---- Refusals ----

TEST_F(AddTrainTest, everyRefusalNamesItsFieldAndMovesTheFocusThere)
{
    using Edit = std::function<void(frmAdd &)>;
    using Target = std::function<QWidget *(frmAdd &)>;
    const auto twoTicked = [](const auto &group) {
        const QSignalBlocker b0(group[0]);
        const QSignalBlocker b1(group[1]);
        group[0]->setChecked(true);
        group[1]->setChecked(true);
    };
    struct Row {
        const char *what;
        Edit edit;
        QString text;
        QString givenTitle;
        Target focus;
        bool picturesWritten;
    };
    const QString brenvik = QStringLiteral("Brenvik");
    const Row rows[] = {
        {"no era", [](frmAdd &w) { w.chkEPO[4]->setChecked(false); },
         QStringLiteral("Select almost one value for EPOCHE!"), brenvik, [](frmAdd &w) { return w.chkEPO[1]; }, true},
        {"three eras",
         [](frmAdd &w) {
             w.chkEPO[2]->setChecked(true);
             w.chkEPO[6]->setChecked(true);
         },
         QStringLiteral("Select one or two values for EPOCHE!"), brenvik, [](frmAdd &w) { return w.chkEPO[1]; }, true},
        {"no country", [](frmAdd &w) { w.cboUland->setEditText(QStringLiteral("   ")); },
         QStringLiteral("Select the country ULAND!"), brenvik, [](frmAdd &w) { return w.cboUland; }, true},
        {"no type", [](frmAdd &w) { w.cboGT->setCurrentIndex(-1); }, QStringLiteral("Select the type GT!"), brenvik,
         [](frmAdd &w) { return w.cboGT; }, true},
        {"no overhead line", [](frmAdd &w) { w.chkOL[0]->setChecked(false); },
         QStringLiteral("Select almost one value for OL!"), QString(), [](frmAdd &w) { return w.chkOL[1]; }, true},
        {"two overhead lines", [&](frmAdd &w) { twoTicked(w.chkOL); }, QStringLiteral("Select one value for OL!"),
         brenvik, [](frmAdd &w) { return w.chkOL[1]; }, true},
        {"height 39", [](frmAdd &w) { w.txtPixels->setText(QStringLiteral("39")); },
         QStringLiteral("Select the height OLH or set to correct value [40-90]!"), brenvik,
         [](frmAdd &w) { return w.txtPixels; }, true},
        {"height 91", [](frmAdd &w) { w.txtPixels->setText(QStringLiteral("91")); },
         QStringLiteral("Select the height OLH or set to correct value [40-90]!"), brenvik,
         [](frmAdd &w) { return w.txtPixels; }, true},
        {"height empty, overhead line N",
         [](frmAdd &w) {
             w.chkOL[1]->setChecked(true);
             w.txtPixels->clear();
         },
         QStringLiteral("Select the height OLH or set to correct value [40-90]!"), brenvik,
         [](frmAdd &w) { return w.txtPixels; }, true},
        {"pantograph picture missing", [](frmAdd &w) { w.chkSAR[0]->setChecked(true); }, QString(), brenvik,
         [](frmAdd &w) { return w.chkSAR[0]; }, true},
        {"no direction", [](frmAdd &w) { w.chkLR[2]->setChecked(false); },
         QStringLiteral("Select almost one value for RICHTUNG!"), QString(), [](frmAdd &w) { return w.chkLR[1]; },
         true},
        {"two directions", [&](frmAdd &w) { twoTicked(w.chkLR); }, QStringLiteral("Select one value for RICHTUNG!"),
         brenvik, [](frmAdd &w) { return w.chkLR[1]; }, true},
        {"cycle 10", [](frmAdd &w) { w.txtCycle->setText(QStringLiteral("10")); },
         QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"), brenvik,
         [](frmAdd &w) { return w.txtCycle; }, true},
        {"pasted negative cycle", [](frmAdd &w) { w.txtCycle->setText(QStringLiteral("-1")); },
         QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"), brenvik,
         [](frmAdd &w) { return w.txtCycle; }, false},
    };
    // Loco A (inherited) and Steam S: no pantograph vehicle, so asking for pantographs is refused.
    insert(LocoA, true);
    insert(SteamS);
    int number = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        frmAdd &w = openWindow();
        const QString label = w.txtLabel->text();
        const qsizetype filesBefore = consistFiles().size();
        row.edit(w);
        w.cmdAdd_Click();

        if (row.picturesWritten)
            ++number;
        const QString stem = QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
        const QString text = row.text.isEmpty()
            ? QDir::toNativeSeparators(consists + QLatin1Char('/') + stem + QStringLiteral("_SAR.bmp"))
                + QStringLiteral(" doesn't exist!")
            : row.text;
        expectRefused(text, row.givenTitle);
        EXPECT_EQ(QApplication::focusWidget(), row.focus(w));
        EXPECT_EQ(w.txtLabel->text(), label) << "the entries stay";
        if (row.picturesWritten) {
            EXPECT_GT(consistFiles().size(), filesBefore);
            EXPECT_TRUE(consistFiles().last().startsWith(stem)) << "the bitmaps stay";
        } else {
            EXPECT_EQ(consistFiles().size(), filesBefore) << "nothing is written";
        }
        EXPECT_EQ(state.gConsistCount, 2);
        EXPECT_EQ(window->picConsist->Width(), 90);
    }
}

// ---- Library line and entry ----

TEST_F(AddTrainTest, aLabelTheFilesCannotHold_isRefusedBeforeAnyBitmapIsSaved)
{
    composeFour();
    frmAdd &w = openWindow();
    w.txtLabel->setText(QStringLiteral("Zug \u03a9"));
    w.cmdAdd_Click();
    expectRefused(QStringLiteral("The library and USER_BMP.INI cannot hold the character \"\u03a9\" of LABEL "
                                 "\"Zug \u03a9\"!"),
                  QStringLiteral("Brenvik"));
    EXPECT_TRUE(consistFiles().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtLabel);
}

TEST_F(AddTrainTest, theLibraryLineAndTheEntryByteForByte)
{
    composeFour();
    frmAdd &w = openWindow();
    w.txtLabel->setText(QStringLiteral("  Mixed train \xe9t\xe9  "));
    w.chkEPO[3]->setChecked(true); // with the preset 4
    w.chkSW[0]->setChecked(true);
    w.txtCycle->setText(QStringLiteral("0"));
    w.cmdAdd_Click();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();

    const QByteArray line = QByteArray("Mixed train \xe9t\xe9").leftJustified(40, ' ') + "3-4FRGE Y54NBYYN0N00001.bmp";
    EXPECT_EQ(readFile(library), kLibraryText + line + "\r\n");
    const QString entry = QStringLiteral("{LocoStart}FILE=") + inConsists("00001.bmp")
                          + QStringLiteral(";LABEL=Mixed train \xe9t\xe9;GT=E;EPOCHE=3-4;ULAND=FRG;OL=J;OLH=4;"
                                           "RANGIER=J;WZ=J;ZG=63;SELECTED=1;{LocoEnd}");
    ASSERT_EQ(window->lstOriginalFile->ListCount(), 1);
    EXPECT_EQ(window->lstOriginalFile->List(0), entry);
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), 0);
    ASSERT_EQ(window->queueTags().size(), 1);
    EXPECT_TRUE(window->queueTags()[0].fromAddConsist);
    EXPECT_EQ(window->queueTags()[0].libraryFile, library);
    EXPECT_EQ(window->queueTags()[0].libraryLine, line);
}

TEST_F(AddTrainTest, aLibraryWithoutAFinalLineBreakGetsTheTrainOnALineOfItsOwn)
{
    QByteArray text = kLibraryText;
    text.chop(2);
    writeFile(QStringLiteral("lib/Lib.txt"), text);
    startMain();
    insert(LocoA, true);
    frmAdd &w = openWindow();
    w.cmdAdd_Click();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();

    const QByteArray line = QByteArray("Loco A").leftJustified(40, ' ') + "4  FRGE Y54NBNYN0N00001.bmp";
    EXPECT_EQ(readFile(library), text + "\r\n" + line + "\r\n");
    ASSERT_EQ(window->lstSource->ListCount(), 5);
    EXPECT_EQ(state.gVehicles.last().Path, inConsists("00001.bmp"));
    EXPECT_EQ(window->lstOriginalFile->List(0),
              QStringLiteral("{LocoStart}FILE=") + inConsists("00001.bmp")
                  + QStringLiteral(";LABEL=Loco A;GT=E;EPOCHE=4;ULAND=FRG;OL=J;OLH=4;WZ=J;ZG=63;SELECTED=1;{LocoEnd}"));
    EXPECT_EQ(window->queueTags().value(0).libraryLine, line);
}

TEST_F(AddTrainTest, aThreeRailAnimatedTrainFromTheInheritedVehicle)
{
    insert(SteamS);
    insert(BothB, true);
    frmAdd &w = openWindow();
    w.chkSAR[1]->setChecked(true);
    w.cmdAdd_Click(); // cycle 2 as inherited
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();

    EXPECT_TRUE(readFile(library).endsWith(QByteArray("Both B").leftJustified(40, ' ')
                                           + "5  NL ET340NBNNY2N00001_0.bmp\r\n"));
    EXPECT_EQ(window->lstOriginalFile->List(0),
              QStringLiteral("{LocoStart}FILE=") + inConsists("00001_0.bmp")
                  + QStringLiteral(";LABEL=Both B;GT=ET;EPOCHE=5;ULAND=NL;OL=N;DT=J;PHASENLAENGE=2;"
                                   "ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}"));
}

TEST_F(AddTrainTest, aLibraryThatCannotBeAppendedTo_isReportedAndLeftAsItWas)
{
    // Every file operation of the Add is made to fail in turn; those that fail on the library's
    // append (opening it, writing the line) must leave it as it was and queue nothing.
    int appendFailures = 0;
    int run = 0;
    frmAdd *w = nullptr;
    const auto prepare = [&] {
        library = makeLibrary(QStringLiteral("try%1").arg(++run), kLibraryText);
        startMain();
        insert(LocoA, true);
        w = &openWindow();
    };
    failEachOperation(prepare, [&] { w->cmdAdd_Click(); }, [&](int, bool failed) {
        if (!failed)
            return; // past the Add's last operation
        if (prompts.messages.isEmpty())
            return; // a look-up that failed, and the name as given served
        const QString appendFailed =
            QStringLiteral("Cannot append to %1:\nDisk full").arg(QDir::toNativeSeparators(library));
        if (prompts.messages[0].text != appendFailed)
            return;
        ++appendFailures;
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_EQ(prompts.givenTitles[0], QStringLiteral("Brenvik"));
        EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(readFile(library), kLibraryText) << "nothing half-written";
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
        EXPECT_EQ(window->lstSource->ListCount(), 4);
        EXPECT_EQ(state.gConsistCount, 1);
        EXPECT_EQ(window->picConsist->Width(), 40);
    }, QStringLiteral("Disk full"));
    EXPECT_GE(appendFailures, 2) << "both the opening and the writing were made to fail";
}

TEST_F(AddTrainTest, aLibraryCopiedFromWindows_givesTheSameTrainAsItsLowerCaseTwin)
{
    // The same train, animated with pantographs, from the lower-case library and then from its
    // twin whose bitmaps and consists folder are named in capitals.
    struct Made {
        QList<QByteArray> bitmaps;
        QByteArray line;
        QString entry;
    };
    const auto makeTrain = [&](const QString &where, bool capitals) {
        library = makeLibrary(where, kLibraryText, capitals);
        startMain();
        composeFour(BothB);
        frmAdd &w = openWindow();
        choose(w, true, QStringLiteral("2"));
        w.cmdAdd_Click();
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
        Made made;
        const QString folder = libBase + (capitals ? QStringLiteral("/Consists/") : QStringLiteral("/consists/"));
        for (const QString &file : QDir(folder).entryList(QDir::Files, QDir::Name))
            made.bitmaps.append(readFile(folder + file));
        EXPECT_EQ(made.bitmaps.size(), 5) << "four frames and the pantograph picture";
        made.line = window->queueTags().value(0).libraryLine;
        made.entry = window->lstOriginalFile->List(0);
        EXPECT_TRUE(made.entry.startsWith(QStringLiteral("{LocoStart}FILE=") + folder + QStringLiteral("00001_0.bmp;")));
        made.entry.remove(folder);
        return made;
    };
    const Made lower = makeTrain(QStringLiteral("lower"), false);
    const Made upper = makeTrain(QStringLiteral("upper"), true);
    EXPECT_EQ(upper.bitmaps, lower.bitmaps);
    EXPECT_EQ(upper.line, lower.line);
    EXPECT_EQ(upper.entry, lower.entry);

    // Erase Last knows the entry for a train's and deletes the file it names.
    window->Command1_Click();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(readFile(library), kLibraryText);
    EXPECT_FALSE(QFileInfo::exists(libBase + QStringLiteral("/Consists/00001_0.bmp")));
}

// ---- The whole road of a train ----

TEST_F(AddTrainTest, aSuccessfulAdd_emptiesTheConsistAreaAndClosesTheWindow)
{
    composeFour(PantoP);
    window->picConsist->setLeft(-30);
    const QList<SpecialItem> specials = state.gSpecials;
    const int16_t lastWidth = window->lastWidth();
    frmAdd &w = openWindow();
    w.cmdAdd_Click();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();

    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(window->picConsist->Width(), 0);
    EXPECT_EQ(window->picConsist->Left(), 0);
    EXPECT_EQ(state.gConsistCount, 0);
    EXPECT_EQ(state.gSpecialCount, 3);
    EXPECT_EQ(state.gSpecials.size(), specials.size());
    EXPECT_EQ(state.gInherited.Path, libBase + QStringLiteral("/E/pant.bmp"));
    EXPECT_EQ(window->lastWidth(), lastWidth);
    EXPECT_FALSE(window->chkInherit->isChecked());
}

TEST_F(AddTrainTest, theRoadOfOneTrain_fromTheLibraryToTheQueueAndBackByEraseLast)
{
    const QString sample = writeSampleLibrary(path(QStringLiteral("sample")));
    ASSERT_FALSE(sample.isEmpty());
    library = sample;
    const QByteArray before = readFile(sample);
    startMain();
    // Steam locomotive (animated) inherited, then two coaches.
    const int count = window->lstSource->ListCount();
    ASSERT_GE(count, 11);
    insert(2, true);
    insert(9);
    insert(10);
    EXPECT_EQ(state.gConsistCount, 3);

    bool shown = false;
    window->showModal = [&](QDialog &dialog) {
        shown = true;
        auto *w = qobject_cast<frmAdd *>(&dialog);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->txtCycle->text(), QStringLiteral("3"));
        w->cmdAdd_Click();
        EXPECT_EQ(w->result(), QDialog::Accepted);
    };
    window->cmdX_Click();
    ASSERT_TRUE(shown);
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();

    const QString consistsOfSample = consists + QLatin1Char('/');
    const QString frame0 = consistsOfSample + QStringLiteral("00001_0.bmp");
    EXPECT_EQ(QDir(consistsOfSample).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("00001_0.bmp"), QStringLiteral("00001_1.bmp"), QStringLiteral("00001_2.bmp"),
                           QStringLiteral("00001_3.bmp")}));
    ASSERT_EQ(window->lstSource->ListCount(), count + 1);
    EXPECT_TRUE(window->lstSource->List(count).startsWith(QStringLiteral("Steam locomotive 2-6-0 with tender")));
    ASSERT_EQ(window->lstOriginalFile->ListCount(), 1);
    EXPECT_TRUE(window->lstOriginalFile->List(0).startsWith(QStringLiteral("{LocoStart}FILE=") + frame0 + ';'));
    EXPECT_EQ(state.gConsistCount, 0);

    // The new train is a vehicle of the library: selected, it shows its picture, frame 0.
    window->lstSource->setListIndex(count);
    window->lstSource_Click();
    EXPECT_EQ(state.gSelVehicle, count + 1);
    EXPECT_EQ(window->picPreview->surface().Image().convertToFormat(QImage::Format_RGB32),
              QImage(frame0).convertToFormat(QImage::Format_RGB32));

    // Erase Last takes exactly this train back.
    window->Command1_Click();
    EXPECT_EQ(window->lstOriginalFile->ListCount(), 0);
    EXPECT_EQ(window->lstSource->ListCount(), count);
    EXPECT_EQ(readFile(sample), before);
    EXPECT_FALSE(QFileInfo::exists(frame0));
    EXPECT_TRUE(QFileInfo::exists(consistsOfSample + QStringLiteral("00001_3.bmp"))) << "frames 1 to 3 stay";
}

TEST_F(AddTrainTest, theGateOpensTheWindow_aRefusalKeepsItOpenUntilTheTrainIsAdded)
{
    composeFour();
    int refusals = 0;
    window->showModal = [&](QDialog &dialog) {
        auto *w = qobject_cast<frmAdd *>(&dialog);
        ASSERT_NE(w, nullptr);
        w->txtPixels->setText(QStringLiteral("95"));
        w->cmdAdd_Click();
        refusals = int(prompts.messages.size());
        EXPECT_TRUE(window->lstOriginalFile->ListCount() == 0);
        w->txtPixels->setText(QStringLiteral("90"));
        w->cmdAdd_Click();
        EXPECT_EQ(w->result(), QDialog::Accepted);
    };
    window->cmdX_Click();
    EXPECT_EQ(refusals, 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Select the height OLH or set to correct value [40-90]!"));
    EXPECT_EQ(consistFiles(), (QStringList{QStringLiteral("00001.bmp"), QStringLiteral("00002.bmp")}));
    EXPECT_TRUE(readFile(library).endsWith("FRGE Y90NBNYN0N00002.bmp\r\n"));
    ASSERT_EQ(window->lstOriginalFile->ListCount(), 1);
    EXPECT_TRUE(window->lstOriginalFile->List(0).contains(QStringLiteral(";OL=J;OLH=-32;")));

    // The area is empty now: the gate refuses until vehicles are inserted again.
    window->showModal = [](QDialog &) { FAIL() << "the window must not open"; };
    window->cmdX_Click();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[1].text, QStringLiteral("To add a consist, put the vehicles in the consist area!"));
}
