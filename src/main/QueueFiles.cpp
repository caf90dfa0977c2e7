#include "main/QueueFiles.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"
#include "shared/LibraryColumns.h"
#include <QFileInfo>
#include <algorithm>

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

// The library's lines without the last one and without every line that is empty or holds
// only spaces; the other lines keep their text and order.
QList<QByteArray> withoutLastLine(const QList<QByteArray> &lines)
{
    QList<QByteArray> kept;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (!holdsOnlySpaces(lines.at(i)))
            kept.append(lines.at(i));
    }
    return kept;
}

// Latin-1 as QStringEncoder writes it ('?' for what Latin-1 lacks), in a loop the compiler can
// widen: Qt's own encoder goes one character at a time.
char *toLatin1(QStringView text, char *out)
{
    const char16_t *from = text.utf16();
    const qsizetype n = text.size();
    char16_t all = 0;
    for (qsizetype i = 0; i < n; ++i) { // plain narrowing first: the usual case, one pass
        all |= from[i];
        out[i] = char(from[i]);
    }
    if (all > 0xFF) {
        for (qsizetype i = 0; i < n; ++i) {
            if (from[i] > 0xFF)
                out[i] = '?';
        }
    }
    return out + n;
}

} // namespace

bool isTrainEntryFile(const QString &file)
{
    return platform::findNoCase(file, QString(QLatin1StringView(librarycolumns::kTrainsFolder) + platform::sep())) >= 0;
}

bool isAddConsistTrain(const QueueTag &tag, const QString &trainFile)
{
    return tag.fromAddConsist && isTrainEntryFile(trainFile);
}

bool mayUndoTrain(const QueueTag &tag, const QString &openLibrary, const QString &trainFile)
{
    return isAddConsistTrain(tag, trainFile) && tag.libraryFile == openLibrary;
}

TrainUndo undoTrainAddition(const QString &library, const QByteArray &trainLine, const QString &trainFile,
                            platform::Status &failure)
{
    QList<QByteArray> lines;
    if (const platform::Status read = platform::readLines(library, lines); !read) {
        // Moved or deleted since the train was made: there is no line left to take back.
        if (!QFileInfo::exists(library))
            return TrainUndo::LibraryGone;
        failure = read;
        return TrainUndo::LibraryKept;
    }
    if (lines.isEmpty() || lines.last() != trainLine)
        return TrainUndo::NotLast;

    // The library first: a bitmap left behind is harmless, a line naming a deleted bitmap is not.
    // A library whose folder takes no temporary file is written in place, as USER_BMP.INI is.
    const QByteArray kept = platform::joinLines(withoutLastLine(lines));
    if (const platform::Status written = platform::writeAtomicOrInPlace(library, kept); !written) {
        failure = written;
        return TrainUndo::LibraryKept;
    }
    if (const platform::Status removed = platform::removeFile(trainFile); !removed) {
        failure = removed;
        return TrainUndo::BitmapKept;
    }
    return TrainUndo::Undone;
}

void appendIniLine(QByteArray &text, const QString &entry)
{
    const qsizetype start = text.size();
    text.resize(start + entry.size() + 2);
    char *end = toLatin1(entry, text.data() + start);
    *end++ = '\r';
    *end = '\n';
}

platform::Status writeIniText(const QString &iniPath, const QByteArray &text, bool append)
{
    if (!append)
        return platform::writeAtomicOrInPlace(iniPath, text);
    return platform::appendText(iniPath, text);
}

} // namespace queuefiles
