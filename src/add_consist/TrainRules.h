#pragma once
#include "platform/Status.h"
#include "shared/Refusal.h"
#include "shared/mc_Brenvik.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace platform {
class Surface;
}

// The add-consist window's rules: the new train's number and file names, which pictures are
// drawn and saved.
namespace trainrules {

// Train numbers are written with five digits.
constexpr int32_t kLastConsistNumber = 99999;
// Vehicles are this many pixels high; animation frames stand on its last row.
constexpr int kVehicleHeight = 58;

using Refusal = ::Refusal;

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

// --- Pictures --------------------------------------------------------------------------------

// One thing to do with the consist picture (picConsist) and the scratch picture (picAppo).
struct PictureStep {
    enum class Action {
        Save,   // save the consist picture's image as `path`
        Draw,   // load `path` into the scratch picture and copy it into the consist picture at
                // column `x`, top row 0 or, when `standing`, 58 minus the picture's height
        Reload, // load `path` and make it the consist picture (Cls first)
        Fail    // `path` (a vehicle's bitmap) gives no picture name: report `reason`, stop
    };
    Action action = Action::Save;
    QString path;
    int32_t x = 0;
    bool standing = false;
    QString reason;
    bool operator==(const PictureStep &) const = default;
};

// Every file the Add writes, in order, and the train's main bitmap (ConsistFile).
struct PicturePlan {
    QList<PictureStep> steps;
    QString consistFile;
    // Set (and nothing is to be written) when the cycle box reads below 0.
    std::optional<Refusal> refusal;
};

// The plan for a train of stem `stem`. `pantograph` is chkSAR(0) ticked (the pair rule keeps
// exactly one of the pair ticked, and the checks read the "Y" box); `cycleText` is txtCycle's
// text, read by the leading-number rule; specials 1 .. specialCount are the consist's animated
// ("P") and pantograph ("S") vehicles.
// Cycle 0: the plain picture; above 0: frames 0 to 3, each drawn over the one before with
// frame k of every "P" vehicle. With the pantograph choice, frame 0 (or the plain picture) is
// then drawn over with each "S" vehicle's pantograph picture at row 0, the train's pantograph
// picture saved after each.
PicturePlan planPictures(const QString &stem, bool pantograph, const QString &cycleText,
                         const QList<SpecialItem> &specials, int specialCount);

// Carries out the steps on the consist picture, loading vehicle pictures through `scratch`.
// Stops at the first failure, which comes back noting its step, so that message() gives the box's
// text ("Cannot save <file>:\n<reason>"). The files saved before a failure stay.
platform::Status runPictureSteps(const QList<PictureStep> &steps, platform::Surface &consist, platform::Surface &scratch);

} // namespace trainrules
