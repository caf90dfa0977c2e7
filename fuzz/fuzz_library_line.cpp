// Any bytes as one library line and as a whole library file: every record must follow the
// fixed columns, every list line must be 51 characters, every entry must give its bitmap path
// back, and reading the file from disk must give the same records as splitting it in memory.
#include "FuzzSupport.h"
#include "main/ConsistRules.h"
#include "main/Library.h"
#include "main/Variations.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"
#include "shared/EntryLine.h"
#include <QFile>
#include <cstdint>

namespace {

const QString kFolder = QStringLiteral("/lib/trains/");

// Whatever the line holds of columns first..last (from 1).
QByteArrayView raw(QByteArrayView line, qsizetype first, qsizetype last)
{
    return line.size() >= first ? line.sliced(first - 1, std::min(last, line.size()) - first + 1) : QByteArrayView();
}

// The same columns padded with blanks to their width.
QByteArray field(QByteArrayView line, qsizetype first, qsizetype last)
{
    return raw(line, first, last).toByteArray().leftJustified(last - first + 1, ' ');
}

int16_t number(QByteArrayView text)
{
    const std::optional<int16_t> v = platform::toInt16(platform::leadingNumber(text));
    FUZZ_CHECK(v.has_value()); // one or two columns always fit
    return *v;
}

void checkRecord(QByteArrayView line, const VehicleRecord &v)
{
    FUZZ_CHECK(v.Label.bytes() == field(line, 1, 40));
    FUZZ_CHECK(v.Epoche.bytes() == field(line, 41, 43));
    FUZZ_CHECK(v.Uland.bytes() == field(line, 44, 46));
    FUZZ_CHECK(v.GT.bytes() == field(line, 47, 48));
    const QByteArray ol = field(line, 49, 49);
    FUZZ_CHECK(v.OL.bytes() == (ol == "Y" ? QByteArray("J") : ol));
    FUZZ_CHECK(v.OLH == number(raw(line, 50, 51)));
    FUZZ_CHECK(v.SAR.bytes() == field(line, 52, 52));
    FUZZ_CHECK(v.Richtung.bytes() == field(line, 53, 53));
    FUZZ_CHECK(v.Rangier.bytes() == field(line, 54, 54));
    FUZZ_CHECK(v.WZ.bytes() == field(line, 55, 55));
    FUZZ_CHECK(v.DT.bytes() == field(line, 56, 56));
    FUZZ_CHECK(v.Phasenlaenge == number(raw(line, 57, 57)));
    FUZZ_CHECK(v.Variations.bytes() == field(line, 58, 58));

    const QByteArrayView name = raw(line, 59, line.size());
    const bool train = platform::leadingNumber(raw(line, 59, 63)) > 0;
    const QString sub = train ? QStringLiteral("consists") : QString::fromLatin1(platform::trimBlanks(v.GT.bytes()));
    FUZZ_CHECK(v.Path == kFolder + sub + platform::sep() + QString::fromLatin1(name));

    // What the rest of the program makes of a vehicle: its entry, its overlays, its kind.
    const QString entry = entryline::buildEntry(entryline::entryValuesFor(v));
    FUZZ_CHECK(entry.startsWith(QStringLiteral("{LocoStart}FILE=")) && entry.endsWith(QStringLiteral("{LocoEnd}")));
    if (!v.Path.contains(u';'))
        FUZZ_CHECK(entryline::entryFileValue(entry) == v.Path);
    if (const std::optional<QString> base = variations::basePath(v.Path)) {
        FUZZ_CHECK(v.Path.startsWith(*base));
        FUZZ_CHECK(v.Path.mid(base->size(), 4).compare(QStringLiteral(".bmp"), Qt::CaseInsensitive) == 0);
    }
    const std::optional<QString> kind = consist::specialKind(v);
    FUZZ_CHECK(kind == (v.SAR.is("Y") ? std::optional<QString>(QStringLiteral("S"))
                         : v.Phasenlaenge > 0 ? std::optional<QString>(QStringLiteral("P"))
                                              : std::nullopt));

    const QString shown = library::listLine(v);
    FUZZ_CHECK(shown.size() == 51);
    FUZZ_CHECK(shown == v.Label.text() + u' ' + v.Uland.text() + QStringLiteral("    ") + v.Epoche.text());
}

bool sameRecord(const VehicleRecord &a, const VehicleRecord &b)
{
    return a.Label == b.Label && a.Epoche == b.Epoche && a.Uland == b.Uland && a.GT == b.GT && a.OL == b.OL
        && a.OLH == b.OLH && a.SAR == b.SAR && a.Richtung == b.Richtung && a.Rangier == b.Rangier && a.WZ == b.WZ
        && a.DT == b.DT && a.Phasenlaenge == b.Phasenlaenge && a.Variations == b.Variations && a.Path == b.Path;
}

void checkLines(const QByteArray &data, const QList<QByteArray> &lines)
{
    // Each LF ends a line; text after the last one is a line of its own.
    const qsizetype expected = data.count('\n') + (data.isEmpty() || data.endsWith('\n') ? 0 : 1);
    FUZZ_CHECK(lines.size() == expected);
    for (const QByteArray &line : lines)
        FUZZ_CHECK(!line.contains('\n'));
    // Written back with CR LF and read again, the lines are the same.
    FUZZ_CHECK(platform::splitLines(platform::joinLines(lines)) == lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray data = fuzzBytes(bytes, size);

    // The whole input as one line.
    checkRecord(data, library::readRecord(data, kFolder));

    // The whole input as a library file.
    const QList<QByteArray> lines = platform::splitLines(data);
    checkLines(data, lines);
    QList<VehicleRecord> split;
    for (const QByteArray &line : lines) {
        split.append(library::readRecord(line, kFolder));
        checkRecord(line, split.last());
    }

    // Read from disk, the same file gives the same records.
    const QString path = fuzzTempFile(QStringLiteral("library.txt"));
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(data) == data.size());
    }
    QList<VehicleRecord> read;
    const platform::Status st = library::readLibrary(path, kFolder, read);
    FUZZ_CHECK(st.ok());
    FUZZ_CHECK(read.size() == split.size());
    for (qsizetype i = 0; i < read.size(); ++i)
        FUZZ_CHECK(sameRecord(read[i], split[i]));

    if (!read.isEmpty()) {
        const QString base = library::libBaseFromPath(read.first().Path);
        FUZZ_CHECK(read.first().Path.startsWith(base));
    }
    // Any text as a chosen library file name.
    const std::optional<QString> folder = library::libFolderFromFile(QString::fromLatin1(data));
    const qsizetype dot = data.lastIndexOf('.');
    FUZZ_CHECK(folder.has_value() == (dot >= 0));
    if (folder)
        FUZZ_CHECK(*folder == QString::fromLatin1(data.left(dot)) + platform::sep());
    return 0;
}
