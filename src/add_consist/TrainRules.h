#pragma once
#include "platform/Status.h"
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The add-consist window's rules: the new train's number and its file names.
namespace trainrules {

// Train numbers are written with five digits.
constexpr int32_t kLastConsistNumber = 99999;

// --- Numbering -------------------------------------------------------------------------------

// One above the largest number that the first five characters of the names begin with (read by
// the leading-number rule, rounded half to even); 1 when no name begins with a number. Nothing
// when a train numbered 99999 (or above) exists: no free number is left and no existing train's
// files may be overwritten.
std::optional<int32_t> nextConsistNumber(const QStringList &bmpNames);

// The library's folder of trains: libBase, separator, "consists", named as it is on disk when
// a folder of that name in any case is there.
QString consistsFolder(const QString &libBase);

// Lists the bitmaps in the consists folder and numbers the new train. Fails naming the folder
// when it cannot be listed or when every number is taken; a window reports it with
// status.message("number a new train in").
platform::Status numberConsist(const QString &consists, int32_t &number);

// --- File names ------------------------------------------------------------------------------

// The consists folder, separator, the number with five digits.
QString consistStem(const QString &consists, int32_t number);
// The plain picture: stem + ".bmp".
QString plainPicturePath(const QString &stem);
// Frame k of an animated train: stem + "_k.bmp".
QString framePath(const QString &stem, int k);

// Frame k of an animated vehicle: its path cut before ".bmp", less the two characters in front
// ("_0"), then "_k.bmp". Nothing when the file name holds no ".bmp" (any case).
std::optional<QString> vehicleFramePath(const QString &vehiclePath, int k);
// The pantograph picture beside a bitmap (a vehicle's, or a train's ConsistFile): the path cut
// before ".bmp", then "_SAR.bmp". Nothing when the file name holds no ".bmp" (any case).
std::optional<QString> pantographPath(const QString &bitmapPath);
// Where `needle` first stands in the path's file name, without regard to case; -1 when it does
// not. Searches start in the file name: a folder whose name holds ".bmp" must neither send the
// train's pictures out of its folder nor hide a vehicle's pictures.
qsizetype findInFileName(const QString &path, QStringView needle);
// The bare file name of a train's bitmap, the library line's columns 59 on.
QString consistFileName(const QString &consistFile);

} // namespace trainrules
