#include "TestSupport.h"
#include "platform/Drives.h"
#include "platform/FileFaults.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>

using platform::FileFaults;

namespace {

// A folder to enter beside a file that is not one, in the test's own folder.
class DriveFolders : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        makeDir(QStringLiteral("drive"));
        writeFile(QStringLiteral("readme.txt"), "x");
        root = QDir::currentPath();
    }

    QString root;
};

} // namespace

TEST(Drives, driveOf_isTheLongestMountPointHoldingThePath)
{
    const QStringList mounts{QStringLiteral("/"), QStringLiteral("/boot"), QStringLiteral("/mnt"),
                             QStringLiteral("/mnt/usb")};
    const struct {
        QString path;
        QString drive;
    } rows[] = {
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("/home/me"), QStringLiteral("/")},
        {QStringLiteral("/boot"), QStringLiteral("/boot")},
        {QStringLiteral("/boot/grub"), QStringLiteral("/boot")},
        {QStringLiteral("/bootleg"), QStringLiteral("/")},
        {QStringLiteral("/mnt/usb/saver/data"), QStringLiteral("/mnt/usb")},
        {QStringLiteral("/mnt/usb2"), QStringLiteral("/mnt")},
        {QStringLiteral("relative/path"), QString()},
        {QString(), QString()},
    };
    for (const auto &row : rows)
        EXPECT_EQ(platform::driveOf(row.path, mounts), row.drive) << row.path.toStdString();
}

TEST(Drives, drives_areFoldersSortedWithTheRootFirst)
{
    const QStringList roots = platform::drives();
    ASSERT_FALSE(roots.isEmpty());
    EXPECT_EQ(roots.first(), QStringLiteral("/"));
    QStringList sorted = roots;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(roots, sorted);
    QStringList unique = roots;
    EXPECT_EQ(unique.removeDuplicates(), 0);
    for (const QString &r : roots)
        EXPECT_TRUE(QFileInfo(r).isDir()) << r.toStdString();
}

TEST_F(DriveFolders, enterDrive_tellsAnUnavailableDriveFromOtherFailures)
{
    const struct {
        const char *name;
        QString root;
        bool ok;
        bool unavailable;
    } rows[] = {
        {"folder", root + QStringLiteral("/drive"), true, false},
        {"gone", root + QStringLiteral("/gone"), false, true},
        {"a file, not a folder", root + QStringLiteral("/readme.txt"), false, true},
        {"nothing", QString(), false, true},
    };
    for (const auto &row : rows) {
        ASSERT_TRUE(QDir::setCurrent(root));
        const platform::DriveStatus st = platform::enterDrive(row.root);
        EXPECT_EQ(st.ok, row.ok) << row.name;
        EXPECT_EQ(st.unavailable, row.unavailable) << row.name;
        EXPECT_EQ(QDir::currentPath(), row.ok ? row.root : root) << row.name;
        EXPECT_EQ(st.description.isEmpty(), row.ok) << row.name;
    }

    FileFaults::failAt(1, QStringLiteral("Permission denied"));
    const platform::DriveStatus refused = platform::enterDrive(root + QStringLiteral("/drive"));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.unavailable);
    EXPECT_EQ(refused.description, QStringLiteral("Permission denied"));
    EXPECT_EQ(QDir::currentPath(), root);
}
