#include "platform/FolderNames.h"
#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace platform {

namespace {

// Looking a name up without regard to case means reading its folder. A vehicle's 40 overlay
// names are looked up at every click, mostly in vain, so a folder's names are kept, keyed by
// the folder's identity (device, inode), for as long as its change times stay the same; while
// they do, the kept names also answer that a name is missing. A folder changed less than
// kSettledNs ago is read afresh every time: a change within the same tick of the file system's
// clock (2 s on FAT) would not show in its times.
constexpr qint64 kSettledNs = 3'000'000'000;
constexpr qsizetype kMostFolders = 256;

using NamesByFoldedName = QHash<QString, QStringList>; // case-folded name -> the names, in name order

struct KeptFolder {
    FolderStamp stamp;
    NamesByFoldedName names;
};

// Only the user-interface thread looks names up, so the kept folders need no lock.
QHash<QPair<dev_t, ino_t>, KeptFolder> keptFolders;

qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

std::optional<FolderStamp> folderStamp(const QString &folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return FolderStamp{st.st_dev, st.st_ino, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

std::optional<QStringList> keptNamesAnyCase(const FolderStamp &stamp, const QString &name)
{
    const auto kept = keptFolders.constFind(qMakePair(stamp.device, stamp.inode));
    if (kept == keptFolders.constEnd() || kept->stamp != stamp)
        return std::nullopt;
    return kept->names.value(name.toCaseFolded());
}

QStringList readNamesAnyCase(const QString &folder, const FolderStamp &stamp, const QString &name)
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    QDir dir(folder);
    dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name);
    NamesByFoldedName names;
    const QStringList entries = dir.entryList();
    for (const QString &entry : entries)
        names[entry.toCaseFolded()].append(entry);
    QStringList found = names.value(name.toCaseFolded());

    const bool settled = nanoseconds(now) - std::max(stamp.modified, stamp.changed) >= kSettledNs;
    // Not kept if the folder changed while it was read.
    if (settled && folderStamp(folder) == stamp) {
        if (keptFolders.size() >= kMostFolders)
            keptFolders.clear();
        keptFolders.insert(qMakePair(stamp.device, stamp.inode), KeptFolder{stamp, std::move(names)});
    }
    return found;
}

} // namespace platform
