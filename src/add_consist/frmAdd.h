#pragma once
#include "platform/Prompts.h"
#include "shared/mc_Brenvik.h"
#include <QDialog>
#include <array>

class TrainHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The add-consist window: the composed train's attributes, preset from the inherited vehicle.
class frmAdd : public QDialog {
    Q_OBJECT
public:
    frmAdd(mc_Brenvik &state, platform::Prompts &prompts, TrainHost &main, QWidget *parent = nullptr);
    ~frmAdd() override;
    Q_DISABLE_COPY_MOVE(frmAdd)

    void Form_Load();
    void cmdAdd_Click();
    void Command1_Click();

    // Check-box groups: yes/no pairs keep one box ticked once touched; triples keep at most one.
    void chkSAR_Click(int Index);
    void chkSW_Click(int Index);
    void chkPP_Click(int Index);
    void chkDT_Click(int Index);
    void chkVR_Click(int Index);
    void chkOL_Click(int Index);
    void chkLR_Click(int Index);

    // Number boxes: digits and Backspace only; KeyAscii set to 0 drops the character.
    void txtPixels_KeyPress(int &KeyAscii);
    void txtCycle_KeyPress(int &KeyAscii);

    // Controls, named as on the form; chkEPO has no element 0.
    QLabel *Label24 = nullptr;
    QLineEdit *txtLabel = nullptr;
    QLabel *Label7 = nullptr;
    std::array<QCheckBox *, 7> chkEPO{};
    QLabel *Label4 = nullptr;
    QComboBox *cboUland = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cboGT = nullptr;
    QLabel *Label8 = nullptr;
    std::array<QCheckBox *, 3> chkOL{};
    QLabel *Label9 = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *txtPixels = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    std::array<QCheckBox *, 2> chkSAR{};
    QLabel *Label10 = nullptr;
    QLabel *Label14 = nullptr;
    std::array<QCheckBox *, 3> chkLR{};
    QLabel *Label2 = nullptr;
    QLabel *Label15 = nullptr;
    std::array<QCheckBox *, 2> chkSW{};
    QLabel *Label19 = nullptr;
    QLabel *Label16 = nullptr;
    std::array<QCheckBox *, 2> chkPP{};
    QLabel *Label20 = nullptr;
    QLabel *Label17 = nullptr;
    std::array<QCheckBox *, 2> chkDT{};
    QLabel *Label21 = nullptr;
    QLabel *Label18 = nullptr;
    QLineEdit *txtCycle = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label6 = nullptr;
    std::array<QCheckBox *, 2> chkVR{};
    QPushButton *cmdAdd = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Shape1 = nullptr;
    QFrame *Shape2 = nullptr;
    QFrame *Shape3 = nullptr;
    QFrame *Shape4 = nullptr;
    QFrame *Shape5 = nullptr;
    QFrame *Shape6 = nullptr;
    QFrame *Shape7 = nullptr;
    QFrame *Shape8 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectEvents();
    void pairRule(const std::array<QCheckBox *, 2> &group, int Index);
    void threeWayRule(const std::array<QCheckBox *, 3> &group, int Index);
    void numbersOnly(int &KeyAscii);

    mc_Brenvik &g;
    platform::Prompts &m_prompts;
    TrainHost &m_main;
};
