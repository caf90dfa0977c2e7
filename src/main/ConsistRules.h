#pragma once
#include "shared/Refusal.h"
#include "shared/mc_Brenvik.h"
#include <QChar>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

// The arithmetic of the consist area: where the next vehicle goes, where an overlay lands on
// it, what Undo leaves.
namespace consist {

// The band the train slides in is as wide as the main window's client area.
constexpr int kBandWidth = 760;

// The bookkeeping an insert changes, before and after it.
struct Bookkeeping {
    int16_t count = 0;        // inserts since the area was emptied
    int width = 0;            // width of the train picture
    int16_t specialCount = 0; // animated and pantograph vehicles listed
};

struct InsertPlan {
    std::optional<Refusal> refusal; // why the insert cannot be made
    bool first = false;       // the first vehicle of a new consist: the special list starts again
    Bookkeeping after;
    int16_t x = 0;            // column of the vehicle's left edge
    int16_t lastWidth = 0;    // width of the vehicle inserted
};

// Plans the insert of a vehicle `vehicleWidth` pixels wide (`special`: animated or with a
// pantograph). Every value it gives has to stay a 16-bit number; else it is refused.
InsertPlan planInsert(const Bookkeeping &before, int vehicleWidth, bool special);

// "S" for a pantograph vehicle (SAR exactly "Y"), else "P" for an animated one
// (Phasenlaenge above 0); nothing for any other.
std::optional<QString> specialKind(const VehicleRecord &vehicle);

// Keeps the list of the consist's animated and pantograph vehicles as the planned insert of
// `vehicle` is made: the list starts again at a new consist's first vehicle, and a special
// vehicle (specialKind) is listed with its column and kind.
void recordSpecials(QList<SpecialItem> &specials, int16_t &specialCount, const InsertPlan &plan,
                    const VehicleRecord &vehicle);

// Undo takes back the listing too: every vehicle at or beyond column `width`, the train's width
// once the last insert is taken back, leaves the list, so a saved train gets no frames or
// pantograph of a vehicle that is no longer in it.
void dropSpecialsFrom(QList<SpecialItem> &specials, int16_t &specialCount, int width);

// Top-left corner of an overlay on the vehicle drawn at column `x`, by the side letter of its
// variation; nothing for a letter that is none of "N", "W", "E", "S".
std::optional<QPoint> overlayPlace(QChar side, int x, int vehicleWidth, int overlayWidth, int overlayHeight);

struct UndoResult {
    int width = 0;
    bool clear = false; // the area is emptied: what is left is too narrow to be a vehicle
};

// The train's width once the last insert is taken back; 10 pixels or less (a negative result
// too, after the area was emptied) empties the area.
UndoResult undoInsert(int width, int lastWidth);

} // namespace consist
