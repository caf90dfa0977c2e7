#include "main/QueueFiles.h"
#include <QStringEncoder>
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"

namespace queuefiles {

namespace {

bool holdsOnlySpaces(const QByteArray &line)
{
    for (char c : line) {
        if (c != ' ')
            return false;
    }
    return true;
}

platform::Status writeWithoutLastLine(const QString &library, const QList<QByteArray> &lines)
{
    return platform::writeAtomic(library, platform::joinLines(withoutLastLine(lines)));
}

} // namespace

QList<QByteArray> withoutLastLine(const QList<QByteArray> &lines)
{
    QList<QByteArray> kept;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (!holdsOnlySpaces(lines.at(i)))
            kept.append(lines.at(i));
    }
    return kept;
}

platform::Status rewriteWithoutLastLine(const QString &library)
{
    QList<QByteArray> lines;
    const platform::Status read = platform::readLines(library, lines);
    if (!read)
        return read;
    return writeWithoutLastLine(library, lines);
}

platform::Status lastLineOf(const QString &library, QByteArray &line)
{
    QList<QByteArray> lines;
    const platform::Status read = platform::readLines(library, lines);
    line = read && !lines.isEmpty() ? lines.last() : QByteArray();
    return read;
}

bool isTrainEntryFile(const QString &file)
{
    return platform::findNoCase(file, QString(QStringLiteral("consists") + platform::sep())) >= 0;
}

platform::Status undoTrainAddition(const QString &library, const QByteArray &trainLine, const QString &trainFile,
                                   bool &undone)
{
    undone = false;
    QList<QByteArray> lines;
    const platform::Status read = platform::readLines(library, lines);
    if (!read)
        return read;
    if (lines.isEmpty() || lines.last() != trainLine)
        return platform::Status::success();

    // The library first: a bitmap left behind is harmless, a line naming a deleted bitmap is not.
    const platform::Status written = writeWithoutLastLine(library, lines);
    if (!written)
        return written;
    undone = true;
    return platform::removeFile(trainFile);
}

platform::Status writeIniEntries(const QString &iniPath, const QStringList &entries, bool append)
{
    // Encoded straight into one buffer of the file's bytes: a long queue is written without
    // building it twice over.
    qsizetype size = 0;
    for (const QString &entry : entries)
        size += entry.size() + 2;
    QByteArray text(size, Qt::Uninitialized);
    QStringEncoder latin1(QStringConverter::Latin1);
    char *end = text.data();
    for (const QString &entry : entries) {
        end = latin1.appendToBuffer(end, entry);
        *end++ = '\r';
        *end++ = '\n';
    }
    text.truncate(end - text.data());
    if (append)
        return platform::appendText(iniPath, text);
    return platform::writeAtomic(iniPath, text);
}

} // namespace queuefiles
