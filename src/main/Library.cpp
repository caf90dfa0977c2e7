#include "main/Library.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"
#include "shared/LibraryColumns.h"
#include <algorithm>
#include <cstring>

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

QByteArrayView columns(QByteArrayView line, librarycolumns::Column column)
{
    return columns(line, column.first, column.last());
}

QByteArrayView columnsToEnd(QByteArrayView line, qsizetype first)
{
    return columns(line, first, line.size());
}

// The text without the blanks (spaces only) at either end, as a view into it.
QByteArrayView blanksTrimmed(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

// Nearly every number column holds only digits and blanks, or starts with a letter; those are
// read here directly. Nothing for any other text, which the leading-number rule reads.
std::optional<int> plainNumber(QByteArrayView text)
{
    int value = 0;
    bool digits = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            digits = true;
            continue;
        }
        // A sign, a point, "&H"/"&O", or what follows digits (a fraction, an exponent).
        if (digits || c == '+' || c == '-' || c == '.' || c == '&')
            return std::nullopt;
        return 0;
    }
    return value;
}

// A one- or two-digit column as a 16-bit value; two columns cannot overflow it.
int16_t smallNumber(QByteArrayView text)
{
    if (const std::optional<int> n = plainNumber(text))
        return int16_t(*n);
    return platform::toInt16(platform::leadingNumber(text)).value_or(0);
}

// The train-number columns read as a number above 0.
bool namesTrain(QByteArrayView text)
{
    if (const std::optional<int> n = plainNumber(text))
        return *n > 0;
    return platform::leadingNumber(text) > 0;
}

// The line ends in `data`, tallied a byte wide in blocks the compiler takes 16 or 32 at a time
// (QByteArray::count and std::count go one byte, or one 64-bit tally, at a time).
qsizetype lineEnds(QByteArrayView data)
{
    constexpr qsizetype kBlock = 240; // fits a byte-wide tally
    qsizetype total = 0;
    for (qsizetype at = 0; at < data.size(); at += kBlock) {
        const char *p = data.data() + at;
        const qsizetype n = std::min(kBlock, data.size() - at);
        unsigned char inBlock = 0;
        for (qsizetype i = 0; i < n; ++i)
            inBlock += p[i] == '\n';
        total += inBlock;
    }
    return total;
}

// Latin-1 text widened into `out`; returns where the next character goes.
QChar *putLatin1(QChar *out, QByteArrayView text)
{
    for (char c : text)
        *out++ = QLatin1Char(c);
    return out;
}

// What the line holds of a column, into a field that is still all blanks (cut to its width).
template <int N>
void fill(FixedText<N> &field, QByteArrayView text)
{
    if (!text.isEmpty())
        std::memcpy(field.c.data(), text.data(), size_t(std::min<qsizetype>(text.size(), N)));
}

} // namespace

VehicleRecord readRecord(QByteArrayView line, const QString &libFolder)
{
    VehicleRecord v; // every text field starts as blanks
    using namespace librarycolumns;
    fill(v.Label, columns(line, kLabel));
    fill(v.Epoche, columns(line, kEra));
    fill(v.Uland, columns(line, kCountry));
    fill(v.GT, columns(line, kType));
    fill(v.OL, columns(line, kOverheadLine));
    if (v.OL.first() == 'Y')
        v.OL.c[0] = 'J';
    v.OLH = smallNumber(columns(line, kLineHeight));
    fill(v.SAR, columns(line, kPantograph));
    fill(v.Richtung, columns(line, kDirection));
    fill(v.Rangier, columns(line, kShunting));
    fill(v.WZ, columns(line, kPushPull));
    fill(v.DT, columns(line, kDoubleTraction));
    v.Phasenlaenge = smallNumber(columns(line, kCycle));
    fill(v.Variations, columns(line, kVariations));

    // Trains made by the program are named by a number and lie in the trains' folder.
    const QByteArrayView fileName = columnsToEnd(line, kFileFirst);
    const bool isTrain = namesTrain(columns(line, kTrainNumber));
    const QByteArrayView subFolder =
        isTrain ? QByteArrayView(kTrainsFolder) : blanksTrimmed(QByteArrayView(v.GT.c.data(), v.GT.c.size()));
    // Written straight into one allocation: a library can have a hundred thousand lines.
    v.Path = QString(libFolder.size() + subFolder.size() + 1 + fileName.size(), Qt::Uninitialized);
    QChar *out = std::copy(libFolder.cbegin(), libFolder.cend(), v.Path.data());
    out = putLatin1(out, subFolder);
    *out++ = platform::sep();
    putLatin1(out, fileName);
    return v;
}

platform::Status readLibrary(const QString &libraryFile, const QString &libFolder, QList<VehicleRecord> &records)
{
    QByteArray data;
    const platform::Status read = platform::readAll(libraryFile, data);
    if (!read)
        return read;
    QList<VehicleRecord> result;
    result.reserve(lineEnds(data) + 1);
    platform::forEachLine(data, [&](QByteArrayView line) { result.append(readRecord(line, libFolder)); });
    records = std::move(result);
    return read;
}

void writeListLine(const VehicleRecord &vehicle, QChar *out)
{
    out = putLatin1(out, vehicle.Label.c);
    out = putLatin1(out, " ");
    out = putLatin1(out, vehicle.Uland.c);
    out = putLatin1(out, "    ");
    putLatin1(out, vehicle.Epoche.c);
}

QString listLine(const VehicleRecord &vehicle)
{
    QString line(kListLineLength, Qt::Uninitialized);
    writeListLine(vehicle, line.data());
    return line;
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

QString libBase(const QList<VehicleRecord> &records, const QString &libFolder)
{
    if (!records.isEmpty())
        return libBaseFromPath(records.constFirst().Path);
    return libFolder.endsWith(platform::sep()) ? libFolder.chopped(1) : libFolder;
}

std::optional<QString> libFolderFromFile(const QString &libraryFile)
{
    const qsizetype dot = libraryFile.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    return libraryFile.left(dot) + platform::sep();
}

} // namespace library
