#include "add_consist/AddPresets.h"
#include "platform/Runtime.h"
#include <string_view>

namespace addconsist {

const QStringList &typeItems()
{
    static const QStringList items = {
        QStringLiteral("D  - Steam Locomotive"),
        QStringLiteral("DT - Steam Railcar"),
        QStringLiteral("E  - Electrical Locomotive"),
        QStringLiteral("EA - Accumulator Car"),
        QStringLiteral("ES - Tramway"),
        QStringLiteral("ET - Electrical Multiple Unit"),
        QStringLiteral("FC - Freight Car"),
        QStringLiteral("PC - Passenger Car"),
        QStringLiteral("V  - Diesel Locomotive"),
        QStringLiteral("VB - Bus"),
        QStringLiteral("VT - Diesel Multiple Unit"),
        QStringLiteral("VZ - Amphibious Vehicle"),
        QStringLiteral("X  - Special Vehicle and Other"),
    };
    return items;
}

const QStringList &countryItems()
{
    static const QStringList items = {
        QStringLiteral("A   - Austria"),
        QStringLiteral("B   - Belgium"),
        QStringLiteral("CH  - Switzerland"),
        QStringLiteral("DK  - Denmark"),
        QStringLiteral("F   - France"),
        QStringLiteral("FRG - Germany"),
        QStringLiteral("GDR - Germany (ex DDR)"),
        QStringLiteral("H   - Hungary"),
        QStringLiteral("I   - Italy"),
        QStringLiteral("JP  - Japan"),
        QStringLiteral("NL  - Netherlands"),
        QStringLiteral("P   - Portugal"),
        QStringLiteral("PL  - Poland"),
        QStringLiteral("SP  - Spain"),
        QStringLiteral("USA - United States Of America"),
    };
    return items;
}

namespace {

int codeIndex(const QStringList &items, int width, QByteArrayView code)
{
    const QString wanted = QString::fromLatin1(code);
    for (int i = 0; i < items.size(); ++i) {
        if (platform::trimBlanks(QStringView(items[i]).left(width)) == wanted)
            return i;
    }
    return -1;
}

// Position of `c` among `letters`, or -1.
int letterIndex(char c, std::string_view letters)
{
    const auto at = letters.find(c);
    return at == std::string_view::npos ? -1 : int(at);
}

// The era boxes (1 to 6) that an Epoche ticks, in the order they are ticked. Characters 1
// and 3 of the stored field are read while within the trimmed length; one that is not a
// digit 1 to 6 names no box and is left out.
QList<int> eraBoxes(const FixedText<3> &epoche)
{
    const qsizetype length = platform::trimBlanks(QByteArrayView(epoche.c.data(), 3)).size();
    QList<int> boxes;
    for (qsizetype i = 1; i <= length; i += 2) {
        const char c = epoche.c[size_t(i - 1)];
        if (c >= '1' && c <= '6')
            boxes.append(c - '0');
    }
    return boxes;
}

} // namespace

int typeIndex(QByteArrayView code) { return codeIndex(typeItems(), kTypeCodeWidth, code); }
int countryIndex(QByteArrayView code) { return codeIndex(countryItems(), kCountryCodeWidth, code); }

Presets presetsFor(const VehicleRecord &r)
{
    Presets p;
    p.label = QString::fromLatin1(platform::trimBlanks(r.Label.bytes()));
    p.eras = eraBoxes(r.Epoche);
    p.country = countryIndex(platform::trimBlanks(r.Uland.bytes()));
    p.type = typeIndex(platform::trimBlanks(r.GT.bytes()));
    p.overheadLine = letterIndex(r.OL.first(), "JN3");
    p.pixels = QString::number(r.OLH);
    p.pantograph = r.SAR.first() == 'Y' ? 0 : 1;
    p.direction = letterIndex(r.Richtung.first(), "LRB");
    p.switching = letterIndex(r.Rangier.first(), "YN");
    p.pushPull = letterIndex(r.WZ.first(), "YN");
    p.doubleTraction = letterIndex(r.DT.first(), "YN");
    p.cycle = QString::number(r.Phasenlaenge);
    return p;
}

} // namespace addconsist
