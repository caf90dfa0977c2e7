#pragma once
#include "platform/Prompts.h"
#include "shared/mc_Brenvik.h"
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

class PictureBox;
class ListBox;
class QPushButton;
class QCheckBox;
class QLabel;
class QAction;
class QMenu;
class QDialog;

// What the queue remembers of each entry, out of sight: whether the add-consist window made
// it, and for which library file and which appended line, so Erase Last undoes only that train.
struct QueueTag {
    QueueTag() = default;
    QueueTag(bool madeByAddConsist, const QString &library, const QByteArray &line)
        : fromAddConsist(madeByAddConsist), libraryFile(library), libraryLine(line)
    {
    }

    bool fromAddConsist = false;
    QString libraryFile;
    QByteArray libraryLine;
    QByteArray iniLine; // the entry as USER_BMP.INI gets it, encoded once when it is queued
};

// The main window: opens a library, previews vehicles, composes the consist, keeps the queue of
// USER_BMP.INI entries and writes them.
class frmBrenvik : public QMainWindow {
    Q_OBJECT
public:
    frmBrenvik(mc_Brenvik &state, platform::Prompts &prompts, QWidget *parent = nullptr);
    ~frmBrenvik() override;
    Q_DISABLE_COPY_MOVE(frmBrenvik)

    // Start-up and library.
    void Form_Load();
    void menuOpen_Click();
    void LoadList();

    // Preview and variations.
    void lstSource_Click();
    void cmdVarSu_Click();
    void cmdVarGiu_Click();

    // Consist area.
    void cmdAdd_Click();
    void cmdUndo_Click();
    void cmdReset_Click();
    void cmdLBegin_Click();
    void cmdLeft_Click();
    void cmdRight_Click();
    void cmdRBegin_Click();
    void cmdX_Click();

    // Entries, queue and USER_BMP.INI.
    void cmdUpd_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void menuExit_Click();
    void menuFind_Click();
    void menuAbout_Click();
    void menuHelp_Click();

    // Adds an entry as the last item of the queue and selects it.
    void addEntry(const QString &entry, const QueueTag &tag = {});

    // How a secondary window is shown modally; tests replace it to drive the window.
    std::function<void(QDialog &)> showModal;

    mc_Brenvik &state() { return g; }
    platform::Prompts &prompts() { return m_prompts; }

    // Controls, named as on the form.
    PictureBox *picConsist = nullptr;
    PictureBox *picPreview = nullptr;
    PictureBox *picVAR = nullptr;
    PictureBox *picAppo = nullptr;
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
    ListBox *lstSource = nullptr;
    QPushButton *cmdVarSu = nullptr;
    QPushButton *cmdVarGiu = nullptr;
    QLabel *lblVAR = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command3 = nullptr;
    ListBox *lstOriginalFile = nullptr;
    QMenu *menuFile = nullptr;
    QAction *menuOpen = nullptr;
    QAction *menuFind = nullptr;
    QAction *menuExit = nullptr;
    QMenu *menux = nullptr;
    QAction *menuHelp = nullptr;
    QAction *menuAbout = nullptr;

    // Window-level state.
    std::array<QString, 41> mVarName;
    std::array<QString, 41> mVarExists;
    int16_t mLastWidth = 0;
    QString mCurPath;
    int16_t mCurVar = 0;
    QList<QueueTag> mQueueTags; // one per item of lstOriginalFile
    QString mIniFileName;       // the locator's file clicked last, kept for the whole run

private:
    void buildControls();
    void connectEvents();
    void ShowPreview(const QString &path);
    void stepVariation(int step);
    void writeIni(bool append);

    mc_Brenvik &g;
    platform::Prompts &m_prompts;
};
