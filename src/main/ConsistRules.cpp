#include "main/ConsistRules.h"
#include "platform/Runtime.h"
#include <algorithm>

namespace consist {

namespace {

constexpr int kUndoKeepsAbove = 10;

} // namespace

InsertPlan planInsert(const Bookkeeping &before, int vehicleWidth, bool special)
{
    InsertPlan plan;
    if (!platform::fitsInt16(before.count + 1LL)) {
        plan.refusal = Refusal{QStringLiteral("The consist cannot take more than 32767 vehicles.")};
        return plan;
    }
    plan.after.count = int16_t(before.count + 1);
    plan.first = plan.after.count == 1;

    const long long width = plan.first ? vehicleWidth : static_cast<long long>(before.width) + vehicleWidth;
    const long long x = width - vehicleWidth;
    if (!platform::fitsInt16(width) || !platform::fitsInt16(x) || !platform::fitsInt16(vehicleWidth)) {
        plan.refusal = Refusal{QStringLiteral("The consist cannot be wider than 32767 pixels.")};
        return plan;
    }
    plan.after.width = int(width);
    plan.x = int16_t(x);
    plan.lastWidth = int16_t(vehicleWidth);

    const long long specials = (plan.first ? 0 : before.specialCount) + (special ? 1 : 0);
    if (!platform::fitsInt16(specials)) {
        plan.refusal =
            Refusal{QStringLiteral("The consist cannot take more than 32767 animated or pantograph vehicles.")};
        return plan;
    }
    plan.after.specialCount = int16_t(specials);
    return plan;
}

std::optional<QString> specialKind(const VehicleRecord &vehicle)
{
    std::optional<QString> kind;
    if (vehicle.Phasenlaenge > 0)
        kind = QStringLiteral("P");
    // A pantograph wins over animation.
    if (vehicle.SAR.is("Y"))
        kind = QStringLiteral("S");
    return kind;
}

void recordSpecials(QList<SpecialItem> &specials, int16_t &specialCount, const InsertPlan &plan,
                    const VehicleRecord &vehicle)
{
    if (plan.first) {
        specials.clear();
        specialCount = 0;
    }
    const std::optional<QString> kind = specialKind(vehicle);
    if (!kind)
        return;
    specialCount = plan.after.specialCount;
    specials.resize(specialCount);
    SpecialItem &item = specials[specialCount - 1];
    item.XPos = plan.x;
    item.Path = vehicle.Path;
    item.Kind = *kind;
}

void dropSpecialsFrom(QList<SpecialItem> &specials, int16_t &specialCount, int width)
{
    specials.resize(std::min<qsizetype>(specialCount, specials.size()));
    specials.removeIf([width](const SpecialItem &item) { return item.XPos >= width; });
    specialCount = int16_t(specials.size());
}

std::optional<QPoint> overlayPlace(QChar side, int x, int vehicleWidth, int overlayWidth, int overlayHeight)
{
    if (side == u'N' || side == u'W')
        return QPoint(x, 0);
    if (side == u'E')
        return QPoint(x + vehicleWidth - overlayWidth, 0);
    if (side == u'S')
        return QPoint(x, kVehicleHeight - overlayHeight); // on the bottom line of a standard vehicle
    return std::nullopt;
}

UndoResult undoInsert(int width, int lastWidth)
{
    const long long left = static_cast<long long>(width) - lastWidth;
    if (left <= kUndoKeepsAbove)
        return {0, true};
    return {int(left), false};
}

} // namespace consist
