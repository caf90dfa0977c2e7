#pragma once
#include "platform/Status.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

// File operations of the program. Every one passes through FileFaults::check() first, so a
// test can make any of them fail; every failure comes back as a Status naming the file.
namespace platform {

// Whole file as bytes.
Status readAll(const QString &path, QByteArray &out);

// Lines ended by CR LF, by LF, or by nothing at the end of the file; line ends are not kept.
// An empty file has no lines; a final line end does not start another line.
Status readLines(const QString &path, QList<QByteArray> &lines);
QList<QByteArray> splitLines(const QByteArray &data);
// Hands each of those lines, as a view into `data`, to `take` in order, keeping no list of them.
template <typename Take>
void forEachLine(QByteArrayView data, Take &&take)
{
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0)
            end = data.size();
        qsizetype lineEnd = end;
        if (end < data.size() && lineEnd > start && data.at(lineEnd - 1) == '\r')
            --lineEnd;
        take(data.sliced(start, lineEnd - start));
        start = next;
    }
}

// Each line followed by CR LF.
QByteArray joinLines(const QList<QByteArray> &lines);

// Replaces the file's content through a temporary file in the same folder that is renamed over
// it (QSaveFile): a failure leaves the old file untouched, keeps its permissions.
Status writeAtomic(const QString &path, const QByteArray &data);
// The same, but where the folder cannot hold a temporary file (a program's own folder often
// cannot) and the file itself can be written, it is written in place, its old content kept first
// in a copy in the temporary folder; when no copy can be made, nothing is written. Should the
// write fail, the old content is written back; should that fail too, the failure says the file
// is damaged and names the copy, which stays.
Status writeAtomicOrInPlace(const QString &path, const QByteArray &data);

// Writes a file whose bytes `write` puts on the device it is given (false when a write failed),
// so a large file needs no copy in memory. A file of that name is replaced as writeAtomic does;
// under a name not yet taken, the file appears whole or not at all.
Status writeStreamed(const QString &path, const std::function<bool(QIODevice &)> &write);

// Appends the lines, each ended by CR LF, creating the file when it is missing. When the file
// does not end with a line break, a CR LF is written first so the first line starts a line of its
// own. A failure part-way cuts the file back to its old length.
Status appendLines(const QString &path, const QList<QByteArray> &lines);
// The same for text that is already whole lines, each ended by CR LF.
Status appendText(const QString &path, QByteArrayView text);

// Deletes a file. A file that is already gone counts as deleted.
Status removeFile(const QString &path);

// Names (not paths) of the ordinary files in `folder` matching the wildcard `pattern`
// ("*.bmp", "*.ini"), without regard to case, sorted by name.
Status listFiles(const QString &folder, const QString &pattern, QStringList &names);

// Names of the sub-folders of `folder`, sorted without regard to case; "." and ".." left out.
Status listFolders(const QString &folder, QStringList &names);

} // namespace platform
