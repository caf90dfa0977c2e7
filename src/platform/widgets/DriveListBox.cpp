#include "platform/widgets/DriveListBox.h"
#include "platform/Drives.h"
#include <QSignalBlocker>

namespace platform {

DriveListBox::DriveListBox(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
    setDrives(platform::drives());
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::Change);
}

QString DriveListBox::Drive() const
{
    return currentText();
}

void DriveListBox::setDrive(const QString &drive)
{
    if (drive.isEmpty())
        return;
    int index = findText(drive, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        const QSignalBlocker quiet(this);
        const int before = currentIndex();
        addItem(drive);
        setCurrentIndex(before); // adding to an empty list selects by itself
        index = count() - 1;
    }
    setCurrentIndex(index);
}

QStringList DriveListBox::drives() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots.append(itemText(i));
    return roots;
}

void DriveListBox::setDrives(const QStringList &drives)
{
    const QSignalBlocker quiet(this);
    const QString selected = Drive();
    clear();
    addItems(drives);
    if (selected.isEmpty())
        setCurrentIndex(-1);
    else
        setDrive(selected);
}

void DriveListBox::showPopup()
{
    setDrives(platform::drives());
    QComboBox::showPopup();
}

} // namespace platform
