#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The Help window: one picture of the main window with every control labelled, and "Ok".
class frmAiuto : public QDialog {
    Q_OBJECT
public:
    explicit frmAiuto(QWidget *parent = nullptr);
    ~frmAiuto() override;
    Q_DISABLE_COPY_MOVE(frmAiuto)

    void Command1_Click();

    // Controls, named as on the form.
    QLabel *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void buildControls();
    void connectEvents();
};
