#include "TestSupport.h"
#include "main/QueueFiles.h"
#include <QDir>
#include <QFile>
#include <functional>

using platform::Status;
using queuefiles::TrainUndo;

namespace {

class QueueFilesTest : public TempDirTest {
protected:
    QStringList folderContents() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    // The shared sweep, with `act` telling how its run went and `check` shown each failed run.
    int failEachOperation(const std::function<void()> &prepare, const std::function<Status()> &act,
                          const std::function<void(int n, const Status &)> &check)
    {
        Status status;
        const auto checkRun = [&](int n, bool failed) {
            if (!failed) {
                EXPECT_TRUE(status.ok()) << qPrintable(status.reason());
                return;
            }
            EXPECT_FALSE(status.ok()) << "operation " << n << " failed but success was reported";
            check(n, status);
        };
        return ::failEachOperation(prepare, [&] { status = act(); }, checkRun, QStringLiteral("Disk on fire"));
    }
};

// The entries as the queue keeps them, each turned into its line when it is queued.
Status writeEntries(const QString &ini, const QStringList &entries, bool append)
{
    QByteArray text;
    for (const QString &entry : entries)
        queuefiles::appendIniLine(text, entry);
    return queuefiles::writeIniText(ini, text, append);
}

} // namespace

TEST_F(QueueFilesTest, undoTrainDropsTheLastLineAndBlankLines)
{
    const struct {
        const char *name;
        QByteArray before;
        QByteArray last;
        QByteArray after;
    } rows[] = {
        {"A, empty, B, T", "A\r\n\r\nB\r\nT\r\n", "T", "A\r\nB\r\n"},
        {"line feeds only, no final break", "A\n\nB\nT", "T", "A\r\nB\r\n"},
        {"the one line T", "T\r\n", "T", ""},
        {"the one line T without a break", "T", "T", ""},
        {"lines of spaces go, a tab stays", "A\r\n   \r\n\t\r\n \r\nT\r\n", "T", "A\r\n\t\r\n"},
        {"blanks inside and around a line stay", "  A  B \r\nT\r\n", "T", "  A  B \r\n"},
        {"a last line of spaces is still the last", "A\r\nB\r\n   \r\n", "   ", "A\r\nB\r\n"},
        {"Latin-1 bytes are kept", "Z\xfcrich\r\nT\r\n", "T", "Z\xfcrich\r\n"},
    };
    for (const auto &row : rows) {
        const QString lib = writeFile(QStringLiteral("Library.txt"), row.before);
        const QString bmp = writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
        Status failure;
        ASSERT_EQ(queuefiles::undoTrainAddition(lib, row.last, bmp, failure), TrainUndo::Undone) << row.name;
        EXPECT_EQ(readFile(lib), row.after) << row.name;
        EXPECT_EQ(folderContents(), QStringList{QStringLiteral("Library.txt")}) << "no temporary file left";
    }
}

TEST_F(QueueFilesTest, undoTrainKeepsTheLibrarysPermissions)
{
    const QString lib = writeFile(QStringLiteral("Library.txt"), "A\r\nT\r\n");
    const QString bmp = writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(lib, perms));
    Status failure;
    ASSERT_EQ(queuefiles::undoTrainAddition(lib, "T", bmp, failure), TrainUndo::Undone);
    const auto ownerGroupOther = QFileDevice::Permissions(0x7777) & ~QFileDevice::Permissions(0x0700);
    EXPECT_EQ(QFile::permissions(lib) & ownerGroupOther, perms);
}

TEST_F(QueueFilesTest, undoTrainRewritesInPlaceALibraryWhoseFolderTheUserCannotWrite)
{
    const QString folder = makeDir(QStringLiteral("saver"));
    const QString lib = writeFile(QStringLiteral("saver/Library.txt"), "A\r\nT\r\n");
    const QString bmp = writeFile(QStringLiteral("saver/consists/00004.bmp"), "BM");
    shareWithNobody(folder, {lib, path(QStringLiteral("saver/consists"))});
    EXPECT_EXIT(
        {
            becomeNobody();
            Status failure;
            const TrainUndo undo = queuefiles::undoTrainAddition(lib, "T", bmp, failure);
            std::_Exit(undo == TrainUndo::Undone && readFile(lib) == "A\r\n" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
}

TEST_F(QueueFilesTest, undoTrainOfAMissingLibraryTouchesNothing)
{
    const QString lib = path(QStringLiteral("Gone.txt"));
    const QString bmp = writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
    Status failure;
    EXPECT_EQ(queuefiles::undoTrainAddition(lib, "T", bmp, failure), TrainUndo::LibraryGone);
    EXPECT_FALSE(QFile::exists(lib)) << "nothing is made in its place";
    EXPECT_TRUE(QFile::exists(bmp));
}

TEST(QueueFiles, trainEntriesAreThoseInAConsistsFolderWhateverTheCase)
{
    const struct {
        QString file;
        bool train;
    } rows[] = {
        {osPath("/rail/lib/consists/00001.bmp"), true},
        {osPath("/rail/lib/Consists/00001_0.bmp"), true},
        {osPath("/rail/lib/CONSISTS/00002.bmp"), true},
        {osPath("/rail/lib/E/e44.bmp"), false},
        {osPath("/rail/lib/consists.bmp"), false},
        {osPath("/rail/lib/myconsists/x.bmp"), true},
        {QString(), false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(queuefiles::isTrainEntryFile(row.file), row.train) << qPrintable(row.file);
}

TEST(QueueFiles, onlyAnAddConsistTrainOfTheOpenLibraryMayBeUndone)
{
    const QString lib = osPath("/rail/lib/trains.txt");
    const QString train = osPath("/rail/lib/consists/00002_0.bmp");
    const QString vehicle = osPath("/rail/lib/E/00002_0.bmp");
    const QString other = osPath("/rail/other/trains.txt");
    const struct {
        const char *name;
        QueueTag tag;
        QString openLibrary;
        QString file;
        bool may;
        bool train; // still the add-consist window's train, whose staying Erase Last then says
    } rows[] = {
        {"the add-consist window's train", QueueTag{true, lib, "T"}, lib, train, true, true},
        {"queued as a single vehicle", QueueTag{false, lib, "T"}, lib, train, false, false},
        {"another library opened since", QueueTag{true, lib, "T"}, other, train, false, true},
        {"no consists folder in its path", QueueTag{true, lib, "T"}, lib, vehicle, false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(queuefiles::mayUndoTrain(row.tag, row.openLibrary, row.file), row.may) << row.name;
        EXPECT_EQ(queuefiles::isAddConsistTrain(row.tag, row.file), row.train) << row.name;
    }
}

TEST_F(QueueFilesTest, undoTrainRemovesTheLineAndThenTheBitmap)
{
    const QString lib = writeFile(QStringLiteral("Library.txt"), "A\r\n\r\nB\r\nT 00004.bmp\r\n");
    const QString bmp = writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
    Status failure;
    EXPECT_EQ(queuefiles::undoTrainAddition(lib, "T 00004.bmp", bmp, failure), TrainUndo::Undone);
    EXPECT_EQ(readFile(lib), QByteArray("A\r\nB\r\n"));
    EXPECT_FALSE(QFile::exists(bmp));
}

TEST_F(QueueFilesTest, undoTrainTouchesNothingWhenTheLibraryEndsWithAnotherLine)
{
    const struct {
        const char *name;
        QByteArray content;
    } rows[] = {
        {"another vehicle appended since", "A\r\nT 00004.bmp\r\nV\r\n"},
        {"an empty library", ""},
        {"the line only near the end", "T 00004.bmp\r\n\r\n"},
    };
    for (const auto &row : rows) {
        const QString lib = writeFile(QStringLiteral("Library.txt"), row.content);
        const QString bmp = writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
        Status failure;
        EXPECT_EQ(queuefiles::undoTrainAddition(lib, "T 00004.bmp", bmp, failure), TrainUndo::NotLast) << row.name;
        EXPECT_EQ(readFile(lib), row.content) << row.name;
        EXPECT_TRUE(QFile::exists(bmp)) << row.name << ": a train that stays in the library keeps its bitmap";
    }
}

TEST_F(QueueFilesTest, undoTrainLeavesTheLibraryWholeWhateverFails)
{
    const QByteArray before = "A\r\nT 00004.bmp\r\n";
    const QString lib = path(QStringLiteral("Library.txt"));
    const QString bmp = path(QStringLiteral("Library/consists/00004.bmp"));
    TrainUndo undo = TrainUndo::Undone;
    const int operations = failEachOperation(
        [&] {
            writeFile(QStringLiteral("Library.txt"), before);
            writeFile(QStringLiteral("Library/consists/00004.bmp"), "BM");
        },
        [&] {
            Status failure;
            undo = queuefiles::undoTrainAddition(lib, "T 00004.bmp", bmp, failure);
            return failure;
        },
        [&](int n, const Status &failure) {
            EXPECT_TRUE(QFile::exists(bmp)) << "operation " << n;
            EXPECT_EQ(failure.reason(), QStringLiteral("Disk on fire"));
            if (undo == TrainUndo::BitmapKept) {
                EXPECT_EQ(readFile(lib), QByteArray("A\r\n")) << "operation " << n;
            } else {
                EXPECT_EQ(undo, TrainUndo::LibraryKept) << "operation " << n;
                EXPECT_EQ(failure.path(), lib);
                EXPECT_EQ(readFile(lib), before) << "operation " << n << ": the bitmap goes only after its line";
                EXPECT_EQ(folderContents(), QStringList{QStringLiteral("Library.txt")}) << "operation " << n;
            }
        });
    EXPECT_GE(operations, 4);
}

TEST_F(QueueFilesTest, appendCreatesAMissingIniFile)
{
    const QString ini = path(QStringLiteral("USER_BMP.INI"));
    ASSERT_TRUE(writeEntries(ini, {QStringLiteral("E1"), QStringLiteral("E2")}, true).ok());
    EXPECT_EQ(readFile(ini), QByteArray("E1\r\nE2\r\n"));
}

TEST_F(QueueFilesTest, appendKeepsEveryByteAndStartsALineOfItsOwn)
{
    const struct {
        const char *name;
        QByteArray before;
        QByteArray after;
    } rows[] = {
        {"ends with CR LF", "[old]\r\nX\r\n", "[old]\r\nX\r\nE1\r\nE2\r\n"},
        {"ends without a line break", "[old]\r\nX", "[old]\r\nX\r\nE1\r\nE2\r\n"},
        {"ends with a line feed", "X\n", "X\nE1\r\nE2\r\n"},
        {"empty", "", "E1\r\nE2\r\n"},
    };
    for (const auto &row : rows) {
        const QString ini = writeFile(QStringLiteral("USER_BMP.INI"), row.before);
        ASSERT_TRUE(writeEntries(ini, {QStringLiteral("E1"), QStringLiteral("E2")}, true).ok());
        EXPECT_EQ(readFile(ini), row.after) << row.name;
    }
}

TEST_F(QueueFilesTest, replaceLeavesExactlyTheEntriesInQueueOrder)
{
    const QString ini = writeFile(QStringLiteral("USER_BMP.INI"), "[old]\r\nold entry\r\nmore\r\nand more\r\n");
    const QStringList entries = {QStringLiteral("{LocoStart}FILE=/a.bmp;{LocoEnd}"),
                                 QStringLiteral("{LocoStart}FILE=/b.bmp;{LocoEnd}"),
                                 QStringLiteral("{LocoStart}FILE=/a.bmp;{LocoEnd}")};
    ASSERT_TRUE(writeEntries(ini, entries, false).ok());
    EXPECT_EQ(readFile(ini), QByteArray("{LocoStart}FILE=/a.bmp;{LocoEnd}\r\n"
                                        "{LocoStart}FILE=/b.bmp;{LocoEnd}\r\n"
                                        "{LocoStart}FILE=/a.bmp;{LocoEnd}\r\n"));
}

TEST_F(QueueFilesTest, entriesAreWrittenAsLatin1)
{
    const QString ini = path(QStringLiteral("USER_BMP.INI"));
    ASSERT_TRUE(writeEntries(ini, {QStringLiteral("LABEL=Z\u00fcrich;")}, false).ok());
    EXPECT_EQ(readFile(ini), QByteArray("LABEL=Z\xfcrich;\r\n"));
}

// A long queue is written piece by piece: entries across the pieces' borders, one entry longer
// than a piece and characters Latin-1 lacks must come out as one whole encoding would give them.
TEST_F(QueueFilesTest, aLongQueueIsWrittenWholeInEitherMode)
{
    QStringList entries;
    for (int i = 0; i < 3000; ++i)
        entries << QStringLiteral("{LocoStart}FILE=/lib/%1.bmp;LABEL=Z\u00fcrich %2;{LocoEnd}")
                       .arg(i, 5, 10, QLatin1Char('0'))
                       .arg(QString(i % 97, QLatin1Char('x')));
    entries[1234] = QStringLiteral("LABEL=\u20ac \u0141\u00f3d\u017a;");
    entries[2000] = QString(400 * 1024, QLatin1Char('L'));
    QByteArray expected;
    for (const QString &e : entries)
        expected += e.toLatin1() + "\r\n";
    for (const bool append : {true, false}) {
        const QString ini = writeFile(QStringLiteral("USER_BMP.INI"), "[old]\r\n");
        ASSERT_TRUE(writeEntries(ini, entries, append).ok());
        EXPECT_EQ(readFile(ini), append ? "[old]\r\n" + expected : expected) << (append ? "append" : "replace");
    }
}

TEST_F(QueueFilesTest, aFailingIniWriteKeepsTheOldFile)
{
    const QByteArray before = "[old]\r\nX";
    const QString ini = path(QStringLiteral("USER_BMP.INI"));
    for (const bool append : {true, false}) {
        const int operations = failEachOperation(
            [&] { writeFile(QStringLiteral("USER_BMP.INI"), before); },
            [&] { return writeEntries(ini, {QStringLiteral("E1"), QStringLiteral("E2")}, append); },
            [&](int n, const Status &status) {
                EXPECT_EQ(readFile(ini), before) << (append ? "append" : "replace") << ", operation " << n;
                EXPECT_EQ(status.path(), ini);
                EXPECT_EQ(folderContents(), QStringList{QStringLiteral("USER_BMP.INI")});
            });
        EXPECT_GE(operations, 2);
    }
}

TEST_F(QueueFilesTest, aFailingAppendToAMissingFileLeavesNothingWritten)
{
    const QString ini = path(QStringLiteral("USER_BMP.INI"));
    failEachOperation([&] { QFile::remove(ini); },
                      [&] { return writeEntries(ini, {QStringLiteral("E1")}, true); },
                      [&](int n, const Status &) {
                          EXPECT_TRUE(readFile(ini).isEmpty()) << "operation " << n;
                      });
}

TEST_F(QueueFilesTest, writingIntoAMissingFolderFailsNamingTheFile)
{
    const QString ini = path(QStringLiteral("nowhere/USER_BMP.INI"));
    for (const bool append : {true, false}) {
        const Status status = writeEntries(ini, {QStringLiteral("E1")}, append);
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(status.path(), ini);
        EXPECT_FALSE(status.reason().isEmpty());
    }
}
