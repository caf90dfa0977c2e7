#include "ini_locator/frmFind.h"
#include "ini_locator/LocatorRules.h"
#include "platform/Drives.h"
#include "platform/widgets/DirListBox.h"
#include "platform/widgets/DriveListBox.h"
#include "platform/widgets/FileListBox.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/WindowKeys.h"
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::Status;
using platform::ask;
using platform::tell;

frmFind::frmFind(mc_Brenvik &state, platform::Prompts &prompts, QString &iniFileName, QWidget *parent)
    : QDialog(parent), g(state), m_prompts(prompts), mIniFileName(iniFileName)
{
    buildControls();
    connectEvents();
    Form_Load();
}

void frmFind::buildControls()
{
    using platform::formstyle::px;
    using platform::formstyle::twips;

    platform::formstyle::setUpForm(*this, "frmFind", platform::kTitle);
    setFixedSize(px(5505), px(6090));
    platform::formstyle::paintWhiteOnGreen(*this);

    Label2 = new QLabel(QStringLiteral("Select DRIVE and FOLDER containing USER_BMP.INI"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twips(165, 180, 5160, 420));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    QFont labelFont = platform::formstyle::sansSerif(true);
    labelFont.setPointSizeF(9.75);
    Label2->setFont(labelFont);

    Drive1 = new platform::DriveListBox(QStringLiteral("Drive1"), this);
    Drive1->setGeometry(twips(165, 990, 5160, 315));
    dirSourceBMP = new platform::DirListBox(QStringLiteral("dirSourceBMP"), this);
    dirSourceBMP->setGeometry(twips(165, 1395, 5160, 1665));
    File1 = new platform::FileListBox(QStringLiteral("File1"), this);
    File1->setGeometry(twips(165, 3405, 5160, 1455));
    File1->setPattern(QStringLiteral("*.ini"));
    Drive1->setAccessibleDescription(tr("Drives"));
    dirSourceBMP->setAccessibleName(tr("Folders"));
    File1->setAccessibleName(tr("INI files"));

    auto button = [this](const char *name, const QString &caption, int left) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twips(left, 5355, 1720, 495));
        b->setAutoDefault(false); // the form has no default button: Enter opens folders
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Ok"), 165);
    cmdEdit = button("cmdEdit", QStringLiteral("Edit"), 1890);
    Command2 = button("Command2", QStringLiteral("Exit"), 3600);

    setTabOrder(Drive1, dirSourceBMP);
    setTabOrder(dirSourceBMP, Command2);
    setTabOrder(Command2, File1);
    setTabOrder(File1, Command1);
    setTabOrder(Command1, cmdEdit);

    platform::formstyle::centreOnScreen(*this);
}

void frmFind::connectEvents()
{
    connect(Drive1, &platform::DriveListBox::Change, this, &frmFind::Drive1_Change);
    connect(dirSourceBMP, &platform::DirListBox::Change, this, &frmFind::dirSourceBMP_Change);
    connect(dirSourceBMP, &platform::DirListBox::OpenFailed, this, &frmFind::reportListing);
    connect(File1, &platform::FileListBox::Click, this, &frmFind::File1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmFind::Command1_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmFind::cmdEdit_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFind::Command2_Click);
    platform::enterClicksFocusedButton(*this);
    platform::ignoreEscape(*this); // no cancel button: Exit or the close box leave
}

void frmFind::Form_Load()
{
    mBrowseFolder = platform::currentFolder();
    // The lists start where the process stands; showing it is no change of drive or folder.
    const QSignalBlocker quietDrive(Drive1);
    const QSignalBlocker quietFolder(dirSourceBMP);
    Drive1->setDrive(platform::driveOf(mBrowseFolder, Drive1->drives()));
    reportListing(dirSourceBMP->setPath(mBrowseFolder));
    reportListing(File1->setPath(mBrowseFolder));
}

void frmFind::Drive1_Change()
{
    const QString previous = platform::driveOf(platform::currentFolder(), Drive1->drives());
    const QString chosen = Drive1->Drive();
    platform::DriveStatus entered = platform::enterDrive(chosen);
    if (entered.ok) {
        // Runs dirSourceBMP_Change before it returns.
        if (const Status listed = dirSourceBMP->setPath(chosen); !listed)
            entered = {false, false, listed.message(QStringLiteral("list the folder"))};
    }
    if (entered.ok)
        return;

    if (entered.unavailable)
        tell(m_prompts, QStringLiteral("Device NOT available!"));
    else
        m_prompts.message(entered.description, QString(), MsgIcon::None, MsgButtons::OK);
    // Going back runs this handler again for the previous drive; when that fails too, stop.
    if (mReturningToPrevious)
        return;
    mReturningToPrevious = true;
    Drive1->setDrive(previous);
    mReturningToPrevious = false;
}

void frmFind::dirSourceBMP_Change()
{
    mBrowseFolder = dirSourceBMP->Path();
    reportListing(File1->setPath(mBrowseFolder));
}

void frmFind::File1_Click()
{
    const int selected = File1->ListIndex();
    if (selected < 0)
        return;
    mIniFileName = File1->List(selected);
    g.gIniPath = mIniFileName;
}

void frmFind::buildFullPath()
{
    mBrowseFolder = inilocator::withTrailingSep(mBrowseFolder);
    g.gIniPath = mBrowseFolder + mIniFileName;
}

void frmFind::Command1_Click()
{
    buildFullPath();
    if (ask(m_prompts, inilocator::okQuestion(g.gIniPath)))
        accept();
}

void frmFind::cmdEdit_Click()
{
    buildFullPath();
    if (!ask(m_prompts, inilocator::editQuestion(g.gIniPath)))
        return;
    if (const Status started = m_prompts.startProgram(inilocator::editorCommand(g.gIniPath)); !started)
        tell(m_prompts, Status::failure(g.gIniPath, started.reason()).message(QStringLiteral("edit")));
}

void frmFind::Command2_Click()
{
    reject();
}

void frmFind::reportListing(const Status &listed)
{
    if (!listed)
        tell(m_prompts, listed.message(QStringLiteral("list the folder")));
}
