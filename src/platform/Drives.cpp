#include "platform/Drives.h"
#include "platform/FileFaults.h"
#include "platform/Paths.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace platform {

namespace {
// Errors that mean the drive itself is not there: its mount point gone or replaced, no medium,
// a device that does not answer.
bool meansUnavailable(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EIO:
    case ENODEV:
    case ENXIO:
    case ESTALE:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return true;
    default:
        return false;
    }
}
} // namespace

QStringList drives()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Files bind-mounted over files (containers do it) are no drives.
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir() && !roots.contains(root))
            roots.append(root);
    }
    if (!roots.contains(QDir::rootPath()))
        roots.append(QDir::rootPath());
    std::sort(roots.begin(), roots.end());
    return roots;
}

QString driveOf(const QString &path, const QStringList &drives)
{
    QString best;
    for (const QString &drive : drives) {
        const QString prefix = joinPath(drive, QString());
        const bool inside = path == drive || path.startsWith(prefix);
        if (inside && drive.size() > best.size())
            best = drive;
    }
    return best;
}

QString currentFolder()
{
    return QDir::currentPath();
}

DriveStatus enterDrive(const QString &root)
{
    if (const auto reason = FileFaults::check(FileOp::Open, root))
        return {false, false, *reason};
    if (::chdir(QFile::encodeName(root).constData()) == 0)
        return {};
    const int error = errno;
    return {false, meansUnavailable(error), qt_error_string(error)};
}

} // namespace platform
