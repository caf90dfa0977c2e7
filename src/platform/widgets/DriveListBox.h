#pragma once
#include <QComboBox>
#include <QStringList>

namespace platform {

// A drive list box: the drives by their roots, one selected. Change follows every change of the
// selection, whether the user picked a drive or the program set one.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    DriveListBox(const QString &name, QWidget *parent);
    Q_DISABLE_COPY_MOVE(DriveListBox)

    // The selected drive's root.
    QString Drive() const;
    // Selects the drive, offering it first when the list lacks it; an empty text selects nothing.
    void setDrive(const QString &drive);

    QStringList drives() const;
    // Offers these drives instead, keeping the selected one; raises no Change.
    void setDrives(const QStringList &drives);

signals:
    void Change();

protected:
    // Drives come and go; the list is read afresh each time it opens.
    void showPopup() override;
};

} // namespace platform
