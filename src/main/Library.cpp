#include "main/Library.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"

namespace library {

namespace {

// Columns `first` to `last` (counted from 1, inclusive) of a line; whatever of them the line
// holds, so a short line gives a shorter or empty text.
QByteArrayView columns(QByteArrayView line, qsizetype first, qsizetype last)
{
    const qsizetype from = first - 1;
    if (from >= line.size())
        return {};
    return line.sliced(from, std::min(last, line.size()) - from);
}

QByteArrayView columnsToEnd(QByteArrayView line, qsizetype first)
{
    return columns(line, first, line.size());
}

// A one- or two-digit column as a 16-bit value; two columns cannot overflow it.
int16_t smallNumber(QByteArrayView text)
{
    return platform::toInt16(platform::leadingNumber(text)).value_or(0);
}

} // namespace

VehicleRecord readRecord(QByteArrayView line, const QString &libFolder)
{
    VehicleRecord v;
    v.Label = columns(line, 1, 40);
    v.Epoche = columns(line, 41, 43);
    v.Uland = columns(line, 44, 46);
    v.GT = columns(line, 47, 48);
    v.OL = columns(line, 49, 49);
    if (v.OL.is("Y"))
        v.OL = QByteArrayView("J");
    v.OLH = smallNumber(columns(line, 50, 51));
    v.SAR = columns(line, 52, 52);
    v.Richtung = columns(line, 53, 53);
    v.Rangier = columns(line, 54, 54);
    v.WZ = columns(line, 55, 55);
    v.DT = columns(line, 56, 56);
    v.Phasenlaenge = smallNumber(columns(line, 57, 57));
    v.Variations = columns(line, 58, 58);

    // Trains made by the program are named by a number and lie in "consists".
    const QString fileName = QString::fromLatin1(columnsToEnd(line, 59));
    const bool isTrain = platform::leadingNumber(columns(line, 59, 63)) > 0;
    const QString subFolder = isTrain ? QStringLiteral("consists") : QString::fromLatin1(platform::trimBlanks(v.GT.bytes()));
    v.Path = libFolder + subFolder + platform::sep() + fileName;
    return v;
}

platform::Status readLibrary(const QString &libraryFile, const QString &libFolder, QList<VehicleRecord> &records)
{
    QList<QByteArray> lines;
    const platform::Status read = platform::readLines(libraryFile, lines);
    if (!read)
        return read;
    QList<VehicleRecord> result;
    result.reserve(lines.size());
    for (const QByteArray &line : std::as_const(lines))
        result.append(readRecord(line, libFolder));
    records = std::move(result);
    return read;
}

QString listLine(const VehicleRecord &vehicle)
{
    // Built in one go: a library can have a hundred thousand lines.
    QByteArray line;
    line.reserve(51);
    line.append(vehicle.Label.c.data(), 40).append(' ').append(vehicle.Uland.c.data(), 3).append("    ", 4);
    line.append(vehicle.Epoche.c.data(), 3);
    return QString::fromLatin1(line);
}

QString libBaseFromPath(const QString &bitmapPath)
{
    const qsizetype last = bitmapPath.lastIndexOf(platform::sep());
    if (last <= 0)
        return QString();
    const qsizetype secondLast = bitmapPath.lastIndexOf(platform::sep(), last - 1);
    if (secondLast < 0)
        return QString();
    return bitmapPath.left(secondLast);
}

std::optional<QString> libFolderFromFile(const QString &libraryFile)
{
    const qsizetype dot = libraryFile.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    return libraryFile.left(dot) + platform::sep();
}

} // namespace library
