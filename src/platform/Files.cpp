#include "platform/Files.h"
#include "platform/FileFaults.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

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
std::optional<QString> writeFully(QFileDevice &file, const QByteArray &data)
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
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0)
            end = data.size();
        qsizetype lineEnd = end;
        if (end < data.size() && lineEnd > start && data.at(lineEnd - 1) == '\r')
            --lineEnd;
        lines.append(data.mid(start, lineEnd - start));
        start = next;
    }
    return lines;
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    // Sized once: Qt's QByteArray grows by little more than asked, so 10,000 appends to an
    // unreserved array copy it thousands of times.
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

Status writeAtomic(const QString &path, const QByteArray &data)
{
    if (auto fault = injected(FileOp::Open, path))
        return *fault;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
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

Status appendLines(const QString &path, const QList<QByteArray> &lines)
{
    if (auto fault = injected(FileOp::Open, path))
        return *fault;
    const bool existed = QFileInfo::exists(path);
    if (QFileInfo(path).isDir())
        return Status::failure(path, systemReason(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Status::failure(path, file.errorString());
    const qint64 oldSize = file.size();

    // A device (a pipe, /dev/full) has no end to look at or to go back to.
    const bool seekable = !file.isSequential();
    QByteArray data;
    if (seekable && oldSize > 0 && file.seek(oldSize - 1)) {
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n')
            data += "\r\n";
    }
    data += joinLines(lines);

    std::optional<Status> failed = injected(FileOp::Write, path);
    if (!failed) {
        std::optional<QString> reason;
        if (seekable && !file.seek(oldSize))
            reason = file.errorString();
        if (!reason)
            reason = writeFully(file, data);
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

QString findFileAnyCase(const QString &path)
{
    if (path.isEmpty() || injected(FileOp::Exists, path))
        return QString();
    if (isOrdinaryFile(QFileInfo(path)))
        return path;

    // Walk from the root, taking at each level the exact name, else the first name that
    // differs from it only in case.
    const QString clean = QDir::cleanPath(path);
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
        const QString here = current.isEmpty() ? QStringLiteral(".") : current;
        auto join = [&](const QString &name) {
            return current.isEmpty() ? name : (current.endsWith(QLatin1Char('/')) ? current + name : current + QLatin1Char('/') + name);
        };
        auto fits = [&](const QString &candidate) {
            const QFileInfo info(candidate);
            return last ? isOrdinaryFile(info) : info.isDir();
        };
        if (part == QLatin1String(".") || part == QLatin1String("..") || fits(join(part))) {
            current = join(part);
            continue;
        }
        QDir dir(here);
        dir.setFilter((last ? QDir::Files : (QDir::Dirs | QDir::Hidden)) | QDir::NoDotAndDotDot);
        dir.setSorting(QDir::Name);
        QString match;
        const QStringList entries = dir.entryList();
        for (const QString &entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0 && fits(join(entry))) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return QString();
        current = join(match);
    }
    return current;
}

} // namespace platform
