#pragma once
#include "platform/Status.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The files behind the queue of USER_BMP.INI entries: Erase Last's undo of a train in the
// library, and writing the queued entries to USER_BMP.INI.
namespace queuefiles {

// The library's lines without the last one and without every line that is empty or holds
// only spaces; the other lines keep their text and order.
QList<QByteArray> withoutLastLine(const QList<QByteArray> &lines);

// Rewrites the library without its last line (and its blank lines), every line ended by CR LF.
// The file is replaced in one step through a temporary file beside it, so a failure at any point
// leaves the library as it was.
platform::Status rewriteWithoutLastLine(const QString &library);

// The library's last line without its line end; empty when the file has no lines.
platform::Status lastLineOf(const QString &library, QByteArray &line);

// The FILE value of an entry names a train made by the add-consist window's rules: it holds
// "consists" and a separator, compared without regard to case.
bool isTrainEntryFile(const QString &file);

// What undoing a train's addition came to.
enum class TrainUndo {
    Undone,           // the library lost the train's line, then its bitmap was deleted
    NotLast,          // the library no longer ends with the train's line: nothing was touched
    LibraryGone,      // the library is not there any more: nothing was touched
    LibraryKept,      // reading or rewriting the library failed: nothing was touched
    BitmapKept        // the library lost the line, but the bitmap could not be deleted
};

// Undoes a train's addition when the library still ends with that train's line: the library
// loses its last line (and its blank lines) and then the train's bitmap `trainFile` is deleted.
// `failure` names the file and reason behind LibraryKept and BitmapKept.
TrainUndo undoTrainAddition(const QString &library, const QByteArray &trainLine, const QString &trainFile,
                            platform::Status &failure);

// Writes the entries to USER_BMP.INI as Latin-1 lines ended by CR LF. Appending keeps every byte
// already there (starting a new line first when the file lacks a final line break) and creates a
// missing file; replacing leaves exactly the entries. A failure leaves the file as it was.
platform::Status writeIniEntries(const QString &iniPath, const QStringList &entries, bool append);

// An entry as USER_BMP.INI gets it: Latin-1, '?' for a character Latin-1 lacks, no line end.
QByteArray iniLine(const QString &entry);

// The same as writeIniEntries for entries already turned into their lines by iniLine.
platform::Status writeIniLines(const QString &iniPath, const QList<QByteArray> &lines, bool append);

} // namespace queuefiles
