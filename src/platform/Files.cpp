#include "platform/Files.h"
#include "platform/FileFaults.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <sys/stat.h>

namespace platform {

namespace {

// The seam's answer as a failure, or nothing when the operation may go ahead.
std::optional<Status> injected(FileOp op, const QString &path)
{
    if (const auto reason = FileFaults::check(op, path))
        return Status::failure(path, *reason);
    return std::nullopt;
}

QString systemReason(int error)
{
    return qt_error_string(error);
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

// Writes all of `data`; a short write is retried so the system names what stopped it.
std::optional<QString> writeFully(QFileDevice &file, QByteArrayView data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return file.errorString();
        done += n;
    }
    return std::nullopt;
}

bool lessNoCase(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// Why a folder cannot be listed, or nothing when it can.
std::optional<QString> folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return systemReason(ENOENT);
    if (!info.isDir())
        return systemReason(ENOTDIR);
    if (!info.isReadable() || !info.isExecutable())
        return systemReason(EACCES);
    return std::nullopt;
}

Status listEntries(const QString &folder, QDir::Filters filters, const QStringList &patterns, QStringList &names)
{
    if (auto fault = injected(FileOp::List, folder))
        return *fault;
    if (const auto problem = folderProblem(folder))
        return Status::failure(folder, *problem);
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(filters | QDir::NoDotAndDotDot);
    QStringList found = dir.entryList();
    std::sort(found.begin(), found.end(), lessNoCase);
    names = found;
    return Status::success();
}

} // namespace

Status readAll(const QString &path, QByteArray &out)
{
    if (auto fault = injected(FileOp::Read, path))
        return *fault;
    if (QFileInfo(path).isDir())
        return Status::failure(path, systemReason(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(path, file.errorString());
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::failure(path, file.errorString());
    out = data;
    return Status::success();
}

Status readLines(const QString &path, QList<QByteArray> &lines)
{
    QByteArray data;
    const Status status = readAll(path, data);
    if (status)
        lines = splitLines(data);
    return status;
}

QList<QByteArrayView> lineViews(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0)
            end = data.size();
        qsizetype lineEnd = end;
        if (end < data.size() && lineEnd > start && data.at(lineEnd - 1) == '\r')
            --lineEnd;
        lines.append(data.sliced(start, lineEnd - start));
        start = next;
    }
    return lines;
}

QList<QByteArray> splitLines(const QByteArray &data)
{
    const QList<QByteArrayView> views = lineViews(data);
    QList<QByteArray> lines;
    lines.reserve(views.size());
    for (QByteArrayView line : views)
        lines.append(line.toByteArray());
    return lines;
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    // Sized once: grown line by line, 10,000 queued entries would be moved into fresh memory
    // again and again, and touching fresh pages is slow on some machines.
    qsizetype total = 0;
    for (const QByteArray &line : lines)
        total += line.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const QByteArray &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

namespace {

Status saveFile(const QString &path, const QByteArray &data, bool inPlace)
{
    if (auto fault = injected(FileOp::Open, path))
        return *fault;
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlace);
    // Unbuffered, so a failing write is seen here: written in place, commit() would not tell.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Status::failure(path, file.errorString());
    if (auto fault = injected(FileOp::Write, path)) {
        file.cancelWriting();
        return *fault;
    }
    if (const auto reason = writeFully(file, data)) {
        file.cancelWriting();
        return Status::failure(path, *reason);
    }
    if (auto fault = injected(FileOp::Rename, path)) {
        file.cancelWriting();
        return *fault;
    }
    if (!file.commit())
        return Status::failure(path, file.errorString());
    return Status::success();
}

} // namespace

Status writeAtomic(const QString &path, const QByteArray &data)
{
    return saveFile(path, data, false);
}

namespace {

// The permissions a file made by this program gets: everything the umask leaves of rw-rw-rw-.
QFileDevice::Permissions newFilePermissions()
{
    static const QFileDevice::Permissions permissions = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const mode_t mode = 0666 & ~mask;
        QFileDevice::Permissions p;
        const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
            {S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser},
            {S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser},
            {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
            {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther}};
        for (const auto &[bit, permission] : bits)
            if (mode & bit)
                p |= permission;
        return p;
    }();
    return permissions;
}

// A file under a name not yet taken (every train bitmap): written to a temporary file in the
// same folder and renamed to its name once complete, so no half-written file is ever seen
// there. With no older file to protect, it is not forced to disk as QSaveFile would do for
// each file; a long train's Add writes five of them. The rename refuses to replace a file
// that appeared meanwhile.
Status writeNew(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return Status::failure(path, file.errorString());
    if (!write(file) || !file.flush())
        return Status::failure(path, file.errorString());
    if (auto fault = injected(FileOp::Rename, path))
        return *fault;
    file.setPermissions(newFilePermissions());
    if (!file.rename(path))
        return Status::failure(path, file.errorString());
    file.setAutoRemove(false);
    return Status::success();
}

} // namespace

Status writeStreamed(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    if (!QFileInfo::exists(path))
        return writeNew(path, write);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(path, file.errorString());
    if (!write(file)) {
        file.cancelWriting();
        return Status::failure(path, file.errorString());
    }
    if (auto fault = injected(FileOp::Rename, path)) {
        file.cancelWriting();
        return *fault;
    }
    if (!file.commit())
        return Status::failure(path, file.errorString());
    return Status::success();
}

Status writeAtomicOrInPlace(const QString &path, const QByteArray &data)
{
    const QFileInfo info(path);
    if (!info.isFile() || QFileInfo(info.absolutePath()).isWritable())
        return writeAtomic(path, data);
    // Written in place, a failure part-way would leave the file cut short: keep what was there.
    QByteArray old;
    if (const Status read = readAll(path, old); !read)
        return read;
    const Status written = saveFile(path, data, true);
    if (!written) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            writeFully(file, old);
    }
    return written;
}

namespace {

// Appends text that is already whole lines, each ended by CR LF.
Status appendText(const QString &path, const QByteArray &text)
{
    bool given = false;
    return appendPieces(path, [&]() -> QByteArrayView {
        if (given)
            return {};
        given = true;
        return text;
    });
}

} // namespace

Status appendLines(const QString &path, const QList<QByteArray> &lines)
{
    return appendText(path, joinLines(lines));
}

Status appendPieces(const QString &path, const std::function<QByteArrayView()> &next)
{
    if (auto fault = injected(FileOp::Open, path))
        return *fault;
    const QFileInfo info(path);
    const bool existed = info.exists();
    if (info.isDir())
        return Status::failure(path, systemReason(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Status::failure(path, file.errorString());
    const qint64 oldSize = file.size();

    // A device (a pipe, /dev/full) has no end to look at or to go back to.
    const bool seekable = !file.isSequential();
    // What completes the file's last line, if it is left open: a lone CR lacks only its LF.
    QByteArrayView lineEnd;
    if (seekable && oldSize > 0 && file.seek(oldSize - 1)) {
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n')
            lineEnd = last == '\r' ? QByteArrayView("\n") : QByteArrayView("\r\n");
    }

    std::optional<Status> failed = injected(FileOp::Write, path);
    if (!failed) {
        std::optional<QString> reason;
        if (seekable && !file.seek(oldSize))
            reason = file.errorString();
        if (!reason && !lineEnd.isEmpty())
            reason = writeFully(file, lineEnd);
        for (QByteArrayView piece = reason ? QByteArrayView() : next(); !piece.isEmpty(); piece = next()) {
            if ((reason = writeFully(file, piece)))
                break;
        }
        if (!reason && !file.flush())
            reason = file.errorString();
        if (reason)
            failed = Status::failure(path, *reason);
    }
    if (!failed)
        return Status::success();

    // Cut back what was written, so the file is as it was before.
    if (!injected(FileOp::Truncate, path)) {
        if (existed) {
            if (seekable)
                file.resize(oldSize);
            file.close();
        } else {
            file.close();
            QFile::remove(path);
        }
    }
    return *failed;
}

Status removeFile(const QString &path)
{
    if (auto fault = injected(FileOp::Remove, path))
        return *fault;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Status::success();
    if (info.isDir())
        return Status::failure(path, systemReason(EISDIR));
    QFile file(path);
    if (!file.remove())
        return Status::failure(path, file.errorString());
    return Status::success();
}

bool fileExists(const QString &path)
{
    if (injected(FileOp::Exists, path))
        return false;
    return isOrdinaryFile(QFileInfo(path));
}

bool folderExists(const QString &path)
{
    if (injected(FileOp::Exists, path))
        return false;
    return QFileInfo(path).isDir();
}

Status listFiles(const QString &folder, const QString &pattern, QStringList &names)
{
    // As on Windows, "*.*" takes names without a dot too, and ";" separates patterns.
    QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &p : patterns) {
        p = p.trimmed();
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    return listEntries(folder, QDir::Files, patterns, names);
}

Status listFolders(const QString &folder, QStringList &names)
{
    return listEntries(folder, QDir::Dirs, QStringList{}, names);
}

namespace {

// Looking a name up without regard to case means reading its folder. A vehicle's 40 overlay
// names are looked up at every click, mostly in vain, so a folder's names are kept, keyed by
// the folder's identity (device, inode), for as long as its change times stay the same; while
// they do, the kept names also answer that a name is missing. A folder changed less than
// kSettledNs ago is read afresh every time: a change within the same tick of the file system's
// clock (2 s on FAT) would not show in its times.
constexpr qint64 kSettledNs = 3'000'000'000;
constexpr qsizetype kMostFolders = 256;

struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    qint64 modified = 0; // ns
    qint64 changed = 0;  // ns
    bool operator==(const FolderStamp &) const = default;
};

using NamesByFoldedName = QHash<QString, QStringList>; // case-folded name -> the names, in name order

struct KeptFolder {
    FolderStamp stamp;
    NamesByFoldedName names;
};

QMutex keptFoldersLock;
QHash<QPair<dev_t, ino_t>, KeptFolder> keptFolders;

qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::optional<FolderStamp> folderStamp(const QString &folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return FolderStamp{st.st_dev, st.st_ino, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

// The kept names that equal `name` without regard to case, when the folder is kept unchanged.
std::optional<QStringList> keptNamesAnyCase(const FolderStamp &stamp, const QString &name)
{
    const QMutexLocker lock(&keptFoldersLock);
    const auto kept = keptFolders.constFind(qMakePair(stamp.device, stamp.inode));
    if (kept == keptFolders.constEnd() || kept->stamp != stamp)
        return std::nullopt;
    return kept->names.value(name.toCaseFolded());
}

// Reads the folder's names, keeping them when the folder has settled; those equal to `name`
// without regard to case come back.
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
        const QMutexLocker lock(&keptFoldersLock);
        if (keptFolders.size() >= kMostFolders)
            keptFolders.clear();
        keptFolders.insert(qMakePair(stamp.device, stamp.inode), KeptFolder{stamp, std::move(names)});
    }
    return found;
}

QString joinName(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

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
        if (fitsPart(joinName(folder, candidate), last, wanted))
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

QString findAnyCase(const QString &path, Wanted wanted)
{
    if (path.isEmpty() || injected(FileOp::Exists, path))
        return QString();

    // Usually the file's folder is there as named: only the file's own name is looked for.
    const QString clean = QDir::cleanPath(path);
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    const QString parent = slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : clean.left(slash));
    const QString leaf = clean.mid(slash + 1);
    const bool plain = clean == path && !leaf.isEmpty() && leaf != QLatin1String(".") && leaf != QLatin1String("..");
    const QString here = parent.isEmpty() ? QStringLiteral(".") : parent;
    if (const std::optional<FolderStamp> folder = plain ? folderStamp(here) : std::nullopt) {
        // With the folder's names kept, that one look at the folder answers a missing name.
        std::optional<QStringList> candidates = keptNamesAnyCase(*folder, leaf);
        // The exact name first, then the first name of another case.
        if ((!candidates || candidates->contains(leaf)) && fits(QFileInfo(path), wanted))
            return path;
        if (!candidates)
            candidates = readNamesAnyCase(here, *folder, leaf);
        const QString match = firstFitting(parent, *candidates, true, wanted);
        return match.isEmpty() ? QString() : joinName(parent, match);
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
        const QString exact = joinName(current, part);
        if (part == QLatin1String(".") || part == QLatin1String("..") || fitsPart(exact, last, wanted)) {
            current = exact;
            continue;
        }
        const QString match = partAnyCase(current, part, last, wanted);
        if (match.isEmpty())
            return QString();
        current = joinName(current, match);
    }
    return current;
}

} // namespace

QString findFileAnyCase(const QString &path)
{
    return findAnyCase(path, Wanted::File);
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
