#include "TestSupport.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "platform/Lookup.h"
#include "platform/Paths.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace platform;

class FilesTest : public TempDirTest {
protected:
    // Every name in the test folder, to see that no temporary file is left behind.
    QStringList folderContents() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(FilesTest, readLinesTakesEveryKindOfLineEnd)
{
    struct Case {
        QByteArray data;
        QList<QByteArray> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\r\nc", {"a", "b", "c"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"  \r\n", {"  "}},
    };
    for (const Case &c : cases) {
        const QString file = writeFile(QStringLiteral("lines.txt"), c.data);
        QList<QByteArray> lines{"stale"};
        ASSERT_TRUE(readLines(file, lines));
        EXPECT_EQ(lines, c.lines) << c.data.toStdString();
    }
}

TEST_F(FilesTest, readFailuresNameTheFileAndTheSystemReason)
{
    QList<QByteArray> lines{"kept"};
    const Status missing = readLines(path(QStringLiteral("none.txt")), lines);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.path(), path(QStringLiteral("none.txt")));
    EXPECT_EQ(missing.reason(), QStringLiteral("No such file or directory"));
    EXPECT_EQ(lines, QList<QByteArray>{"kept"});

    const Status folder = readLines(makeDir(QStringLiteral("sub")), lines);
    EXPECT_FALSE(folder);
    EXPECT_EQ(folder.reason(), QStringLiteral("Is a directory"));

    const QString file = writeFile(QStringLiteral("a.txt"), "x\r\n");
    FileFaults::failAt(1, QStringLiteral("Disk on fire"));
    const Status injected = readLines(file, lines);
    EXPECT_EQ(injected.reason(), QStringLiteral("Disk on fire"));
    EXPECT_EQ(lines, QList<QByteArray>{"kept"});
}

TEST_F(FilesTest, appendStartsAFreshLineAfterAFileWithoutFinalBreak)
{
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"", "a\r\nb\r\n"},
        {"x", "x\r\na\r\nb\r\n"},
        {"x\n", "x\na\r\nb\r\n"},
        {"x\r\n", "x\r\na\r\nb\r\n"},
        {"x\r", "x\r\na\r\nb\r\n"}, // a lone CR only lacks its LF
    };
    for (const Case &c : cases) {
        const QString file = writeFile(QStringLiteral("lib.txt"), c.before);
        ASSERT_TRUE(appendLines(file, {"a", "b"}));
        EXPECT_EQ(readFile(file), c.after) << c.before.toStdString();
    }
}

TEST_F(FilesTest, appendCreatesAMissingFile)
{
    const QString file = path(QStringLiteral("new.txt"));
    ASSERT_TRUE(appendLines(file, {"only"}));
    EXPECT_EQ(readFile(file), QByteArray("only\r\n"));
}

TEST_F(FilesTest, appendFailureCutsTheFileBack)
{
    const QString file = writeFile(QStringLiteral("lib.txt"), "old");
    Status status;
    const auto check = [&](int, bool failed) {
        if (!failed)
            return;
        EXPECT_FALSE(status);
        EXPECT_EQ(status.reason(), QStringLiteral("No space left on device"));
        EXPECT_EQ(readFile(file), QByteArray("old"));
    };
    EXPECT_GE(failEachOperation([] {}, [&] { status = appendLines(file, {"a", "b"}); }, check,
                                QStringLiteral("No space left on device")),
              2);
    // A file that did not exist before is not left behind empty.
    FileFaults::failAt(2);
    EXPECT_FALSE(appendLines(path(QStringLiteral("new.txt")), {"a"}));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("new.txt"))));
}

// Runs `write` with files limited to 20 bytes: the system takes part of a longer write and
// then refuses the rest, the way a disk that fills up does.
template<typename Write>
Status underSizeLimit(Write write)
{
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        return Status::failure(QString(), QStringLiteral("no limit"));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &tight);
    const Status status = write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return status;
}

TEST_F(FilesTest, appendCutsBackWhatAFailedWriteLeftPartWay)
{
    const QString file = writeFile(QStringLiteral("lib.txt"), "0123456789");
    const Status status = underSizeLimit([&] { return appendLines(file, {QByteArray(100, 'x')}); });
    EXPECT_FALSE(status);
    EXPECT_EQ(status.reason(), QStringLiteral("File too large"));
    EXPECT_EQ(readFile(file), QByteArray("0123456789"));
}

TEST_F(FilesTest, writeAtomicKeepsTheOldFileWhenTheWriteFailsPartWay)
{
    const QString file = writeFile(QStringLiteral("lib.txt"), "0123456789");
    const QStringList before = folderContents();
    const Status status = underSizeLimit([&] { return writeAtomic(file, QByteArray(100000, 'x')); });
    EXPECT_FALSE(status);
    EXPECT_EQ(status.reason(), QStringLiteral("File too large"));
    EXPECT_EQ(readFile(file), QByteArray("0123456789"));
    EXPECT_EQ(folderContents(), before);
}

TEST_F(FilesTest, writeInPlaceWhereTheFolderTakesNoTemporaryFile_andPutBackTheOldOnFailure)
{
    // A folder that its user cannot write to, holding a file that the user can, reached also
    // through a link from a folder the user can write to; the user's temporary folder is ours.
    const QString folder = makeDir(QStringLiteral("saver"));
    const QString file = writeFile(QStringLiteral("saver/USER_BMP.INI"), "0123456789");
    const QString link = makeDir(QStringLiteral("mine")) + QStringLiteral("/USER_BMP.INI");
    QFile::link(file, link);
    const QString temp = makeDir(QStringLiteral("temp"));
    shareWithNobody(folder, {file, path(QStringLiteral("mine")), temp});
    const QByteArray old = "0123456789", large(30, 'o'), tooLong(100, 'x');
    const QString damaged = QStringLiteral("Injected failure\nUSER_BMP.INI is damaged: its old content is kept in %1.");
    const struct {
        const char *name;
        QString to;
        QByteArray before, data;
        std::optional<FileOp> failing; // every operation of this kind on the file fails
        QString reason; // %1 the copy
        QByteArray after; // the file's, or the kept copy's when there is one
    } rows[] = {
        {"written in place", file, old, "new\r\n", {}, QString(), "new\r\n"},
        {"through a link", link, old, "new\r\n", {}, QString(), "new\r\n"},
        {"cut short, put back", file, old, tooLong, {}, QStringLiteral("File too large"), old},
        {"put back refused: the copy stays", file, old, "new\r\n", FileOp::Write, damaged, old},
        {"no copy of what the limit refuses", file, large, "new\r\n", {}, QStringLiteral("File too large"), large},
        {"no copy of what cannot be read", file, old, "new\r\n", FileOp::Read, QStringLiteral("Injected failure"), old},
    };
    EXPECT_EXIT(
        {
            becomeNobody();
            qputenv("TMPDIR", QFile::encodeName(temp));
            bool passed = true;
            for (const auto &row : rows) {
                writeFile(file, row.before);
                FileFaults::reset();
                if (row.failing)
                    FileFaults::failOn(*row.failing, file);
                const Status status = underSizeLimit([&] { return writeAtomicOrInPlace(row.to, row.data); });
                const QStringList copies = QDir(temp).entryList(QDir::Files | QDir::Hidden);
                const QString copy = copies.isEmpty() ? file : temp + QLatin1Char('/') + copies.first();
                const bool kept = row.reason == damaged;
                const bool ok = status.reason() == QString(row.reason).replace(QStringLiteral("%1"), nativePath(copy))
                                && readFile(copy) == row.after && copies.size() == (kept ? 1 : 0)
                                && QFileInfo(link).isSymLink();
                if (!ok)
                    fprintf(stderr, "%s: %s\n", row.name, qPrintable(status.reason()));
                passed = passed && ok;
                for (const QString &name : copies)
                    QFile::remove(temp + QLatin1Char('/') + name);
            }
            std::_Exit(passed ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
}

TEST_F(FilesTest, appendToAFullDeviceReportsTheSystemReason)
{
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        GTEST_SKIP() << "no /dev/full here";
    const Status status = appendLines(QStringLiteral("/dev/full"), {"a"});
    EXPECT_FALSE(status);
    EXPECT_EQ(status.reason(), QStringLiteral("No space left on device"));
}

TEST_F(FilesTest, appendIntoAFolderFails)
{
    const QString folder = makeDir(QStringLiteral("lib.txt"));
    EXPECT_FALSE(appendLines(folder, {"a"}));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(FilesTest, writeAtomicFailureAtEachStepLeavesTheOldFile)
{
    const QString file = writeFile(QStringLiteral("lib.txt"), "old\r\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QStringList before = folderContents();
    Status status;
    const auto check = [&](int, bool failed) {
        if (!failed) {
            ASSERT_TRUE(status);
            return;
        }
        EXPECT_FALSE(status);
        EXPECT_EQ(status.path(), file);
        EXPECT_EQ(readFile(file), QByteArray("old\r\n"));
        EXPECT_EQ(folderContents(), before);
    };
    EXPECT_EQ(failEachOperation([] {}, [&] { status = writeAtomic(file, "new\r\n"); }, check, QStringLiteral("Injected")),
              3);
    EXPECT_EQ(readFile(file), QByteArray("new\r\n"));
    EXPECT_EQ(QFile::permissions(file), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadUser
                                            | QFile::WriteUser);
}

TEST_F(FilesTest, writeBelowAFileFails)
{
    const QString file = writeFile(QStringLiteral("plain"), "x");
    const Status status = writeAtomic(file + QStringLiteral("/inner.txt"), "y");
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.reason().isEmpty());
    EXPECT_EQ(readFile(file), QByteArray("x"));
}

TEST_F(FilesTest, removeCountsAGoneFileAsRemoved)
{
    const QString file = writeFile(QStringLiteral("a.txt"), "x");
    FileFaults::failAt(1);
    EXPECT_FALSE(removeFile(file));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(removeFile(file));
}

TEST_F(FilesTest, onlyVisibleOrdinaryFilesExist)
{
    writeFile(QStringLiteral("a.bmp"), "x");
    writeFile(QStringLiteral(".hidden"), "x");
    makeDir(QStringLiteral("folder.bmp"));
    EXPECT_TRUE(fileExists(path(QStringLiteral("a.bmp"))));
    EXPECT_FALSE(fileExists(path(QStringLiteral("A.BMP"))));
    EXPECT_FALSE(fileExists(path(QStringLiteral(".hidden"))));
    EXPECT_FALSE(fileExists(path(QStringLiteral("folder.bmp"))));
    EXPECT_FALSE(fileExists(path(QStringLiteral("none"))));
    EXPECT_TRUE(folderExists(path(QStringLiteral("folder.bmp"))));
    EXPECT_FALSE(folderExists(path(QStringLiteral("a.bmp"))));
    FileFaults::failAt(1);
    EXPECT_FALSE(fileExists(path(QStringLiteral("a.bmp"))));
}

TEST_F(FilesTest, listsMatchingFilesWithoutRegardToCase)
{
    for (const char *name : {"b.bmp", "A.BMP", "c.txt", "a_SAR.Bmp", ".h.bmp"})
        writeFile(QString::fromLatin1(name), "x");
    makeDir(QStringLiteral("d.bmp"));
    makeDir(QStringLiteral("Zeta"));
    makeDir(QStringLiteral("alpha"));
    QStringList names;
    ASSERT_TRUE(listFiles(m_dir.path(), QStringLiteral("*.bmp"), names));
    EXPECT_EQ(names, QStringList({"A.BMP", "a_SAR.Bmp", "b.bmp"}));
    writeFile(QStringLiteral("README"), "x");
    ASSERT_TRUE(listFiles(m_dir.path(), QStringLiteral("*.*"), names));
    EXPECT_EQ(names, QStringList({"A.BMP", "a_SAR.Bmp", "b.bmp", "c.txt", "README"}));
    ASSERT_TRUE(listFiles(m_dir.path(), QStringLiteral("*.TXT;b.*"), names));
    EXPECT_EQ(names, QStringList({"b.bmp", "c.txt"}));
    ASSERT_TRUE(listFolders(m_dir.path(), names));
    EXPECT_EQ(names, QStringList({"alpha", "d.bmp", "Zeta"}));
}

TEST_F(FilesTest, listingAMissingFolderFailsWithAReason)
{
    QStringList names{"kept"};
    const Status status = listFiles(path(QStringLiteral("none")), QStringLiteral("*.*"), names);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.reason(), QStringLiteral("No such file or directory"));
    EXPECT_EQ(names, QStringList{"kept"});
    const QString file = writeFile(QStringLiteral("f"), "x");
    EXPECT_EQ(listFolders(file, names).reason(), QStringLiteral("Not a directory"));
}

TEST_F(FilesTest, findsAFileWhoseNameDiffersInCase)
{
    const QString loco = writeFile(QStringLiteral("E/LOCO.BMP"), "x");
    FileFaults::reset();
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("e/loco.bmp"))), loco);
    EXPECT_EQ(FileFaults::count(), 1);
    EXPECT_EQ(findFileAnyCase(QStringLiteral("e/Loco.bmp")), QStringLiteral("E/LOCO.BMP"));
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("e/none.bmp"))), QString());
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("x/loco.bmp"))), QString());
    EXPECT_EQ(findFileAnyCase(QString()), QString());
    // A batch answers as the single look-ups do.
    const QStringList batch{path(QStringLiteral("e/loco.bmp")), path(QStringLiteral("e/none.bmp")),
                            path(QStringLiteral("x/loco.bmp")), loco};
    EXPECT_EQ(findFilesAnyCase(batch), (QStringList{loco, QString(), QString(), loco}));
    FileFaults::failAt(1);
    EXPECT_EQ(findFileAnyCase(loco), QString());
}

TEST_F(FilesTest, findPrefersTheExactNameThenTheFirstInOrder)
{
    writeFile(QStringLiteral("T/a.bmp"), "1");
    writeFile(QStringLiteral("T/A.BMP"), "2");
    writeFile(QStringLiteral("t/A.bmp"), "3");
    writeFile(QStringLiteral("t/a.BMP"), "4");
    makeDir(QStringLiteral("f/x.bmp"));
    writeFile(QStringLiteral("f/X.BMP"), "5");
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("T/a.bmp"))), path(QStringLiteral("T/a.bmp")));
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("t/a.bmp"))), path(QStringLiteral("t/A.bmp")));
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("t/A.BMP"))), path(QStringLiteral("t/A.bmp")));
    // A folder of the exact name is no file: the file of another case is taken.
    EXPECT_EQ(findFileAnyCase(path(QStringLiteral("f/x.bmp"))), path(QStringLiteral("f/X.BMP")));
}

TEST(Paths, joinAndSplit)
{
    EXPECT_EQ(sep(), QLatin1Char('/'));
    EXPECT_EQ(joinPath(QStringLiteral("/lib"), QStringLiteral("E")), QStringLiteral("/lib/E"));
    EXPECT_EQ(joinPath(QStringLiteral("/lib/"), QStringLiteral("E")), QStringLiteral("/lib/E"));
    EXPECT_EQ(joinPath(QStringLiteral("/lib//"), QStringLiteral("/E")), QStringLiteral("/lib/E"));
    EXPECT_EQ(joinPath(QStringLiteral("/"), QStringLiteral("E")), QStringLiteral("/E"));
    EXPECT_EQ(joinPath(QString(), QStringLiteral("E")), QStringLiteral("E"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/lib/E/loco.bmp")), QStringLiteral("loco.bmp"));
    EXPECT_EQ(fileNameOf(QStringLiteral("loco.bmp")), QStringLiteral("loco.bmp"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/lib/")), QString());
    EXPECT_EQ(nativePath(QStringLiteral("/lib/E")), QStringLiteral("/lib/E"));
}
