#include "main/Variations.h"
#include "platform/Lookup.h"
#include "platform/Runtime.h"

namespace variations {

namespace {

const QString kYes = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");

} // namespace

std::optional<QString> basePath(const QString &bitmapPath)
{
    const qsizetype at = platform::findNoCase(bitmapPath, u".bmp");
    if (at < 0)
        return std::nullopt;
    return bitmapPath.left(at);
}

SlotTexts slotNames()
{
    static const char sides[] = {'N', 'E', 'W', 'S'};
    SlotTexts names;
    names[0] = QStringLiteral("No");
    for (int k = 1; k < kSlots; ++k)
        names[size_t(k)] = QLatin1Char(sides[(k - 1) / 10]) + QString::number((k - 1) % 10);
    return names;
}

QString overlayFile(const QString &base, const QString &slotName)
{
    return base + QLatin1Char('_') + slotName + QStringLiteral(".bmp");
}

SlotTexts availableSlots(const QString &base, const SlotTexts &slotNames)
{
    QStringList overlays;
    overlays.reserve(kSlots - 1);
    for (int k = 1; k < kSlots; ++k)
        overlays.append(overlayFile(base, slotNames[size_t(k)]));
    const QStringList found = platform::findFilesAnyCase(overlays);
    SlotTexts exists = plainOnly();
    for (int k = 1; k < kSlots; ++k) {
        if (!found.at(k - 1).isEmpty())
            exists[size_t(k)] = kYes;
    }
    return exists;
}

SlotTexts plainOnly()
{
    SlotTexts exists;
    exists.fill(kNo);
    exists[0] = kYes;
    return exists;
}

int nextSlot(const SlotTexts &exists, int current, int step)
{
    int slot = current;
    // Slot 0 is always available, so a full turn ends the walk at the latest.
    for (int taken = 0; taken < kSlots; ++taken) {
        slot = ((slot + step) % kSlots + kSlots) % kSlots;
        if (exists[size_t(slot)] != kNo)
            return slot;
    }
    return slot;
}

} // namespace variations
