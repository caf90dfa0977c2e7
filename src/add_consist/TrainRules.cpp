#include "add_consist/TrainRules.h"
#include "platform/Files.h"
#include "platform/Lookup.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"
#include "shared/LibraryColumns.h"
#include <algorithm>

namespace trainrules {

namespace {

// Only the first five characters of a bitmap's name can hold its train number.
constexpr qsizetype kNumberWidth = 5;

QString consistsWord()
{
    return QLatin1StringView(librarycolumns::kTrainsFolder);
}

} // namespace

qsizetype findInFileName(const QString &path, QStringView needle)
{
    return platform::findNoCase(path, needle, path.lastIndexOf(platform::sep()) + 1);
}

std::optional<int32_t> nextConsistNumber(const QStringList &bmpNames)
{
    double largest = 0;
    for (const QString &name : bmpNames) {
        const double value = platform::leadingNumber(QStringView(name).left(kNumberWidth));
        if (value >= largest)
            largest = platform::roundHalfEven(value);
    }
    if (largest >= kLastConsistNumber)
        return std::nullopt;
    return int32_t(largest) + 1;
}

QString consistsFolder(const QString &libBase)
{
    // A library copied from Windows may call it "Consists" or "CONSISTS".
    const QString named = libBase + platform::sep() + consistsWord();
    const QString onDisk = platform::findFolderAnyCase(named);
    return onDisk.isEmpty() ? named : onDisk;
}

platform::Status numberConsist(const QString &folder, int32_t &number)
{
    QStringList names;
    const platform::Status listed = platform::listFiles(folder, QStringLiteral("*.bmp"), names);
    if (!listed)
        return listed;
    const std::optional<int32_t> next = nextConsistNumber(names);
    if (!next)
        return platform::Status::failure(folder, QStringLiteral("A train numbered %1 exists: no number is left.")
                                                     .arg(kLastConsistNumber));
    number = *next;
    return listed;
}

QString consistStem(const QString &consists, int32_t number)
{
    return consists + platform::sep() + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

QString plainPicturePath(const QString &stem)
{
    return stem + QStringLiteral(".bmp");
}

QString framePath(const QString &stem, int k)
{
    return stem + QStringLiteral("_%1.bmp").arg(k);
}

std::optional<QString> vehicleFramePath(const QString &vehiclePath, int k)
{
    const qsizetype at = findInFileName(vehiclePath, u".bmp");
    if (at < 0)
        return std::nullopt;
    const qsizetype nameStart = vehiclePath.lastIndexOf(platform::sep()) + 1;
    return framePath(vehiclePath.left(std::max(nameStart, at - 2)), k);
}

std::optional<QString> pantographPath(const QString &bitmapPath)
{
    const qsizetype at = findInFileName(bitmapPath, u".bmp");
    if (at < 0)
        return std::nullopt;
    return bitmapPath.left(at) + QStringLiteral("_SAR.bmp");
}

QString consistFileName(const QString &consistFile)
{
    return platform::fileNameOf(consistFile);
}

} // namespace trainrules
