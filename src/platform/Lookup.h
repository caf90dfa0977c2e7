#pragma once
#include <QString>
#include <QStringList>

// Whether a file or folder is there, as named or, for libraries made on Windows, in any case.
namespace platform {

// An ordinary file (not a folder) exists at exactly this path. A failed look-up answers false.
bool fileExists(const QString &path);
bool folderExists(const QString &path);

// Libraries made on Windows name their files without regard to case: the path itself when an
// ordinary file exists there, else the existing file whose path differs from it only in case,
// else an empty string.
QString findFileAnyCase(const QString &path);
// findFileAnyCase for each path, in order; paths in the same folder share one look at it.
QStringList findFilesAnyCase(const QStringList &paths);
// The same for a folder.
QString findFolderAnyCase(const QString &path);
// The file as findFileAnyCase finds it, or the path as given when there is none, so that a
// failure to load it names the file as the library does.
QString asOnDisk(const QString &path);

} // namespace platform
