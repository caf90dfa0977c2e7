#pragma once
#include "platform/Status.h"
#include "shared/Refusal.h"
#include "shared/mc_Brenvik.h"
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {
class Surface;
}

// The add-consist window's pictures of a new train: which are drawn and saved, and drawing and
// saving them.
namespace trainrules {

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
