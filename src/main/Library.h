#pragma once
#include "platform/Status.h"
#include "shared/LibraryColumns.h"
#include "shared/mc_Brenvik.h"
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// The vehicle library: a text file with one vehicle per line in fixed columns, and beside it
// the bitmap folder (the file's path up to its last ".").
namespace library {

// One line (without its line end) as a record. A line too short for a column reads that column
// as blanks, 0 or an empty name. `libFolder` is the bitmap folder, ending in the separator.
VehicleRecord readRecord(QByteArrayView line, const QString &libFolder);

// Every line of the file as a record, in file order (blank lines too). On failure `records` is
// left untouched.
platform::Status readLibrary(const QString &libraryFile, const QString &libFolder, QList<VehicleRecord> &records);

// The vehicle list's line: label, a blank, country, four blanks, era; 51 characters, so the
// era stands under "Era" of the heading.
constexpr qsizetype kListLineLength =
    librarycolumns::kLabel.width + 1 + librarycolumns::kCountry.width + 4 + librarycolumns::kEra.width;
QString listLine(const VehicleRecord &vehicle);
// The same line written into `out`, which has room for kListLineLength characters; a library
// can have a hundred thousand lines.
void writeListLine(const VehicleRecord &vehicle, QChar *out);

// The library folder without its trailing separator, from a vehicle's bitmap path (folder,
// sub-folder, file name): the path cut before its second-last separator. Empty when the path
// holds fewer than two separators.
QString libBaseFromPath(const QString &bitmapPath);

// The library base of a library just read: from its first vehicle's bitmap path, or for a
// library without lines, its bitmap folder `libFolder` without the trailing separator.
QString libBase(const QList<VehicleRecord> &records, const QString &libFolder);

// The bitmap folder of a chosen library file: the path up to its last "." (folder names
// count too) followed by the separator; nothing when the path holds no ".".
std::optional<QString> libFolderFromFile(const QString &libraryFile);

} // namespace library
