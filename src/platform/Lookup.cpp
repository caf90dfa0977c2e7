// Whether a file or folder is there, as named or, for libraries made on Windows, in any case.
#include "platform/Lookup.h"
#include "platform/FileFaults.h"
#include "platform/FolderNames.h"
#include "platform/Paths.h"
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// The seam may refuse a look-up; it then finds nothing.
bool refused(const QString &path)
{
    return FileFaults::check(FileOp::Exists, path).has_value();
}

// Names starting with "." are hidden, and hidden files are not seen by the program.
bool isHiddenName(const QString &name)
{
    return name.startsWith(QLatin1Char('.'));
}

bool isOrdinaryFile(const QFileInfo &info)
{
    return info.isFile() && !isHiddenName(info.fileName());
}

} // namespace

bool fileExists(const QString &path)
{
    if (refused(path))
        return false;
    return isOrdinaryFile(QFileInfo(path));
}

bool folderExists(const QString &path)
{
    if (refused(path))
        return false;
    return QFileInfo(path).isDir();
}

namespace {

// What the path's last part must be: an ordinary file, or a folder.
enum class Wanted { File, Folder };

bool fits(const QFileInfo &info, Wanted wanted)
{
    return wanted == Wanted::File ? isOrdinaryFile(info) : info.isDir();
}

bool fitsPart(const QString &path, bool last, Wanted wanted)
{
    return fits(QFileInfo(path), last ? wanted : Wanted::Folder);
}

// The first of `candidates` that is a folder (or, for the last part of a path, what is
// wanted) in `folder`; empty when none is.
QString firstFitting(const QString &folder, const QStringList &candidates, bool last, Wanted wanted)
{
    for (const QString &candidate : candidates) {
        if (fitsPart(joinPath(folder, candidate), last, wanted))
            return candidate;
    }
    return QString();
}

// The name in `folder` equal to `name` without regard to case that is a folder (or, for the
// last part of a path, what is wanted); empty when there is none.
QString partAnyCase(const QString &folder, const QString &name, bool last, Wanted wanted)
{
    const QString here = folder.isEmpty() ? QStringLiteral(".") : folder;
    const std::optional<FolderStamp> stamp = folderStamp(here);
    if (!stamp)
        return QString();
    const std::optional<QStringList> kept = keptNamesAnyCase(*stamp, name);
    return firstFitting(folder, kept ? *kept : readNamesAnyCase(here, *stamp, name), last, wanted);
}

// The last folder looked at in a batch of look-ups, and what that look found.
struct FolderGlance {
    QString folder;
    std::optional<FolderStamp> stamp;
};

std::optional<FolderStamp> stampOf(const QString &folder, FolderGlance *glance)
{
    if (!glance)
        return folderStamp(folder);
    if (glance->folder != folder) {
        glance->folder = folder;
        glance->stamp = folderStamp(folder);
    }
    return glance->stamp;
}

QString findAnyCase(const QString &path, Wanted wanted, FolderGlance *glance = nullptr)
{
    if (path.isEmpty() || refused(path))
        return QString();

    // Usually the file's folder is there as named: only the file's own name is looked for.
    const QString clean = QDir::cleanPath(path);
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    const QString parent = slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : clean.left(slash));
    const QString leaf = clean.mid(slash + 1);
    const bool plain = clean == path && !leaf.isEmpty() && leaf != QLatin1String(".") && leaf != QLatin1String("..");
    const QString here = parent.isEmpty() ? QStringLiteral(".") : parent;
    if (const std::optional<FolderStamp> folder = plain ? stampOf(here, glance) : std::nullopt) {
        // With the folder's names kept, that one look at the folder answers a missing name.
        std::optional<QStringList> candidates = keptNamesAnyCase(*folder, leaf);
        // The exact name first, then the first name of another case.
        if ((!candidates || candidates->contains(leaf)) && fits(QFileInfo(path), wanted))
            return path;
        if (!candidates)
            candidates = readNamesAnyCase(here, *folder, leaf);
        const QString match = firstFitting(parent, *candidates, true, wanted);
        return match.isEmpty() ? QString() : joinPath(parent, match);
    }
    if (fits(QFileInfo(path), wanted))
        return path;

    // Walk from the root, taking at each level the exact name, else the first name that
    // differs from it only in case.
    const QStringList parts = clean.split(QLatin1Char('/'));
    QString current;
    qsizetype i = 0;
    if (clean.startsWith(QLatin1Char('/'))) {
        current = QStringLiteral("/");
        i = 1;
    }
    for (; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const bool last = i == parts.size() - 1;
        if (part.isEmpty())
            continue;
        const QString exact = joinPath(current, part);
        if (part == QLatin1String(".") || part == QLatin1String("..") || fitsPart(exact, last, wanted)) {
            current = exact;
            continue;
        }
        const QString match = partAnyCase(current, part, last, wanted);
        if (match.isEmpty())
            return QString();
        current = joinPath(current, match);
    }
    return current;
}

} // namespace

QString findFileAnyCase(const QString &path)
{
    return findAnyCase(path, Wanted::File);
}

QStringList findFilesAnyCase(const QStringList &paths)
{
    FolderGlance glance;
    QStringList found;
    found.reserve(paths.size());
    for (const QString &path : paths)
        found.append(findAnyCase(path, Wanted::File, &glance));
    return found;
}

QString findFolderAnyCase(const QString &path)
{
    return findAnyCase(path, Wanted::Folder);
}

QString asOnDisk(const QString &path)
{
    const QString found = findFileAnyCase(path);
    return found.isEmpty() ? path : found;
}

} // namespace platform
