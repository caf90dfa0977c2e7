#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <sys/types.h>

// Kept folder names: a case-blind look-up that misses costs one look at its folder, not a read of it.
namespace platform {

// A folder's identity and change times; while they stay the same, so do its names.
struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    qint64 modified = 0; // ns
    qint64 changed = 0;  // ns
    bool operator==(const FolderStamp &) const = default;
};

// Nothing when `folder` is no folder.
std::optional<FolderStamp> folderStamp(const QString &folder);

// The kept names that equal `name` without regard to case, when the folder is kept unchanged.
std::optional<QStringList> keptNamesAnyCase(const FolderStamp &stamp, const QString &name);

// Reads the folder's names, keeping them when the folder has settled; those equal to `name`
// without regard to case come back.
QStringList readNamesAnyCase(const QString &folder, const FolderStamp &stamp, const QString &name);

} // namespace platform
