#pragma once
#include <QString>
#include <array>
#include <optional>

// A vehicle's variations: overlay bitmaps kept beside its bitmap, one per slot. Slot 0 is the
// plain picture; slots 1 to 40 are named by a side letter and a digit.
namespace variations {

constexpr int kSlots = 41;
using SlotTexts = std::array<QString, kSlots>;

// The vehicle's bitmap path cut before its first ".bmp", found without regard to case;
// nothing when the path holds no ".bmp".
std::optional<QString> basePath(const QString &bitmapPath);

// The slots' names: "No" for slot 0, then a side letter ("N", "E", "W", "S", ten slots each)
// and a digit for slots 1 to 40.
SlotTexts slotNames();

// The overlay file of a slot: the base path, "_", the slot's name and ".bmp" in lower case.
QString overlayFile(const QString &base, const QString &slotName);

// "Y" for slot 0 and for every slot whose overlay file is there as an ordinary file (a name
// differing only in case counts), "N" for the rest. All 40 names are looked up, in slot order.
SlotTexts availableSlots(const QString &base, const SlotTexts &slotNames);

// "Y" for slot 0, "N" for the rest: a vehicle without variations.
SlotTexts plainOnly();

// The slot reached by stepping from `current` by `step` (+1 or -1), wrapping 41 to 0 and -1 to
// 40, until one whose flag is not exactly "N"; at least one step, at most 41.
int nextSlot(const SlotTexts &exists, int current, int step);

} // namespace variations
