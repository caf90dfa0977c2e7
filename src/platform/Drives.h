#pragma once
#include <QString>
#include <QStringList>

// Drives of this platform. Without drive letters a drive is a mounted file system and its root
// is the mount point; on Windows it would be a drive's root ("C:/").
namespace platform {

// Outcome of making a drive current. An unavailable drive (its mount point gone, no medium, a
// device error) is told apart from other failures, which carry the system's description.
struct DriveStatus {
    bool ok = true;
    bool unavailable = false;
    QString description;
};

// The mount points of real file systems, sorted, "/" first.
QStringList drives();

// The drive holding `path`: the longest of `drives` that contains it ("/" holds every absolute
// path); empty when none does.
QString driveOf(const QString &path, const QStringList &drives);

// The process's current folder, a full path without a trailing separator (except at "/").
QString currentFolder();

// Makes the drive's root the process's current folder.
DriveStatus enterDrive(const QString &root);

} // namespace platform
