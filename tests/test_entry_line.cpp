#include "TestSupport.h"
#include "shared/EntryLine.h"
#include "shared/mc_Brenvik.h"
#include <functional>

using entryline::buildEntry;
using entryline::entryFileValue;
using entryline::entryValuesFor;
using entryline::EntryValues;

namespace {

// A vehicle with no optional part at all: no overhead-line letter, direction both, nothing ticked.
VehicleRecord plainVehicle()
{
    return vehicleRecord("E 44", "3", "FRG", "E", " ", 50, QStringLiteral("/rail/mylib/E/e44.bmp"));
}

const QString kHead = QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=E 44;GT=E;EPOCHE=3;ULAND=FRG;");
const QString kEnd = QStringLiteral("ZG=63;SELECTED=1;{LocoEnd}");
const QString kEnd3 = QStringLiteral("ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}");

struct VehicleRow {
    const char *name;
    std::function<void(VehicleRecord &)> change;
    QString middle; // the optional parts between ULAND and the ending
    QString ending;
};

} // namespace

TEST(EntryLine, workedExampleComesOutByteForByte)
{
    // The plain vehicle plus the worked example's overhead line, pantograph and direction.
    VehicleRecord r = plainVehicle();
    r.OL.set("J");
    r.SAR.set("Y");
    r.Richtung.set("R");
    r.Path = QStringLiteral("C:\\Rail\\mylib\\E\\e44.bmp");

    EXPECT_EQ(buildEntry(entryValuesFor(r)),
              QStringLiteral("{LocoStart}FILE=C:\\Rail\\mylib\\E\\e44.bmp;LABEL=E 44;GT=E;EPOCHE=3;ULAND=FRG;"
                             "OL=J;OLH=8;SAR=J;RICHTUNG=R;ZG=63;SELECTED=1;{LocoEnd}"));
}

TEST(EntryLine, vehicleFieldsGiveTheirPartsExactlyAndCaseSensitively)
{
    const QList<VehicleRow> rows = {
        {"nothing optional", [](VehicleRecord &) {}, QString(), kEnd},
        {"OL J height 50", [](VehicleRecord &r) { r.OL.set("J"); r.OLH = 50; }, QStringLiteral("OL=J;OLH=8;"), kEnd},
        {"OL J height 58", [](VehicleRecord &r) { r.OL.set("J"); r.OLH = 58; }, QStringLiteral("OL=J;"), kEnd},
        {"OL J height 60", [](VehicleRecord &r) { r.OL.set("J"); r.OLH = 60; }, QStringLiteral("OL=J;OLH=-2;"), kEnd},
        {"OL J height 0", [](VehicleRecord &r) { r.OL.set("J"); r.OLH = 0; }, QStringLiteral("OL=J;OLH=58;"), kEnd},
        {"OL J height 90", [](VehicleRecord &r) { r.OL.set("J"); r.OLH = 90; }, QStringLiteral("OL=J;OLH=-32;"), kEnd},
        {"OL N", [](VehicleRecord &r) { r.OL.set("N"); r.OLH = 58; }, QStringLiteral("OL=N;"), kEnd},
        {"OL 3", [](VehicleRecord &r) { r.OL.set("3"); }, QStringLiteral("OL=N;"), kEnd3},
        {"OL blank", [](VehicleRecord &r) { r.OL.set(" "); }, QString(), kEnd},
        {"OL lower-case j", [](VehicleRecord &r) { r.OL.set("j"); }, QString(), kEnd},
        {"OL Y is not the record's yes", [](VehicleRecord &r) { r.OL.set("Y"); }, QString(), kEnd},
        {"SAR Y", [](VehicleRecord &r) { r.SAR.set("Y"); }, QStringLiteral("SAR=J;"), kEnd},
        {"SAR lower-case y", [](VehicleRecord &r) { r.SAR.set("y"); }, QString(), kEnd},
        {"Richtung L", [](VehicleRecord &r) { r.Richtung.set("L"); }, QStringLiteral("RICHTUNG=L;"), kEnd},
        {"Richtung R", [](VehicleRecord &r) { r.Richtung.set("R"); }, QStringLiteral("RICHTUNG=R;"), kEnd},
        {"Richtung lower-case l", [](VehicleRecord &r) { r.Richtung.set("l"); }, QString(), kEnd},
        {"Richtung blank", [](VehicleRecord &r) { r.Richtung.set(" "); }, QString(), kEnd},
        {"Rangier Y", [](VehicleRecord &r) { r.Rangier.set("Y"); }, QStringLiteral("RANGIER=J;"), kEnd},
        {"Rangier y", [](VehicleRecord &r) { r.Rangier.set("y"); }, QString(), kEnd},
        {"WZ Y", [](VehicleRecord &r) { r.WZ.set("Y"); }, QStringLiteral("WZ=J;"), kEnd},
        {"WZ y", [](VehicleRecord &r) { r.WZ.set("y"); }, QString(), kEnd},
        {"DT Y", [](VehicleRecord &r) { r.DT.set("Y"); }, QStringLiteral("DT=J;"), kEnd},
        {"DT y", [](VehicleRecord &r) { r.DT.set("y"); }, QString(), kEnd},
        {"cycle 7", [](VehicleRecord &r) { r.Phasenlaenge = 7; }, QStringLiteral("PHASENLAENGE=7;"), kEnd},
        {"cycle 12", [](VehicleRecord &r) { r.Phasenlaenge = 12; }, QStringLiteral("PHASENLAENGE=12;"), kEnd},
        {"negative cycle", [](VehicleRecord &r) { r.Phasenlaenge = -3; }, QString(), kEnd},
        {"variations play no part", [](VehicleRecord &r) { r.Variations.set("Y"); }, QString(), kEnd},
        {"every part, in order",
         [](VehicleRecord &r) {
             r.OL.set("J");
             r.OLH = 40;
             r.SAR.set("Y");
             r.Richtung.set("L");
             r.Rangier.set("Y");
             r.WZ.set("Y");
             r.DT.set("Y");
             r.Phasenlaenge = 5;
         },
         QStringLiteral("OL=J;OLH=18;SAR=J;RICHTUNG=L;RANGIER=J;WZ=J;DT=J;PHASENLAENGE=5;"), kEnd},
        {"three-rail with every part",
         [](VehicleRecord &r) {
             r.OL.set("3");
             r.SAR.set("Y");
             r.Richtung.set("R");
             r.DT.set("Y");
             r.Phasenlaenge = 2;
         },
         QStringLiteral("OL=N;SAR=J;RICHTUNG=R;DT=J;PHASENLAENGE=2;"), kEnd3},
    };
    for (const VehicleRow &row : rows) {
        VehicleRecord r = plainVehicle();
        row.change(r);
        EXPECT_EQ(buildEntry(entryValuesFor(r)), kHead + row.middle + row.ending) << row.name;
    }
}

TEST(EntryLine, textFieldsLoseTheirBlanks)
{
    struct Row {
        const char *name;
        std::function<void(VehicleRecord &)> change;
        QString head;
    };
    const QList<Row> rows = {
        {"label all blanks", [](VehicleRecord &r) { r.Label.set(""); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=;GT=E;EPOCHE=3;ULAND=FRG;")},
        {"label with leading blanks", [](VehicleRecord &r) { r.Label.set("  BR 01 Nord"); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=BR 01 Nord;GT=E;EPOCHE=3;ULAND=FRG;")},
        {"label of 40 characters", [](VehicleRecord &r) { r.Label.set(QByteArray(40, 'x')); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=") + QString(40, u'x') +
             QStringLiteral(";GT=E;EPOCHE=3;ULAND=FRG;")},
        {"one-digit era with its two blanks", [](VehicleRecord &r) { r.Epoche.set("4  "); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=E 44;GT=E;EPOCHE=4;ULAND=FRG;")},
        {"two eras", [](VehicleRecord &r) { r.Epoche.set("3-4"); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=E 44;GT=E;EPOCHE=3-4;ULAND=FRG;")},
        {"two-letter type, one-letter country", [](VehicleRecord &r) { r.GT.set("ET"); r.Uland.set("A"); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=E 44;GT=ET;EPOCHE=3;ULAND=A;")},
        {"Latin-1 label", [](VehicleRecord &r) { r.Label.set(QByteArray("Z\xfcrich")); },
         QStringLiteral("{LocoStart}FILE=/rail/mylib/E/e44.bmp;LABEL=Z\u00fcrich;GT=E;EPOCHE=3;ULAND=FRG;")},
        {"path kept exactly, blanks too", [](VehicleRecord &r) { r.Path = QStringLiteral(" /a b/E/x.bmp"); },
         QStringLiteral("{LocoStart}FILE= /a b/E/x.bmp;LABEL=E 44;GT=E;EPOCHE=3;ULAND=FRG;")},
    };
    for (const Row &row : rows) {
        VehicleRecord r = plainVehicle();
        row.change(r);
        EXPECT_EQ(buildEntry(entryValuesFor(r)), row.head + kEnd) << row.name;
    }
}

TEST(EntryLine, trainValuesWriteTheCycleAsTyped)
{
    EntryValues v;
    v.file = QStringLiteral("/lib/consists/00003_0.bmp");
    v.label = QStringLiteral("My train");
    v.gt = QStringLiteral("ET");
    v.epoche = QStringLiteral("3-5");
    v.uland = QStringLiteral("CH");
    v.ol = u'3';
    v.height = 58;
    v.richtung = u'B';
    v.cycle = 7;
    v.cycleText = QStringLiteral("07");
    EXPECT_EQ(buildEntry(v), QStringLiteral("{LocoStart}FILE=/lib/consists/00003_0.bmp;LABEL=My train;GT=ET;"
                                            "EPOCHE=3-5;ULAND=CH;OL=N;PHASENLAENGE=07;"
                                            "ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}"));
    v.cycle = 0;
    EXPECT_FALSE(buildEntry(v).contains(QStringLiteral("PHASENLAENGE"))) << "the text counts only above 0";
}

TEST(EntryLine, fileValueIsCutFromCharacter17ToTheFirstSemicolon)
{
    VehicleRecord withSemicolon = plainVehicle();
    withSemicolon.Path = QStringLiteral("/rail/a;b/E/e44.bmp");
    const struct {
        QString entry;
        QString file;
    } rows[] = {
        {buildEntry(entryValuesFor(plainVehicle())), QStringLiteral("/rail/mylib/E/e44.bmp")},
        {buildEntry(entryValuesFor(withSemicolon)), QStringLiteral("/rail/a")},
        {QStringLiteral("{LocoStart}FILE=/lib/consists/00001.bmp;"), QStringLiteral("/lib/consists/00001.bmp")},
        {QStringLiteral("{LocoStart}FILE=;LABEL=x;"), QString()},
        {QStringLiteral("{LocoStart}FILE=/no/semicolon"), QStringLiteral("/no/semicolon")},
        {QStringLiteral("{LocoStart}FILE="), QString()},
        {QStringLiteral("short"), QString()},
        {QString(), QString()},
        {QStringLiteral("a;bcdefghijklmnopqrstuvwxyz;"), QString()},
    };
    for (const auto &row : rows)
        EXPECT_EQ(entryFileValue(row.entry), row.file) << qPrintable(row.entry);
}

TEST(EntryLine, aValueThatNoSingleByteLineCanHoldIsNamedWithItsFault)
{
    const struct {
        QString text;
        QString why; // empty: the value can be written
    } rows[] = {
        {QStringLiteral("Z\u00fcrich \u00e9\u00df"), QString()},
        {QStringLiteral("Zug \u03a9"), QStringLiteral("The library and USER_BMP.INI cannot hold the character "
                                                       "\"\u03a9\" of LABEL \"Zug \u03a9\"!")},
        {QStringLiteral("Zug \U0001F682"), QStringLiteral("The library and USER_BMP.INI cannot hold the character "
                                                           "\"\U0001F682\" of LABEL \"Zug \U0001F682\"!")},
        {QStringLiteral("one\ntwo"), QStringLiteral("LABEL must be one line: it holds a line break!")},
        {QStringLiteral("one\rtwo \u03a9"), QStringLiteral("LABEL must be one line: it holds a line break!")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(entryline::unwritableText(QStringLiteral("LABEL"), row.text).value_or(Refusal{}).text, row.why)
            << qPrintable(row.text);

    // A vehicle's entry names its first value that cannot be written, the path first.
    VehicleRecord v = plainVehicle();
    v.Label.set("a\rb");
    v.Path = QStringLiteral("/rail/\u041f\u043e\u0435\u0437\u0434/E/e44.bmp");
    EXPECT_TRUE(
        entryline::unwritableEntry(entryValuesFor(v)).value_or(Refusal{}).text.contains(QStringLiteral("of FILE")));
    v.Path = QStringLiteral("/rail/mylib/E/e44.bmp");
    EXPECT_EQ(entryline::unwritableEntry(entryValuesFor(v)),
              Refusal{QStringLiteral("LABEL must be one line: it holds a line break!")});
}
