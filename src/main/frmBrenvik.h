#pragma once
#include "add_consist/TrainHost.h"
#include "main/QueueFiles.h"
#include "platform/Prompts.h"
#include "shared/mc_Brenvik.h"
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

namespace platform {
class PictureBox;
class ListBox;
}
class QPushButton;
class QCheckBox;
class QLabel;
class QAction;
class QMenu;
class QDialog;

// The main window: opens a library, previews vehicles, composes the consist, keeps the queue of
// USER_BMP.INI entries and writes them.
class frmBrenvik : public QMainWindow, public TrainHost {
    Q_OBJECT
public:
    frmBrenvik(mc_Brenvik &state, platform::Prompts &prompts, QWidget *parent = nullptr);
    ~frmBrenvik() override;
    Q_DISABLE_COPY_MOVE(frmBrenvik)

    // frmBrenvik.cpp: start-up and the library.
    void Form_Load();
    void menuOpen_Click();
    void LoadList() override;

    // frmBrenvik_preview.cpp: preview and variations.
    void lstSource_Click();
    void cmdVarSu_Click();
    void cmdVarGiu_Click();

    // frmBrenvik_consist.cpp: the consist area.
    void cmdAdd_Click();
    void cmdUndo_Click();
    void cmdReset_Click();
    void cmdLBegin_Click();
    void cmdLeft_Click();
    void cmdRight_Click();
    void cmdRBegin_Click();
    void emptyConsistArea() override;

    // frmBrenvik_queue.cpp: entries, the queue and USER_BMP.INI.
    void cmdUpd_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void menuExit_Click();
    // Adds an entry as the last item of the queue and selects it.
    void addEntry(const QString &entry, const QueueTag &tag = {}) override;

    // frmBrenvik_windows.cpp: the doors to the secondary windows.
    void cmdX_Click();
    void menuFind_Click();
    void menuAbout_Click();
    void menuHelp_Click();

    // How a secondary window is shown modally; tests replace it to drive the window.
    std::function<void(QDialog &)> showModal;

    mc_Brenvik &state() { return g; }

    // Controls, named as on the form.
    platform::PictureBox *picConsist = nullptr;
    platform::PictureBox *picPreview = nullptr;
    platform::PictureBox *picVAR = nullptr;
    platform::PictureBox *picAppo = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *cmdLBegin = nullptr;
    QPushButton *cmdLeft = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdUndo = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdX = nullptr;
    QCheckBox *chkInherit = nullptr;
    QPushButton *cmdRight = nullptr;
    QPushButton *cmdRBegin = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdUpd = nullptr;
    platform::ListBox *lstSource = nullptr;
    QPushButton *cmdVarSu = nullptr;
    QPushButton *cmdVarGiu = nullptr;
    QLabel *lblVAR = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command3 = nullptr;
    platform::ListBox *lstOriginalFile = nullptr;
    QMenu *menuFile = nullptr;
    QAction *menuOpen = nullptr;
    QAction *menuFind = nullptr;
    QAction *menuExit = nullptr;
    QMenu *menux = nullptr;
    QAction *menuHelp = nullptr;
    QAction *menuAbout = nullptr;

    // The window's own state, read-only for tests.
    const std::array<QString, 41> &varName() const { return mVarName; }
    const std::array<QString, 41> &varExists() const { return mVarExists; }
    int16_t lastWidth() const { return mLastWidth; }
    const QString &curPath() const { return mCurPath; }
    int16_t curVar() const { return mCurVar; }
    const QList<QueueTag> &queueTags() const { return mQueueTags; }

private:
    platform::PictureBox &consistPicture() override { return *picConsist; }
    platform::PictureBox &scratchPicture() override { return *picAppo; }

    void buildControls();
    void connectEvents();
    void ShowPreview(const QString &path);
    void stepVariation(int step);
    void writeIni(bool append);

    std::array<QString, 41> mVarName;
    std::array<QString, 41> mVarExists;
    int16_t mLastWidth = 0;
    QString mCurPath;
    int16_t mCurVar = 0;
    QList<QueueTag> mQueueTags; // one per item of lstOriginalFile
    QByteArray mIniText;        // the queued entries' lines as USER_BMP.INI gets them
    QString mIniFileName;       // the locator's file clicked last, kept for the whole run

    mc_Brenvik &g;
    platform::Prompts &m_prompts;
};
