#pragma once
#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The About window: the program's name, what it is for, our notice, and a long train that
// slides to and fro across the black band.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;
    Q_DISABLE_COPY_MOVE(frmAbout)

    void Form_Load();
    void Timer1_Timer();
    void cmdOK_Click();

    // The train's Left in the window's own horizontal units (one unit is 1.0649041 twips).
    double imaSettebelloLeft() const { return m_left; }

    // Controls, named as on the form; Line1 is a pair (index 0 white, index 1 grey).
    QTimer *Timer1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QFrame *Line4 = nullptr;
    QFrame *Line3 = nullptr;
    QFrame *Line2 = nullptr;
    QLabel *imaSettebello = nullptr;
    QLabel *Image1 = nullptr;
    std::array<QFrame *, 2> Line1{};
    QLabel *lblDescription = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QFrame *Shape1 = nullptr;

    int mDirection = -1;

private:
    void buildControls();
    void connectEvents();
    void setImaSettebelloLeft(double units);

    double m_left = 0;
};
