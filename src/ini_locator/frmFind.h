#pragma once
#include "platform/Prompts.h"
#include "shared/mc_Brenvik.h"
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
namespace platform {
class DriveListBox;
class DirListBox;
class FileListBox;
}

// The INI locator: the user picks USER_BMP.INI by drive, folder and file; the chosen path goes
// back in gIniPath, and the file can be opened in the text editor.
class frmFind : public QDialog {
    Q_OBJECT
public:
    // `iniFileName` is the main window's memory of the file clicked last; it outlives this window.
    frmFind(mc_Brenvik &state, platform::Prompts &prompts, QString &iniFileName, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmFind)

    void Form_Load();
    void Drive1_Change();
    void dirSourceBMP_Change();
    void File1_Click();
    void Command1_Click();
    void cmdEdit_Click();
    void Command2_Click();

    // Controls, named as on the form.
    QLabel *Label2 = nullptr;
    platform::DriveListBox *Drive1 = nullptr;
    platform::DirListBox *dirSourceBMP = nullptr;
    platform::FileListBox *File1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *Command2 = nullptr;

    // The folder whose files File1 shows.
    QString mBrowseFolder;

private:
    void buildControls();
    void connectEvents();
    void buildFullPath();
    void reportListing(const platform::Status &listed);

    mc_Brenvik &g;
    platform::Prompts &m_prompts;
    QString &mIniFileName;
    // Set while the drive list goes back to the previous drive, so a second failure ends there.
    bool mReturningToPrevious = false;
};
