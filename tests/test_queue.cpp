#include "WindowTestSupport.h"
#include "main/frmBrenvik.h"
#include "platform/FileFaults.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using platform::FileFaults;

namespace {

const QByteArray kLineA = libraryLine({"BR 101", "5", "FRG", "E", "Y58YLNNN0N", "br101.bmp"});
const QByteArray kLineB = libraryLine({"Re 4/4 II", "4-5", "CH", "E", "Y58YRNNN0N", "re44.bmp"});
const QByteArray kTrainLine = libraryLine({"My train", "5", "FRG", "E", "Y50YRNNN3N", "00002_0.bmp"});

// A library whose last line is an animated pantograph train the add-consist window just made,
// with its four frames, its pantograph picture and an older train beside it.
struct TrainLibrary {
    QString file;
    QString folder;       // the bitmap folder, ending in the separator
    QString trainBitmap;  // frame 0, the FILE of the train's entry
    QString entry;
    QByteArray before;    // the library as written
    QByteArray after;     // the library once the train is undone
};

const QStringList kStayingBitmaps{QStringLiteral("00001.bmp"), QStringLiteral("00002_1.bmp"),
                                  QStringLiteral("00002_2.bmp"), QStringLiteral("00002_3.bmp"),
                                  QStringLiteral("00002_0_SAR.bmp")};

class QueueTest : public MainWindowTest {
protected:
    // A new window on fresh state, as a new start of the program.
    void restart() { startWindow(); }

    QStringList queue() const { return window->lstOriginalFile->items(); }

    TrainLibrary makeTrainLibrary(const QString &dir)
    {
        TrainLibrary lib;
        lib.before = kLineA + "\r\n\r\n   \r\n" + kLineB + "\r\n" + kTrainLine + "\r\n";
        lib.after = kLineA + "\r\n" + kLineB + "\r\n";
        lib.file = writeFile(dir + QStringLiteral("/trains.txt"), lib.before);
        lib.folder = path(dir + QStringLiteral("/trains/"));
        for (const QString &name : kStayingBitmaps + QStringList{QStringLiteral("00002_0.bmp")})
            writeFile(dir + QStringLiteral("/trains/consists/") + name, "BM");
        lib.trainBitmap = lib.folder + QStringLiteral("consists/00002_0.bmp");
        lib.entry = QStringLiteral("{LocoStart}FILE=") + lib.trainBitmap
            + QStringLiteral(";LABEL=My train;GT=E;EPOCHE=5;ULAND=FRG;OL=J;OLH=8;SAR=J;RICHTUNG=R;PHASENLAENGE=3;"
                             "ZG=63;SELECTED=1;{LocoEnd}");
        return lib;
    }

    // Opens the library and queues the train's entry as the add-consist window does.
    void queueTrain(const TrainLibrary &lib)
    {
        open(lib.file);
        window->addEntry(lib.entry, QueueTag{true, lib.file, kTrainLine});
        prompts.clear();
    }

    // Only the queue changed: library, bitmaps and vehicle list are as they were.
    void expectOnlyTheQueueChanged(const TrainLibrary &lib, int listCount)
    {
        EXPECT_EQ(readFile(lib.file), lib.before);
        EXPECT_TRUE(QFileInfo::exists(lib.trainBitmap));
        EXPECT_EQ(window->lstSource->ListCount(), listCount);
        EXPECT_TRUE(prompts.messages.isEmpty());
    }

    void expectTheOthersStay(const TrainLibrary &lib)
    {
        for (const QString &name : kStayingBitmaps)
            EXPECT_TRUE(QFileInfo::exists(lib.folder + QStringLiteral("consists/") + name)) << qPrintable(name);
    }

    // A failure report: titled Brenvik, exclamation, OK, naming the file in native form.
    static void expectFailureNaming(const ScriptedPrompts::Message &m, const QString &file)
    {
        EXPECT_EQ(m.title, QStringLiteral("Brenvik"));
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::OK);
        EXPECT_TRUE(m.text.contains(QDir::toNativeSeparators(file))) << qPrintable(m.text);
    }
};

// ---- Single-vehicle entries -------------------------------------------------------------------

class SingleVehicleTest : public QueueTest {
protected:
    // lib/mylib.txt: E 44 (the worked example), a lower-case three-rail shunter, and a train.
    QString library()
    {
        writeBmp(QStringLiteral("lib/mylib/E/e44.bmp"), solidImage(20, 10, Qt::red));
        writeBmp(QStringLiteral("lib/mylib/V/v60.bmp"), solidImage(20, 10, Qt::blue));
        writeBmp(QStringLiteral("lib/mylib/consists/00001.bmp"), solidImage(20, 10, Qt::green));
        return writeFile(QStringLiteral("lib/mylib.txt"),
                         libraryText({{"E 44", "3", "FRG", "E", "Y50YRNNN0Y", "e44.bmp"},
                                      {"V 60", "3-4", "GDR", "V", "340nLyYn7N", "v60.bmp"},
                                      {"My train", "5", "FRG", "E", "N58NBNNN0N", "00001.bmp"}}));
    }

    QString e44Entry() const
    {
        return QStringLiteral("{LocoStart}FILE=") + path(QStringLiteral("lib/mylib/E/e44.bmp"))
            + QStringLiteral(";LABEL=E 44;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;SAR=J;RICHTUNG=R;ZG=63;SELECTED=1;{LocoEnd}");
    }
};

TEST_F(SingleVehicleTest, cmdUpd_queuesTheSelectedVehiclesEntryAndSelectsIt)
{
    open(library());
    select(0);
    prompts.clear();

    window->cmdUpd_Click();

    EXPECT_EQ(queue(), QStringList{e44Entry()});
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(window->queueTags().size(), 1);
    EXPECT_FALSE(window->queueTags().at(0).fromAddConsist);
}

TEST_F(SingleVehicleTest, cmdUpd_refusesAVehicleWhosePathTheFilesCannotHold)
{
    writeBmp(QStringLiteral("\u041f\u043e\u0435\u0437\u0434/lib/E/e44.bmp"), solidImage(20, 10, Qt::red));
    open(writeFile(QStringLiteral("\u041f\u043e\u0435\u0437\u0434/lib.txt"),
                   libraryText({{"E 44", "3", "FRG", "E", "Y50YRNNN0Y", "e44.bmp"}})));
    select(0);
    prompts.clear();
    window->cmdUpd_Click();
    EXPECT_TRUE(queue().isEmpty());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("\"\u041f\" of FILE")));
}

TEST_F(SingleVehicleTest, cmdUpd_twiceQueuesTwoIdenticalEntriesAndSelectsTheSecond)
{
    open(library());
    select(1);
    window->cmdUpd_Click();
    window->cmdUpd_Click();

    const QString v60 = QStringLiteral("{LocoStart}FILE=") + path(QStringLiteral("lib/mylib/V/v60.bmp"))
        + QStringLiteral(";LABEL=V 60;GT=V;EPOCHE=3-4;ULAND=GDR;OL=N;RICHTUNG=L;WZ=J;PHASENLAENGE=7;"
                         "ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}");
    EXPECT_EQ(queue(), (QStringList{v60, v60}));
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), 1);
    EXPECT_EQ(window->queueTags().size(), 2);
}

TEST_F(SingleVehicleTest, cmdUpd_addsAfterTheEntriesAlreadyQueued)
{
    open(library());
    window->addEntry(QStringLiteral("first"));
    select(0);
    window->lstOriginalFile->setListIndex(0);

    QTest::mouseClick(window->cmdUpd, Qt::LeftButton);

    EXPECT_EQ(queue(), (QStringList{QStringLiteral("first"), e44Entry()}));
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), 1);
}

TEST_F(SingleVehicleTest, cmdUpd_refusedWhileTheConsistHoldsInsertsEvenAfterUndo)
{
    open(library());
    select(0);
    // One vehicle inserted and undone: the count of inserts stays until Reset.
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QTest::mouseClick(window->cmdUndo, Qt::LeftButton);
    ASSERT_EQ(state.gConsistCount, 1);
    prompts.clear();

    window->cmdUpd_Click();

    expectOneMessage(QStringLiteral("To add a single vehicle, before reset the current consist!"));
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(window->queueTags().isEmpty());

    window->cmdUpd_Click();
    EXPECT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(queue().isEmpty());

    QTest::mouseClick(window->cmdReset, Qt::LeftButton);
    prompts.clear();
    window->cmdUpd_Click();
    EXPECT_EQ(queue(), QStringList{e44Entry()});
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(SingleVehicleTest, cmdUpd_refusalComesBeforeLookingForAVehicle)
{
    state.gConsistCount = 2;
    window->cmdUpd_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.at(0).text, QStringLiteral("To add a single vehicle, before reset the current consist!"));
}

TEST_F(SingleVehicleTest, cmdUpd_fillsTheLibraryBaseOnlyWhileItIsBlank)
{
    const QString fromVehicle = path(QStringLiteral("lib/mylib"));
    const struct {
        QString before;
        QString vehiclePath; // empty: the library's own E 44
        QString after;
    } rows[] = {
        {QString(), QString(), fromVehicle},
        {QStringLiteral("   "), QString(), fromVehicle},
        {QStringLiteral("/elsewhere"), QString(), QStringLiteral("/elsewhere")},
        {QStringLiteral(" x "), QString(), QStringLiteral(" x ")},
        // Fewer than two separators: nothing to take.
        {QString(), QStringLiteral("E/e44.bmp"), QString()},
        {QStringLiteral("  "), QStringLiteral("e44.bmp"), QStringLiteral("  ")},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(qPrintable(r.before + QLatin1Char('|') + r.vehiclePath));
        restart();
        open(library());
        select(0);
        if (!r.vehiclePath.isEmpty())
            state.gVehicles[0].Path = r.vehiclePath;
        state.gLibBase = r.before;

        window->cmdUpd_Click();

        EXPECT_EQ(state.gLibBase, r.after);
        EXPECT_EQ(queue().size(), 1);
    }
}

TEST_F(SingleVehicleTest, cmdUpd_withoutAVehicleToTakeDoesNothing)
{
    // No library opened yet.
    window->cmdUpd_Click();
    EXPECT_TRUE(queue().isEmpty());

    // A library, but no vehicle clicked since the start.
    open(library());
    window->cmdUpd_Click();
    EXPECT_TRUE(queue().isEmpty());

    // The vehicle clicked lies beyond the end of the shorter library read since.
    select(2);
    open(writeFile(QStringLiteral("short.txt"), libraryLine({"Solo", "3", "FRG", "E", "N58NBNNN0N", "solo.bmp"})));
    ASSERT_EQ(state.gVehicles.size(), 1);
    window->cmdUpd_Click();
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(window->queueTags().isEmpty());

    for (const auto &m : std::as_const(prompts.messages))
        ADD_FAILURE() << "unexpected message: " << qPrintable(m.text);
}

// ---- Erase Last ------------------------------------------------------------------------------

using EraseLastTest = QueueTest;

TEST_F(EraseLastTest, eraseLast_onAnEmptyQueueDoesNothing)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    open(lib.file);
    prompts.clear();

    window->Command1_Click();

    EXPECT_TRUE(queue().isEmpty());
    expectOnlyTheQueueChanged(lib, 5);
}

TEST_F(EraseLastTest, eraseLast_undoesTheTrainOfTheAddConsistWindow)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    queueTrain(lib);
    ASSERT_EQ(window->lstSource->ListCount(), 5);
    const QStringList listBefore = window->lstSource->items();

    window->Command1_Click();

    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(window->queueTags().isEmpty());
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), -1);
    EXPECT_EQ(readFile(lib.file), lib.after);
    EXPECT_FALSE(QFileInfo::exists(lib.trainBitmap));
    expectTheOthersStay(lib);
    EXPECT_EQ(window->lstSource->items(), listBefore.mid(0, 4));
    // The table keeps the train's record until the library is next read.
    EXPECT_EQ(state.gVehicles.size(), 5);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(EraseLastTest, eraseLast_ofTheSelectedTrain_leavesNoItemSelectedAndNothingToQueue)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    queueTrain(lib);
    select(4);
    const QImage preview = window->picPreview->surface().Image();

    window->Command1_Click();

    EXPECT_EQ(window->lstSource->ListIndex(), -1);
    EXPECT_EQ(window->picPreview->surface().Image(), preview);
    window->cmdUpd_Click();
    window->cmdAdd_Click();
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_EQ(state.gConsistCount, 0);
}

TEST_F(EraseLastTest, eraseLast_selectsTheNewLastEntry)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    open(lib.file);
    window->addEntry(QStringLiteral("one"));
    window->addEntry(QStringLiteral("two"));
    window->addEntry(lib.entry, QueueTag{true, lib.file, kTrainLine});
    window->lstOriginalFile->setListIndex(0);

    QTest::mouseClick(window->Command1, Qt::LeftButton);

    EXPECT_EQ(queue(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(window->queueTags().size(), 2);
    EXPECT_EQ(window->lstOriginalFile->ListIndex(), 1);
    EXPECT_EQ(readFile(lib.file), lib.after);

    // The entries left were not the add-consist window's: only they go.
    window->Command1_Click();
    window->Command1_Click();
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_EQ(readFile(lib.file), lib.after);
    EXPECT_EQ(window->lstSource->ListCount(), 4);
}

TEST_F(EraseLastTest, eraseLast_ofASingleVehiclesEntryNamingConsistsTouchesOnlyTheQueue)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    open(lib.file);
    // The train, already in the library, queued as a single vehicle.
    state.gSelVehicle = 5;
    window->cmdUpd_Click();
    ASSERT_EQ(queue().size(), 1);
    ASSERT_TRUE(queue().at(0).contains(QStringLiteral("/consists/00002_0.bmp;")));
    prompts.clear();

    window->Command1_Click();

    EXPECT_TRUE(queue().isEmpty());
    expectOnlyTheQueueChanged(lib, 5);
}

// Erase Last that may not undo a train takes only the entry, and says that the train stays.
TEST_F(EraseLastTest, eraseLast_thatMayNotUndoTheTrainTouchesOnlyTheQueueAndSaysWhy)
{
    const struct {
        const char *why;
        bool otherLibraryOpened;
    } rows[] = {
        {"because another library was opened since.", true},
        {"because the library no longer ends with the train's line.", false},
    };
    for (const auto &row : rows) {
        TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
        const TrainLibrary other = makeTrainLibrary(QStringLiteral("other"));
        queueTrain(lib);
        if (row.otherLibraryOpened) {
            open(other.file);
        } else {
            lib.before += kLineA + "\r\n";
            writeFile(QStringLiteral("lib/trains.txt"), lib.before);
        }
        prompts.clear();

        window->Command1_Click();

        EXPECT_TRUE(queue().isEmpty());
        ASSERT_EQ(prompts.messages.size(), 1) << row.why;
        EXPECT_EQ(prompts.messages[0].text,
                  QStringLiteral("The train's bitmap %1 and its line in the library %2 stay %3")
                      .arg(QDir::toNativeSeparators(lib.trainBitmap), QDir::toNativeSeparators(lib.file),
                           QLatin1String(row.why)));
        expectFailureNaming(prompts.messages[0], lib.file);
        prompts.clear();
        expectOnlyTheQueueChanged(lib, 5);
        expectOnlyTheQueueChanged(other, 5);
    }
}

TEST_F(EraseLastTest, eraseLast_keepsLibraryAndEntryWhenTheRenameFails)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    queueTrain(lib);
    // The undo reads the library, opens the temporary file, writes it and renames it: the fourth.
    FileFaults::failAt(4, QStringLiteral("Access is denied."));

    window->Command1_Click();

    EXPECT_EQ(readFile(lib.file), lib.before);
    EXPECT_TRUE(QFileInfo::exists(lib.trainBitmap));
    EXPECT_EQ(window->lstSource->ListCount(), 5);
    EXPECT_EQ(queue(), QStringList{lib.entry});
    EXPECT_EQ(window->queueTags().size(), 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    expectFailureNaming(prompts.messages.at(0), lib.file);
    EXPECT_TRUE(prompts.messages.at(0).text.contains(QStringLiteral("Access is denied.")));
    // Only the library itself is in the folder: no temporary file is left behind.
    EXPECT_EQ(QDir(path(QStringLiteral("lib"))).entryList(QDir::Files), QStringList{QStringLiteral("trains.txt")});

    // Once the fault is gone the same entry undoes its train.
    prompts.clear();
    window->Command1_Click();
    EXPECT_EQ(readFile(lib.file), lib.after);
    EXPECT_TRUE(queue().isEmpty());
}

TEST_F(EraseLastTest, eraseLast_whenTheLibraryIsGone_theEntryLeavesAndTheBitmapStays)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    queueTrain(lib);
    QFile::remove(lib.file);

    window->Command1_Click();

    EXPECT_FALSE(QFileInfo::exists(lib.file));
    EXPECT_TRUE(QFileInfo::exists(lib.trainBitmap));
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_EQ(window->lstSource->ListCount(), 5);
    ASSERT_EQ(prompts.messages.size(), 1);
    expectFailureNaming(prompts.messages.at(0), lib.trainBitmap);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("stays in consists because")));
}

TEST_F(EraseLastTest, eraseLast_aBitmapThatCannotBeDeletedIsReportedAfterTheLibraryLostTheTrain)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    // A folder where the bitmap should be: it is there but cannot be deleted as a file.
    QFile::remove(lib.trainBitmap);
    makeDir(QStringLiteral("lib/trains/consists/00002_0.bmp/inside"));
    queueTrain(lib);

    window->Command1_Click();

    EXPECT_EQ(readFile(lib.file), lib.after);
    EXPECT_EQ(window->lstSource->ListCount(), 4);
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(window->queueTags().isEmpty());
    EXPECT_TRUE(QFileInfo(lib.trainBitmap).isDir());
    ASSERT_EQ(prompts.messages.size(), 1);
    expectFailureNaming(prompts.messages.at(0), lib.trainBitmap);
}

TEST_F(EraseLastTest, eraseLast_aBitmapAlreadyGoneIsNoFailure)
{
    const TrainLibrary lib = makeTrainLibrary(QStringLiteral("lib"));
    QFile::remove(lib.trainBitmap);
    queueTrain(lib);

    window->Command1_Click();

    EXPECT_EQ(readFile(lib.file), lib.after);
    EXPECT_EQ(window->lstSource->ListCount(), 4);
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(EraseLastTest, eraseLast_leavesLibraryListAndFolderInStepWhicheverFileOperationFails)
{
    bool keptSeen = false;
    bool bitmapFailureSeen = false;
    TrainLibrary lib;
    int run = 0;
    const auto prepare = [&] {
        restart();
        lib = makeTrainLibrary(QStringLiteral("run%1").arg(++run));
        queueTrain(lib);
    };
    failEachOperation(prepare, [&] { window->Command1_Click(); }, [&](int, bool failed) {
        const QByteArray library = readFile(lib.file);
        if (!failed) {
            EXPECT_TRUE(prompts.messages.isEmpty());
            EXPECT_EQ(library, lib.after);
            EXPECT_FALSE(QFileInfo::exists(lib.trainBitmap));
            EXPECT_EQ(window->lstSource->ListCount(), 4);
            EXPECT_TRUE(queue().isEmpty());
            return;
        }
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages.at(0).text.contains(QStringLiteral("Injected failure")));
        // The train's other files stay in every case.
        expectTheOthersStay(lib);
        // The bitmap goes only once the library has lost the train, and that is last.
        EXPECT_TRUE(QFileInfo::exists(lib.trainBitmap));
        if (library == lib.before) {
            keptSeen = true;
            expectFailureNaming(prompts.messages.at(0), lib.file);
            EXPECT_EQ(window->lstSource->ListCount(), 5);
            EXPECT_EQ(queue(), QStringList{lib.entry});
        } else {
            ASSERT_EQ(library, lib.after);
            bitmapFailureSeen = true;
            expectFailureNaming(prompts.messages.at(0), lib.trainBitmap);
            EXPECT_EQ(window->lstSource->ListCount(), 4);
            EXPECT_TRUE(queue().isEmpty());
        }
        EXPECT_EQ(window->queueTags().size(), queue().size());
    });
    EXPECT_TRUE(keptSeen);
    EXPECT_TRUE(bitmapFailureSeen);
}

// ---- Writing USER_BMP.INI --------------------------------------------------------------------

const QString kAppendEmpty = QStringLiteral("Add vehicles and Palvenor before append to USER_BMP.INI!");
const QString kReplaceEmpty = QStringLiteral("Add vehicles and Palvenor before replace USER_BMP.INI!");
const QString kFindIni = QStringLiteral("Find USER_BMP.INI! (See Menu File)");
const QString kAppendQuestion = QStringLiteral("Are you sure to append new entries to the existing USER_BMP.INI file?");
const QString kReplaceQuestion = QStringLiteral("Are you sure to replace existing USER_BMP.INI file?");
const QString kCompleted = QStringLiteral("Procedure completed!");

const QString kEntry1 = QStringLiteral("{LocoStart}FILE=/rail/lib/E/e44.bmp;LABEL=E 44;GT=E;EPOCHE=3;ULAND=FRG;OL=J;"
                                       "OLH=8;SAR=J;RICHTUNG=R;ZG=63;SELECTED=1;{LocoEnd}");
const QString kEntry2 = QStringLiteral("{LocoStart}FILE=/rail/lib/V/v60.bmp;LABEL=V 60;GT=V;EPOCHE=3-4;ULAND=GDR;"
                                       "OL=N;ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}");
const QString kEntry3 = QStringLiteral("{LocoStart}FILE=/rail/lib/consists/00003.bmp;LABEL=Zug;GT=E;EPOCHE=5;"
                                       "ULAND=FRG;ZG=63;SELECTED=1;{LocoEnd}");

class IniWriteTest : public QueueTest {
protected:
    void queueEntries(const QStringList &entries)
    {
        for (const QString &entry : entries)
            window->addEntry(entry);
    }

    // Append (true) or Replace (false) through its handler.
    void write(bool append)
    {
        if (append)
            window->Command3_Click();
        else
            window->Command4_Click();
    }

    static QByteArray lines(const QStringList &entries)
    {
        QByteArray out;
        for (const QString &entry : entries)
            out += entry.toLatin1() + "\r\n";
        return out;
    }

    void expectQuestionThenCompleted(bool append)
    {
        ASSERT_EQ(prompts.messages.size(), 2);
        expectMessage(prompts.messages.at(0), append ? kAppendQuestion : kReplaceQuestion, MsgIcon::Exclamation,
                      MsgButtons::OKCancel);
        expectMessage(prompts.messages.at(1), kCompleted, MsgIcon::Information);
    }
};

TEST_F(IniWriteTest, append_toAMissingFileCreatesItWithTheQueuedEntries)
{
    queueEntries({kEntry1, kEntry2});
    state.gIniPath = path(QStringLiteral("USER_BMP.INI"));
    // The pointer is busy while the file is written and back to the arrow before the report.
    int busyAtReport = -1;
    prompts.onMessage = [&](const ScriptedPrompts::Message &m) {
        if (m.text == kCompleted)
            busyAtReport = prompts.busyDepth;
    };

    window->Command3_Click();

    EXPECT_EQ(readFile(QStringLiteral("USER_BMP.INI")), lines({kEntry1, kEntry2}));
    EXPECT_TRUE(queue().isEmpty());
    EXPECT_TRUE(window->queueTags().isEmpty());
    expectQuestionThenCompleted(true);
    EXPECT_EQ(prompts.busyCalls, 1);
    EXPECT_EQ(prompts.busyDepth, 0);
    EXPECT_EQ(busyAtReport, 0);

    // The queue is empty now: a second Append has nothing to write.
    prompts.clear();
    window->Command3_Click();
    expectOneMessage(kAppendEmpty, MsgIcon::Exclamation);
}

TEST_F(IniWriteTest, append_keepsEveryByteAndStartsTheFirstEntryOnALineOfItsOwn)
{
    const struct {
        QByteArray old;
        QByteArray written;
    } rows[] = {
        {"[old]\r\nlast line", "[old]\r\nlast line\r\n"},
        {"[old]\r\nlast line\r\n", "[old]\r\nlast line\r\n"},
        {"unix\n", "unix\n"},
        {"", ""},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.old.constData());
        restart();
        state.gIniPath = writeFile(QStringLiteral("USER_BMP.INI"), r.old);
        queueEntries({kEntry1, kEntry2});

        window->Command3_Click();

        EXPECT_EQ(readFile(QStringLiteral("USER_BMP.INI")), r.written + lines({kEntry1, kEntry2}));
        expectQuestionThenCompleted(true);
    }
}

TEST_F(IniWriteTest, append_writesAnEntryQueuedTwiceTwice)
{
    state.gIniPath = writeFile(QStringLiteral("USER_BMP.INI"), lines({kEntry1}));
    queueEntries({kEntry1, kEntry1});
    window->Command3_Click();
    EXPECT_EQ(readFile(QStringLiteral("USER_BMP.INI")), lines({kEntry1, kEntry1, kEntry1}));
}

TEST_F(IniWriteTest, anEntryTakenBackByEraseLastIsNotWritten)
{
    state.gIniPath = path(QStringLiteral("USER_BMP.INI"));
    queueEntries({kEntry1, kEntry2});
    window->Command1_Click();
    queueEntries({kEntry3});
    window->Command4_Click();
    EXPECT_EQ(readFile(QStringLiteral("USER_BMP.INI")), lines({kEntry1, kEntry3}));
}

TEST_F(IniWriteTest, replace_leavesExactlyTheQueuedEntriesInOrder)
{
    state.gIniPath = writeFile(QStringLiteral("ini/USER_BMP.INI"), "[Loks]\r\nold entry\r\nanother");
    queueEntries({kEntry1, kEntry2, kEntry3});

    QTest::mouseClick(window->Command4, Qt::LeftButton);

    EXPECT_EQ(readFile(QStringLiteral("ini/USER_BMP.INI")), lines({kEntry1, kEntry2, kEntry3}));
    EXPECT_TRUE(queue().isEmpty());
    expectQuestionThenCompleted(false);
    EXPECT_EQ(prompts.busyDepth, 0);
}

TEST_F(IniWriteTest, aPathWithoutAFolderIsTheCurrentFolders)
{
    state.gIniPath = QStringLiteral("USER_BMP.INI");
    queueEntries({kEntry3});
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    EXPECT_EQ(readFile(path(QStringLiteral("USER_BMP.INI"))), lines({kEntry3}));
}

TEST_F(IniWriteTest, theQueueIsCheckedBeforeTheIniPath)
{
    const struct {
        bool append;
        bool queued;
        QString iniPath;
        QString text;
    } rows[] = {
        {true, false, QString(), kAppendEmpty},
        {false, false, QString(), kReplaceEmpty},
        {true, false, QStringLiteral("USER_BMP.INI"), kAppendEmpty},
        {false, false, QStringLiteral("USER_BMP.INI"), kReplaceEmpty},
        {true, true, QString(), kFindIni},
        {false, true, QString(), kFindIni},
        {true, true, QStringLiteral("   "), kFindIni},
        {false, true, QStringLiteral(" "), kFindIni},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(qPrintable(r.text + QLatin1Char('|') + r.iniPath));
        restart();
        if (r.queued)
            queueEntries({kEntry1});
        state.gIniPath = r.iniPath;

        write(r.append);

        expectOneMessage(r.text, MsgIcon::Exclamation);
        EXPECT_EQ(queue().size(), r.queued ? 1 : 0);
        EXPECT_EQ(prompts.busyCalls, 0);
        EXPECT_TRUE(QDir(path(QString())).entryList(QDir::Files).isEmpty());
    }
}

TEST_F(IniWriteTest, cancelWritesNothingAndKeepsTheQueue)
{
    for (bool append : {true, false}) {
        SCOPED_TRACE(append);
        restart();
        state.gIniPath = writeFile(QStringLiteral("USER_BMP.INI"), "old");
        queueEntries({kEntry1, kEntry2});
        prompts.answerNext(MsgAnswer::Cancel);

        write(append);

        expectOneMessage(append ? kAppendQuestion : kReplaceQuestion, MsgIcon::Exclamation, MsgButtons::OKCancel);
        EXPECT_EQ(readFile(QStringLiteral("USER_BMP.INI")), QByteArray("old"));
        EXPECT_EQ(queue(), (QStringList{kEntry1, kEntry2}));
        EXPECT_EQ(prompts.busyCalls, 0);
    }
}

TEST_F(IniWriteTest, aFailingFileOperationKeepsTheOldFileAndTheQueue)
{
    const QByteArray old("[old]\r\nno final break");
    for (bool append : {true, false}) {
        SCOPED_TRACE(append ? "append" : "replace");
        QString ini;
        const auto prepare = [&] {
            restart();
            ini = writeFile(QStringLiteral("USER_BMP.INI"), old);
            state.gIniPath = ini;
            queueEntries({kEntry1, kEntry2});
        };
        failEachOperation(prepare, [&] { write(append); }, [&](int, bool failed) {
            EXPECT_EQ(prompts.busyDepth, 0);
            ASSERT_EQ(prompts.messages.size(), 2);
            if (!failed) {
                EXPECT_EQ(prompts.messages.at(1).text, kCompleted);
                EXPECT_TRUE(queue().isEmpty());
                return;
            }
            expectFailureNaming(prompts.messages.at(1), ini);
            EXPECT_TRUE(prompts.messages.at(1).text.contains(QStringLiteral("Injected failure")));
            EXPECT_EQ(readFile(ini), old);
            EXPECT_EQ(queue(), (QStringList{kEntry1, kEntry2}));
            EXPECT_EQ(window->queueTags().size(), 2);
            EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files), QStringList{QStringLiteral("USER_BMP.INI")});
        });
    }
}

TEST_F(IniWriteTest, aPathThatCannotBeWrittenIsReportedAndTheQueueStays)
{
    writeFile(QStringLiteral("afile"), "not a folder");
    const struct {
        bool append;
        QString iniPath;
    } rows[] = {
        {true, path(QStringLiteral("afile/USER_BMP.INI"))},
        {false, path(QStringLiteral("afile/USER_BMP.INI"))},
        {true, path(QStringLiteral("missing/USER_BMP.INI"))},
        {false, path(QStringLiteral("missing/USER_BMP.INI"))},
        {true, QStringLiteral("/dev/full")},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(qPrintable(r.iniPath));
        restart();
        state.gIniPath = r.iniPath;
        queueEntries({kEntry1, kEntry2});

        write(r.append);

        ASSERT_EQ(prompts.messages.size(), 2);
        expectFailureNaming(prompts.messages.at(1), r.iniPath);
        EXPECT_EQ(queue(), (QStringList{kEntry1, kEntry2}));
        EXPECT_EQ(prompts.busyCalls, 1);
        EXPECT_EQ(prompts.busyDepth, 0);
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));
        EXPECT_EQ(readFile(QStringLiteral("afile")), QByteArray("not a folder"));
    }
}

// ---- Exit ------------------------------------------------------------------------------------

using ExitTest = QueueTest;

TEST_F(ExitTest, exit_asksAndClosesTheWindowOnlyOnOK)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->addEntry(kEntry1);

    prompts.answerNext(MsgAnswer::Cancel);
    window->menuExit->trigger();
    expectOneMessage(QStringLiteral("This will end the program's session"), MsgIcon::Exclamation,
                     MsgButtons::OKCancel);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(queue(), QStringList{kEntry1});

    prompts.clear();
    prompts.answerNext(MsgAnswer::OK);
    window->menuExit->trigger();
    expectOneMessage(QStringLiteral("This will end the program's session"), MsgIcon::Exclamation,
                     MsgButtons::OKCancel);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
