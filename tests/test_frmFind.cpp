#include "WindowTestSupport.h"
#include "ini_locator/frmFind.h"
#include "platform/Drives.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/DirListBox.h"
#include "platform/widgets/DriveListBox.h"
#include "platform/widgets/FileListBox.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using platform::FileFaults;

namespace {

const QChar CR(13);

QString okText(const QString &shownPath)
{
    return QStringLiteral("The full path is: ") + CR + shownPath + CR + QStringLiteral("is it ok?");
}

QString editText(const QString &shownPath)
{
    return QStringLiteral("Do you want edit ") + CR + shownPath + QStringLiteral(" ?");
}

// A folder tree with INI files beside files and folders that must not be listed:
//   USER_BMP.INI, other.ini, readme.txt, noext, dir.ini/, sub/inner.ini, sub/notes.txt,
//   drive/a.ini, drive/b.txt
class FindTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        for (const char *file : {"USER_BMP.INI", "other.ini", "readme.txt", "noext", "sub/inner.ini", "sub/notes.txt",
                                 "drive/a.ini", "drive/b.txt"})
            writeFile(QLatin1String(file), "x");
        makeDir(QStringLiteral("dir.ini"));
        root = QDir::currentPath();
    }

    std::unique_ptr<frmFind> open()
    {
        auto f = std::make_unique<frmFind>(g, prompts, iniFileName);
        f->show();
        return f;
    }

    static void clickFile(frmFind &f, const QString &name)
    {
        const int row = int(f.File1->items().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        const QModelIndex index = f.File1->model()->index(row, 0);
        f.File1->scrollTo(index);
        const QRect r = f.File1->visualRect(index);
        QTest::mouseClick(f.File1->viewport(), Qt::LeftButton, {}, r.center());
    }

    static void openFolder(frmFind &f, const QString &fullPath)
    {
        for (int i = 0; i < f.dirSourceBMP->count(); ++i) {
            QListWidgetItem *item = f.dirSourceBMP->item(i);
            if (item->data(Qt::UserRole).toString() == fullPath) {
                f.dirSourceBMP->scrollToItem(item);
                const QRect r = f.dirSourceBMP->visualItemRect(item);
                // What a mouse sends: press, release, then the second press as a double click.
                QTest::mouseClick(f.dirSourceBMP->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseDClick(f.dirSourceBMP->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseRelease(f.dirSourceBMP->viewport(), Qt::LeftButton, {}, r.center());
                return;
            }
        }
        ADD_FAILURE() << "no folder " << fullPath.toStdString();
    }

    // Offers fake drives: the real root and folders of the test tree.
    static void offerDrives(frmFind &f, const QStringList &more)
    {
        f.Drive1->setDrives(QStringList{QStringLiteral("/")} + more);
    }

    // The window opened while the process stands in the fake drive `previous`, which the drive
    // list offers beside `others`.
    std::unique_ptr<frmFind> openOnDrive(const QString &previous, const QStringList &others)
    {
        EXPECT_TRUE(QDir::setCurrent(previous));
        auto f = open();
        offerDrives(*f, QStringList{previous} + others);
        return f;
    }

    mc_Brenvik g;
    ScriptedPrompts prompts;
    QString iniFileName;
    QString root;
};

} // namespace

TEST_F(FindTest, opening_listsOnlyIniFilesOfTheCurrentFolderAndKeepsTheChoice)
{
    g.gIniPath = QStringLiteral("/old/USER_BMP.INI");
    iniFileName = QStringLiteral("USER_BMP.INI");
    auto f = open();

    EXPECT_EQ(f->mBrowseFolder, root);
    EXPECT_EQ(f->File1->items(), (QStringList{QStringLiteral("other.ini"), QStringLiteral("USER_BMP.INI")}));
    EXPECT_EQ(f->File1->ListIndex(), -1);
    EXPECT_EQ(f->dirSourceBMP->Path(), root);
    EXPECT_EQ(f->dirSourceBMP->ListCount(), 3);
    EXPECT_EQ(f->dirSourceBMP->List(0), root + QStringLiteral("/dir.ini"));
    EXPECT_EQ(f->dirSourceBMP->List(1), root + QStringLiteral("/drive"));
    EXPECT_EQ(f->dirSourceBMP->List(2), root + QStringLiteral("/sub"));
    EXPECT_EQ(f->dirSourceBMP->List(-1), root);
    EXPECT_EQ(f->Drive1->Drive(), platform::driveOf(root, f->Drive1->drives()));
    EXPECT_EQ(g.gIniPath, QStringLiteral("/old/USER_BMP.INI"));
    EXPECT_EQ(iniFileName, QStringLiteral("USER_BMP.INI"));
    EXPECT_EQ(QDir::currentPath(), root);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(FindTest, window_isLaidOutFromTheFormsTwips)
{
    auto f = open();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Brenvik"));
    EXPECT_EQ(f->size(), QSize(367, 406));
    EXPECT_EQ(f->palette().color(QPalette::Window), QColor(0x00, 0x48, 0x00));
    EXPECT_EQ(f->Label2->text(), QStringLiteral("Select DRIVE and FOLDER containing USER_BMP.INI"));
    EXPECT_TRUE(f->Label2->font().bold());
    EXPECT_EQ(f->Label2->palette().color(QPalette::WindowText), QColor(Qt::white));
    const struct {
        const char *name;
        QRect geometry;
        QString caption;
    } rows[] = {
        {"Label2", QRect(11, 12, 344, 28), {}},
        {"Drive1", QRect(11, 66, 344, 21), {}},
        {"dirSourceBMP", QRect(11, 93, 344, 111), {}},
        {"File1", QRect(11, 227, 344, 97), {}},
        {"Command1", QRect(11, 357, 115, 33), QStringLiteral("Ok")},
        {"cmdEdit", QRect(126, 357, 115, 33), QStringLiteral("Edit")},
        {"Command2", QRect(240, 357, 115, 33), QStringLiteral("Exit")},
    };
    for (const auto &row : rows) {
        if (auto *b = qobject_cast<QPushButton *>(expectControlAt(*f, row.name, row.geometry))) {
            EXPECT_EQ(b->text(), row.caption) << row.name;
        }
    }
}

TEST_F(FindTest, tab_followsTheFormsTabOrder)
{
    auto f = open();
    f->activateWindow();
    f->Drive1->setFocus();
    const QWidget *expected[] = {f->dirSourceBMP, f->Command2, f->File1, f->Command1, f->cmdEdit, f->Drive1};
    for (const QWidget *w : expected) {
        QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(f->focusWidget(), w) << w->objectName().toStdString();
    }
}

TEST_F(FindTest, escape_leavesTheWindowOpen)
{
    auto f = open();
    const QList<QWidget *> controls = {f->Drive1, f->dirSourceBMP, f->File1, f->Command1,
                                       f->cmdEdit, f->Command2, f.get()};
    for (QWidget *control : controls) {
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(f->isVisible()) << control->objectName().toStdString();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(f->close()); // the close box still closes it
}

TEST_F(FindTest, fileClick_setsTheBareNameAndExitKeepsIt)
{
    auto f = open();
    clickFile(*f, QStringLiteral("USER_BMP.INI"));
    EXPECT_EQ(iniFileName, QStringLiteral("USER_BMP.INI"));
    EXPECT_EQ(g.gIniPath, QStringLiteral("USER_BMP.INI"));

    QTest::mouseClick(f->Command2, Qt::LeftButton);
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(g.gIniPath, QStringLiteral("USER_BMP.INI"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(FindTest, ok_asksWithTheFullPathAndHandsItBack)
{
    // The folder as the lists give it, with or without a separator at its end.
    const struct {
        const char *name;
        QString folder;
        QString expected;
    } rows[] = {
        {"folder", root + QStringLiteral("/sub"), root + QStringLiteral("/sub/User_bmp.ini")},
        {"folder ending in a separator", root + QStringLiteral("/sub/"), root + QStringLiteral("/sub/User_bmp.ini")},
        {"root", QStringLiteral("/"), QStringLiteral("/User_bmp.ini")},
    };
    for (const auto &row : rows) {
        prompts.clear();
        iniFileName = QStringLiteral("User_bmp.ini");
        auto f = open();
        f->mBrowseFolder = row.folder;
        QTest::mouseClick(f->Command1, Qt::LeftButton);
        EXPECT_EQ(g.gIniPath, row.expected) << row.name;
        ASSERT_EQ(prompts.messages.size(), 1) << row.name;
        expectMessage(prompts.messages[0], okText(row.expected.toUpper()), MsgIcon::Exclamation, MsgButtons::OKCancel);
        EXPECT_EQ(f->result(), QDialog::Accepted) << row.name;
        EXPECT_FALSE(f->isVisible()) << row.name;
    }
}

TEST_F(FindTest, ok_afterClickInAFolderOpenedInTheList)
{
    auto f = open();
    openFolder(*f, root + QStringLiteral("/sub"));
    clickFile(*f, QStringLiteral("inner.ini"));
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    const QString expected = root + QStringLiteral("/sub/inner.ini");
    EXPECT_EQ(g.gIniPath, expected);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, okText(expected.toUpper()));
}

TEST_F(FindTest, okCancelOk_showsTheSamePathTwiceWithOneSeparator)
{
    auto f = open();
    clickFile(*f, QStringLiteral("other.ini"));
    prompts.answerNext(MsgAnswer::Cancel);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(g.gIniPath, root + QStringLiteral("/other.ini")); // Cancel keeps the full path
    QTest::mouseClick(f->Command1, Qt::LeftButton);

    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].text, prompts.messages[1].text);
    EXPECT_EQ(g.gIniPath, root + QStringLiteral("/other.ini"));
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(FindTest, editCancelThenOk_andEditTwice_keepOneFolderInFront)
{
    auto f = open();
    clickFile(*f, QStringLiteral("other.ini"));
    const QString expected = root + QStringLiteral("/other.ini");
    prompts.answerNext(MsgAnswer::Cancel);
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    prompts.answerNext(MsgAnswer::OK);
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(g.gIniPath, expected);
    EXPECT_EQ(prompts.programs, (QStringList{QStringLiteral("WRITE ") + expected, QStringLiteral("WRITE ") + expected}));
    EXPECT_TRUE(f->isVisible());

    prompts.answerNext(MsgAnswer::Cancel);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 4);
    EXPECT_EQ(prompts.messages[3].text, okText(expected.toUpper()));
    EXPECT_EQ(g.gIniPath, expected);
}

TEST_F(FindTest, ok_withNoFileClicked_givesTheFolderAloneEndingInSeparator)
{
    auto f = open();
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(g.gIniPath, root + QStringLiteral("/"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, okText((root + QStringLiteral("/")).toUpper()));
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(FindTest, edit_passesThePathAsStoredAndTrimsOnlyTheQuestion)
{
    iniFileName = QStringLiteral("My User.ini  ");
    auto f = open();
    f->mBrowseFolder = QStringLiteral("  ") + root;
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);

    const QString stored = QStringLiteral("  ") + root + QStringLiteral("/My User.ini  ");
    EXPECT_EQ(g.gIniPath, stored);
    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0], editText((root + QStringLiteral("/My User.ini")).toUpper()),
                  MsgIcon::Exclamation, MsgButtons::OKCancel);
    EXPECT_EQ(prompts.programs, QStringList{QStringLiteral("WRITE ") + stored});
    EXPECT_TRUE(f->isVisible());
    EXPECT_NE(f->result(), QDialog::Accepted);
}

TEST_F(FindTest, edit_cancelledStartsNothing)
{
    auto f = open();
    clickFile(*f, QStringLiteral("USER_BMP.INI"));
    prompts.answerNext(MsgAnswer::Cancel);
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_TRUE(prompts.programs.isEmpty());
    EXPECT_EQ(g.gIniPath, root + QStringLiteral("/USER_BMP.INI"));
    EXPECT_TRUE(f->isVisible());
}

TEST_F(FindTest, edit_whenTheEditorCannotStart_reportsItAndStaysUsable)
{
    prompts.startResult = platform::Status::failure(QStringLiteral("WRITE"), QStringLiteral("No program answers"));
    auto f = open();
    clickFile(*f, QStringLiteral("USER_BMP.INI"));
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);

    const QString path = root + QStringLiteral("/USER_BMP.INI");
    ASSERT_EQ(prompts.messages.size(), 2);
    expectMessage(prompts.messages[1],
                  QStringLiteral("Cannot edit %1:\nNo program answers").arg(QDir::toNativeSeparators(path)),
                  MsgIcon::Exclamation, MsgButtons::OK);
    EXPECT_TRUE(f->isVisible());

    QTest::mouseClick(f->Command1, Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[2].text, okText(path.toUpper()));
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(FindTest, reopening_afterOkWithoutAClick_usesTheNewFolderAndTheNameClickedLast)
{
    {
        auto f = open();
        openFolder(*f, root + QStringLiteral("/sub"));
        clickFile(*f, QStringLiteral("inner.ini"));
        QTest::mouseClick(f->Command1, Qt::LeftButton);
        EXPECT_EQ(g.gIniPath, root + QStringLiteral("/sub/inner.ini"));
    }
    ASSERT_TRUE(QDir::setCurrent(path(QStringLiteral("drive"))));
    auto f = open();
    EXPECT_EQ(f->mBrowseFolder, root + QStringLiteral("/drive"));
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(g.gIniPath, root + QStringLiteral("/drive/inner.ini"));
}

TEST_F(FindTest, folderChange_showsItsIniFilesButLeavesTheCurrentFolder)
{
    auto f = open();
    openFolder(*f, root + QStringLiteral("/sub"));
    EXPECT_EQ(f->dirSourceBMP->Path(), root + QStringLiteral("/sub"));
    EXPECT_EQ(f->mBrowseFolder, root + QStringLiteral("/sub"));
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("inner.ini")});
    EXPECT_EQ(QDir::currentPath(), root);

    // Up to the folder above with the keyboard: Enter opens it.
    f->dirSourceBMP->setFocus();
    QTest::keyClick(f->dirSourceBMP, Qt::Key_Up);
    QTest::keyClick(f->dirSourceBMP, Qt::Key_Return);
    EXPECT_EQ(f->dirSourceBMP->Path(), root);
    EXPECT_EQ(f->mBrowseFolder, root);
    EXPECT_EQ(f->File1->items(), (QStringList{QStringLiteral("other.ini"), QStringLiteral("USER_BMP.INI")}));
    EXPECT_EQ(QDir::currentPath(), root);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(FindTest, folderThatCannotBeListed_isReportedAndTheListStaysUsable)
{
    auto f = open();
    FileFaults::failAt(1, QStringLiteral("Permission denied"));
    openFolder(*f, root + QStringLiteral("/sub"));
    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0],
                  QStringLiteral("Cannot list the folder %1:\nPermission denied")
                      .arg(QDir::toNativeSeparators(root + QStringLiteral("/sub"))),
                  MsgIcon::Exclamation, MsgButtons::OK);
    EXPECT_EQ(f->dirSourceBMP->Path(), root);
    EXPECT_EQ(f->mBrowseFolder, root);

    openFolder(*f, root + QStringLiteral("/sub"));
    EXPECT_EQ(f->dirSourceBMP->Path(), root + QStringLiteral("/sub"));
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("inner.ini")});
}

TEST_F(FindTest, driveChange_makesTheRootCurrentAndListsIt)
{
    const QString drive = root + QStringLiteral("/drive");
    auto f = open();
    offerDrives(*f, {drive});
    openFolder(*f, root + QStringLiteral("/sub"));
    f->Drive1->setDrive(drive);

    EXPECT_EQ(QDir::currentPath(), drive);
    EXPECT_EQ(f->Drive1->Drive(), drive);
    EXPECT_EQ(f->dirSourceBMP->Path(), drive);
    EXPECT_EQ(f->mBrowseFolder, drive);
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("a.ini")});

    // The next opening starts there.
    auto again = open();
    EXPECT_EQ(again->mBrowseFolder, drive);
    EXPECT_EQ(again->dirSourceBMP->Path(), drive);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(FindTest, driveChange_toTheRoot_buildsThePathWithOneSeparator)
{
    const QString drive = root + QStringLiteral("/drive");
    iniFileName = QStringLiteral("USER_BMP.INI");
    auto f = open();
    offerDrives(*f, {drive});
    f->Drive1->setDrive(drive);
    f->Drive1->setDrive(QStringLiteral("/"));

    EXPECT_EQ(QDir::currentPath(), QStringLiteral("/"));
    EXPECT_EQ(f->dirSourceBMP->Path(), QStringLiteral("/"));
    QStringList rootIni;
    ASSERT_TRUE(platform::listFiles(QStringLiteral("/"), QStringLiteral("*.ini"), rootIni));
    EXPECT_EQ(f->File1->items(), rootIni);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(g.gIniPath, QStringLiteral("/USER_BMP.INI"));
}

TEST_F(FindTest, driveChange_byTheUsersKey)
{
    const QString drive = root + QStringLiteral("/drive");
    auto f = open();
    offerDrives(*f, {drive});
    f->Drive1->setDrive(QStringLiteral("/"));
    f->Drive1->setFocus();
    QTest::keyClick(f->Drive1, Qt::Key_Down);
    EXPECT_EQ(f->Drive1->Drive(), drive);
    EXPECT_EQ(QDir::currentPath(), drive);
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("a.ini")});
}

TEST_F(FindTest, unavailableDrive_isReportedAndTheListGoesBackToThePreviousDrive)
{
    const QString previous = root + QStringLiteral("/drive");
    const QString gone = root + QStringLiteral("/no-medium");
    iniFileName = QStringLiteral("USER_BMP.INI");
    auto f = openOnDrive(previous, {gone});
    openFolder(*f, root); // browsing elsewhere; going back ends at the root anyway
    f->Drive1->setDrive(gone);

    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0], QStringLiteral("Device NOT available!"), MsgIcon::Exclamation, MsgButtons::OK);
    EXPECT_EQ(f->Drive1->Drive(), previous);
    EXPECT_EQ(QDir::currentPath(), previous);
    EXPECT_EQ(f->dirSourceBMP->Path(), previous);
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("a.ini")});

    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(g.gIniPath, previous + QStringLiteral("/USER_BMP.INI"));
}

TEST_F(FindTest, driveFailingForAnotherReason_showsTheSystemsTextWithoutIconAndGoesBack)
{
    const QString previous = root + QStringLiteral("/sub");
    const QString drive = root + QStringLiteral("/drive");
    auto f = openOnDrive(previous, {drive});
    FileFaults::failAt(1, QStringLiteral("Permission denied"));
    f->Drive1->setDrive(drive);

    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0], QStringLiteral("Permission denied"), MsgIcon::None, MsgButtons::OK);
    EXPECT_EQ(f->Drive1->Drive(), previous);
    EXPECT_EQ(QDir::currentPath(), previous);
    EXPECT_EQ(f->mBrowseFolder, previous);
}

TEST_F(FindTest, driveWhoseRootCannotBeListed_goesBackToThePreviousDrive)
{
    const QString previous = root + QStringLiteral("/sub");
    const QString drive = root + QStringLiteral("/drive");
    auto f = openOnDrive(previous, {drive});
    FileFaults::failAt(2, QStringLiteral("Input/output error")); // entering works, listing fails
    f->Drive1->setDrive(drive);

    ASSERT_EQ(prompts.messages.size(), 1);
    expectMessage(prompts.messages[0],
                  QStringLiteral("Cannot list the folder %1:\nInput/output error").arg(QDir::toNativeSeparators(drive)),
                  MsgIcon::None, MsgButtons::OK);
    EXPECT_EQ(f->Drive1->Drive(), previous);
    EXPECT_EQ(QDir::currentPath(), previous);
    EXPECT_EQ(f->dirSourceBMP->Path(), previous);
}

TEST_F(FindTest, previousDriveFailingToo_isReportedOnceAndTheReturnStops)
{
    const QString previous = root + QStringLiteral("/sub");
    const QString drive = root + QStringLiteral("/drive");
    auto f = openOnDrive(previous, {drive});
    // The new drive is entered but its root cannot be listed; from then on every drive fails.
    // Without a bound the two drives would hand the failure back and forth.
    FileFaults::failAt(2, QStringLiteral("First failure"));
    prompts.onMessage = [&](const ScriptedPrompts::Message &) {
        if (prompts.messages.size() < 10)
            FileFaults::failAt(1, QStringLiteral("Second failure"));
    };
    f->Drive1->setDrive(drive);
    prompts.onMessage = nullptr;
    FileFaults::reset();

    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[0].text.endsWith(QStringLiteral("First failure")));
    expectMessage(prompts.messages[1], QStringLiteral("Second failure"), MsgIcon::None, MsgButtons::OK);
    EXPECT_EQ(f->Drive1->Drive(), previous);

    // Still usable: the drive list works again.
    f->Drive1->setDrive(drive);
    EXPECT_EQ(QDir::currentPath(), drive);
    EXPECT_EQ(f->File1->items(), QStringList{QStringLiteral("a.ini")});
}

// The drive list box on its own.
TEST_F(FindTest, driveList_raisesChangeOnEveryChangeBySelectionButNotWhenOffered)
{
    platform::DriveListBox box(QStringLiteral("Drive1"), nullptr);
    box.setDrives({QStringLiteral("/"), QStringLiteral("/a"), QStringLiteral("/b")});
    QSignalSpy changes(&box, &platform::DriveListBox::Change);
    box.setDrive(QStringLiteral("/a"));
    box.setDrive(QStringLiteral("/a"));
    EXPECT_EQ(changes.count(), 1);
    box.setDrive(QStringLiteral("/new"));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(box.Drive(), QStringLiteral("/new"));
    box.setDrives({QStringLiteral("/"), QStringLiteral("/b")});
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(box.Drive(), QStringLiteral("/new"));

    platform::DriveListBox empty(QStringLiteral("Drive1"), nullptr);
    empty.setDrives({});
    QSignalSpy first(&empty, &platform::DriveListBox::Change);
    empty.setDrive(QStringLiteral("/"));
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(empty.Drive(), QStringLiteral("/"));
}
