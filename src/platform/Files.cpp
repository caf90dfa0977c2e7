#include "platform/Files.h"
#include "platform/FileFaults.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
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

QList<QByteArray> splitLines(const QByteArray &data)
{
    QList<QByteArray> lines;
    forEachLine(data, [&lines](QByteArrayView line) { lines.append(line.toByteArray()); });
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

// Puts a written QSaveFile in place of the old file; the seam may refuse that rename.
Status commit(QSaveFile &file, const QString &path)
{
    if (auto fault = injected(FileOp::Rename, path)) {
        file.cancelWriting();
        return *fault;
    }
    if (!file.commit())
        return Status::failure(path, file.errorString());
    return Status::success();
}

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
    return commit(file, path);
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
    return commit(file, path);
}

namespace {

// Written in place, a failure part-way would leave the file cut short: its old content is first
// kept in the user's temporary folder, and only once that copy is whole is the file written.
Status writeInPlace(const QString &path, const QByteArray &data)
{
    QByteArray old;
    if (const Status read = readAll(path, old); !read)
        return read;
    const QString name = QFileInfo(path).fileName();
    QTemporaryFile copy(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".XXXXXX"));
    // Unbuffered, so a failing write says why; QTemporaryFile keeps that open() protected.
    QIODevice &device = copy;
    const auto fault = FileFaults::check(FileOp::Write, copy.fileTemplate());
    if (fault || !device.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || writeFully(copy, old))
        return Status::failure(path, fault ? *fault : copy.errorString());

    const Status written = saveFile(path, data, true);
    if (written || saveFile(path, old, true))
        return written;
    copy.setAutoRemove(false);
    return Status::failure(path, QStringLiteral("%1\n%2 is damaged: its old content is kept in %3.")
                                     .arg(written.reason(), name, QDir::toNativeSeparators(copy.fileName())));
}

} // namespace

Status writeAtomicOrInPlace(const QString &path, const QByteArray &data)
{
    // QSaveFile writes to the file a link points at: that file's folder takes its temporary file.
    const QFileInfo target(QFileInfo(path).canonicalFilePath());
    if (!target.isFile() || QFileInfo(target.absolutePath()).isWritable())
        return writeAtomic(path, data);
    return writeInPlace(path, data);
}

Status appendLines(const QString &path, const QList<QByteArray> &lines)
{
    return appendText(path, joinLines(lines));
}

Status appendText(const QString &path, QByteArrayView text)
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
        if (!reason)
            reason = writeFully(file, text);
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

} // namespace platform
