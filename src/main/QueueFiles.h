#pragma once
#include "platform/Status.h"
#include "shared/QueueTag.h"
#include <QByteArray>
#include <QString>

// The files behind the queue of USER_BMP.INI entries: Erase Last's undo of a train in the
// library, and writing the queued entries to USER_BMP.INI.
namespace queuefiles {

// The FILE value of an entry names a train made by the add-consist window's rules: it holds
// "consists" and a separator, compared without regard to case.
bool isTrainEntryFile(const QString &file);

// The add-consist window queued the entry and its FILE value `trainFile` names a train.
bool isAddConsistTrain(const QueueTag &tag, const QString &trainFile);

// Erase Last may undo a train only when it is an add-consist train (isAddConsistTrain) of the
// library still open (`openLibrary`).
bool mayUndoTrain(const QueueTag &tag, const QString &openLibrary, const QString &trainFile);

// What Erase Last came to for the train behind an entry.
enum class TrainUndo {
    NotATrain,        // a single vehicle's entry: there is no train to undo
    OtherLibrary,     // another library was opened since the train was made: nothing was touched
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

// Adds an entry to the queue's USER_BMP.INI text as the file gets it: Latin-1 ('?' for a
// character Latin-1 lacks), ended by CR LF. The queue keeps all its lines in one text, encoded
// once when queued, so writing them is one write and emptying the queue one free.
void appendIniLine(QByteArray &text, const QString &entry);

// Writes the queue's text (whole lines, see appendIniLine) to USER_BMP.INI. Appending keeps every
// byte already there (completing a final line that lacks its break) and creates a missing file;
// replacing leaves exactly the queue's lines. A failure leaves the file as it was.
platform::Status writeIniText(const QString &iniPath, const QByteArray &text, bool append);

} // namespace queuefiles
