#include "TestSupport.h"
#include "main/Library.h"
#include "platform/FileFaults.h"
#include "platform/Paths.h"

namespace {

const QString kFolder = osPath(QStringLiteral("/lib/trains/"));

// A library line from its fields, each padded to its columns.
QByteArray line(const char *label, const char *era, const char *country, const char *type, const char *ol,
                const char *olh, const char *flags, const char *cycle, const char *variations, const char *name)
{
    const auto pad = [](const char *text, int width) { return QByteArray(text).leftJustified(width, ' ', true); };
    return pad(label, 40) + pad(era, 3) + pad(country, 3) + pad(type, 2) + pad(ol, 1) + pad(olh, 2) + pad(flags, 5)
        + pad(cycle, 1) + pad(variations, 1) + QByteArray(name);
}

} // namespace

TEST(LibraryRecord, readsEveryColumn)
{
    const QByteArray l = line("BR 101 Intercity", "5-6", "FRG", "E", "Y", "58", "YLNYN", "3", "Y", "br101.bmp");
    const VehicleRecord v = library::readRecord(l, kFolder);
    EXPECT_EQ(v.Label.text(), QStringLiteral("BR 101 Intercity").leftJustified(40));
    EXPECT_EQ(v.Epoche.text(), QStringLiteral("5-6"));
    EXPECT_EQ(v.Uland.text(), QStringLiteral("FRG"));
    EXPECT_EQ(v.GT.text(), QStringLiteral("E "));
    EXPECT_EQ(v.OL.text(), QStringLiteral("J"));
    EXPECT_EQ(v.OLH, 58);
    EXPECT_EQ(v.SAR.text(), QStringLiteral("Y"));
    EXPECT_EQ(v.Richtung.text(), QStringLiteral("L"));
    EXPECT_EQ(v.Rangier.text(), QStringLiteral("N"));
    EXPECT_EQ(v.WZ.text(), QStringLiteral("Y"));
    EXPECT_EQ(v.DT.text(), QStringLiteral("N"));
    EXPECT_EQ(v.Phasenlaenge, 3);
    EXPECT_EQ(v.Variations.text(), QStringLiteral("Y"));
    EXPECT_EQ(v.Path, osPath(QStringLiteral("/lib/trains/E/br101.bmp")));
}

TEST(LibraryRecord, bitmapPathByFileName)
{
    struct Row {
        const char *type;
        const char *name;
        const char *path;
    };
    const Row rows[] = {
        {"E", "00012.bmp", "/lib/trains/consists/00012.bmp"},
        {"E", "br101.bmp", "/lib/trains/E/br101.bmp"},
        {"ET", "br420.bmp", "/lib/trains/ET/br420.bmp"},
        {"E", "00000ice.bmp", "/lib/trains/E/00000ice.bmp"},
        {"V", "12abc.bmp", "/lib/trains/consists/12abc.bmp"},
        {"V", " 0012.bmp", "/lib/trains/consists/ 0012.bmp"}, // the name is kept as written
        {"V", "00003_0.bmp", "/lib/trains/consists/00003_0.bmp"},
        {"D", "v200 .bmp ", "/lib/trains/D/v200 .bmp "},
        {"", "x.bmp", "/lib/trains//x.bmp"},
        {"D", "", "/lib/trains/D/"},
    };
    for (const Row &r : rows) {
        const VehicleRecord v = library::readRecord(line("x", "4", "I", r.type, "N", "40", "NBNNN", "0", "N", r.name), kFolder);
        EXPECT_EQ(v.Path, osPath(QString::fromLatin1(r.path))) << r.name;
    }
}

TEST(LibraryRecord, fileNameIsLatin1)
{
    const VehicleRecord v = library::readRecord(line("x", "4", "F", "D", "N", "40", "NBNNN", "0", "N", "\xE9t\xE9.bmp"), kFolder);
    EXPECT_EQ(v.Path, kFolder + QStringLiteral("D") + platform::sep() + QString::fromUtf8("\xC3\xA9t\xC3\xA9.bmp"));
}

TEST(LibraryRecord, overheadLineLetter)
{
    const struct {
        const char *file;
        const char *record;
    } rows[] = {{"Y", "J"}, {"N", "N"}, {"3", "3"}, {"y", "y"}, {"J", "J"}, {"", " "}};
    for (const auto &r : rows) {
        const VehicleRecord v = library::readRecord(line("x", "4", "I", "E", r.file, "40", "NBNNN", "0", "N", "a.bmp"), kFolder);
        EXPECT_EQ(v.OL.text(), QString::fromLatin1(r.record)) << r.file;
    }
}

TEST(LibraryRecord, numberColumns)
{
    const struct {
        const char *olh;
        const char *cycle;
        int16_t expectedOlh;
        int16_t expectedCycle;
    } rows[] = {
        {"58", "0", 58, 0}, {" 7", "9", 7, 9}, {"7 ", "5", 7, 5}, {"ab", "x", 0, 0},
        {"", "", 0, 0},     {"-4", "-", -4, 0}, {"4a", "1", 4, 1},
    };
    for (const auto &r : rows) {
        const VehicleRecord v = library::readRecord(line("x", "4", "I", "E", "Y", r.olh, "NBNNN", r.cycle, "N", "a.bmp"), kFolder);
        EXPECT_EQ(v.OLH, r.expectedOlh) << r.olh;
        EXPECT_EQ(v.Phasenlaenge, r.expectedCycle) << r.cycle;
    }
}

TEST(LibraryRecord, blankLineIsAnAllBlankVehicle)
{
    const VehicleRecord v = library::readRecord(QByteArray(), kFolder);
    EXPECT_EQ(v.Label.text(), QString(40, QLatin1Char(' ')));
    EXPECT_EQ(v.Epoche.text(), QStringLiteral("   "));
    EXPECT_EQ(v.Uland.text(), QStringLiteral("   "));
    EXPECT_EQ(v.GT.text(), QStringLiteral("  "));
    EXPECT_EQ(v.OL.text(), QStringLiteral(" "));
    EXPECT_EQ(v.OLH, 0);
    EXPECT_EQ(v.Phasenlaenge, 0);
    EXPECT_EQ(v.Variations.text(), QStringLiteral(" "));
    EXPECT_EQ(v.Path, kFolder + platform::sep());
    EXPECT_EQ(library::listLine(v), QString(51, QLatin1Char(' ')));
}

TEST(LibraryRecord, shortLinesReadMissingColumnsAsBlank)
{
    const struct {
        QByteArray text;
        const char *label;
        const char *era;
        const char *type;
        const char *ol;
        int16_t olh;
        const char *path;
    } rows[] = {
        {"Short label", "Short label", "   ", "  ", " ", 0, "/lib/trains//"},
        {line("Loco", "4", "I", "E", "Y", "", "", "", "", "").left(49), "Loco", "4  ", "E ", "J", 0, "/lib/trains/E/"},
        {line("Loco", "4", "I", "E", "N", "5", "", "", "", "").left(50), "Loco", "4  ", "E ", "N", 5, "/lib/trains/E/"},
        {line("Loco", "4-5", "I", "VT", "N", "45", "YRNN", "", "", "").left(56), "Loco", "4-5", "VT", "N", 45,
         "/lib/trains/VT/"},
        {line("Loco", "4", "I", "E", "N", "45", "YRNNN", "2", "Y", "0001").left(62), "Loco", "4  ", "E ", "N", 45,
         "/lib/trains/consists/0001"},
    };
    for (const auto &r : rows) {
        const VehicleRecord v = library::readRecord(r.text, kFolder);
        EXPECT_EQ(v.Label.text(), QString::fromLatin1(r.label).leftJustified(40)) << r.text.constData();
        EXPECT_EQ(v.Epoche.text(), QString::fromLatin1(r.era)) << r.text.constData();
        EXPECT_EQ(v.GT.text(), QString::fromLatin1(r.type)) << r.text.constData();
        EXPECT_EQ(v.OL.text(), QString::fromLatin1(r.ol)) << r.text.constData();
        EXPECT_EQ(v.OLH, r.olh) << r.text.constData();
        EXPECT_EQ(v.Path, osPath(QString::fromLatin1(r.path))) << r.text.constData();
    }
}

TEST(LibraryRecord, listLineHasEraUnderItsHeading)
{
    const VehicleRecord v = library::readRecord(line("BR 218", "4-5", "FRG", "D", "N", "40", "NBNNN", "0", "N", "a.bmp"), kFolder);
    const QString expected = QStringLiteral("BR 218").leftJustified(40) + QStringLiteral(" FRG    4-5");
    EXPECT_EQ(library::listLine(v), expected);
    ASSERT_EQ(expected.size(), 51);
    // The heading over the list: "Label", 34 blanks, "Country  Era".
    const QString heading = QStringLiteral("Label") + QString(34, QLatin1Char(' ')) + QStringLiteral("Country  Era");
    EXPECT_EQ(expected.indexOf(QStringLiteral("4-5")), heading.indexOf(QStringLiteral("Era")));
}

TEST(LibraryRecord, labelKeepsItsBytesAndLength)
{
    const VehicleRecord v = library::readRecord(line("Ae 6/6 \"Gotthard\" \xC4", "3", "CH", "E", "Y", "52", "YBNNN", "0", "N", "a.bmp"), kFolder);
    EXPECT_EQ(v.Label.bytes(), QByteArray("Ae 6/6 \"Gotthard\" \xC4").leftJustified(40));
    EXPECT_EQ(library::listLine(v).left(40), QString::fromLatin1("Ae 6/6 \"Gotthard\" \xC4").leftJustified(40));
}

TEST(LibraryPaths, libBaseFromBitmapPath)
{
    const struct {
        const char *path;
        const char *base;
    } rows[] = {
        {"/lib/trains/E/br101.bmp", "/lib/trains"},
        {"/lib/trains/consists/00012.bmp", "/lib/trains"},
        {"D:/lib/trains/E/br101.bmp", "D:/lib/trains"},
        {"/lib/trains//", "/lib/trains"},
        {"a/b/c", "a"},
        {"/x/y", ""},
        {"E/br101.bmp", ""},
        {"/br101.bmp", ""},
        {"br101.bmp", ""},
        {"", ""},
    };
    for (const auto &r : rows)
        EXPECT_EQ(library::libBaseFromPath(osPath(QString::fromLatin1(r.path))), osPath(QString::fromLatin1(r.base)))
            << r.path;
}

TEST(LibraryPaths, libFolderFromLibraryFile)
{
    const struct {
        const char *file;
        const char *folder; // nullptr: no "." in the path
    } rows[] = {
        {"D:/lib/trains.txt", "D:/lib/trains/"},
        {"D:/my.lib/trains", "D:/my/"},
        {"/home/u/lib.v2/trains.backup.txt", "/home/u/lib.v2/trains.backup/"},
        {"trains.", "trains/"},
        {".txt", "/"},
        {"/home/u/trains", nullptr},
        {"", nullptr},
    };
    for (const auto &r : rows) {
        const std::optional<QString> folder = library::libFolderFromFile(osPath(QString::fromLatin1(r.file)));
        if (!r.folder) {
            EXPECT_FALSE(folder.has_value()) << r.file;
            continue;
        }
        ASSERT_TRUE(folder.has_value()) << r.file;
        EXPECT_EQ(*folder, osPath(QString::fromLatin1(r.folder))) << r.file;
    }
}

// The library base is the bitmap folder without the trailing separator, whether the library
// has vehicles (taken from the first one's path) or none yet.
TEST(LibraryPaths, baseOfALibraryIsItsBitmapFolder)
{
    const QString folder = *library::libFolderFromFile(osPath(QStringLiteral("D:/lib/trains.txt")));
    const VehicleRecord v = library::readRecord(line("x", "4", "I", "E", "N", "40", "NBNNN", "0", "N", "br101.bmp"), folder);
    EXPECT_EQ(library::libBase({v}, folder), osPath(QStringLiteral("D:/lib/trains")));
    EXPECT_EQ(library::libBase({}, folder), osPath(QStringLiteral("D:/lib/trains")));
}

class LibraryFile : public TempDirTest {};

TEST_F(LibraryFile, readsEveryLineBlankOnesToo)
{
    const QByteArray first = line("BR 101", "5", "FRG", "E", "Y", "58", "YLNNN", "0", "N", "br101.bmp");
    const QByteArray second = line("Train", "5", "FRG", "E", "Y", "58", "YLNNN", "0", "N", "00001.bmp");
    const QString file = writeFile(QStringLiteral("trains.txt"), first + "\r\n\r\n" + second);
    QList<VehicleRecord> records;
    ASSERT_TRUE(library::readLibrary(file, kFolder, records).ok());
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].Path, osPath(QStringLiteral("/lib/trains/E/br101.bmp")));
    EXPECT_EQ(records[1].Path, kFolder + platform::sep());
    EXPECT_EQ(records[2].Path, osPath(QStringLiteral("/lib/trains/consists/00001.bmp")));
}

TEST_F(LibraryFile, failureLeavesRecordsAndNamesTheFile)
{
    const QString file = writeFile(QStringLiteral("trains.txt"), line("x", "4", "I", "E", "N", "40", "NBNNN", "0", "N", "a.bmp"));
    QList<VehicleRecord> records(2);
    records[0].Path = QStringLiteral("kept");
    platform::FileFaults::failAt(1, QStringLiteral("Disk on fire"));
    const platform::Status read = library::readLibrary(file, kFolder, records);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.path(), file);
    EXPECT_EQ(read.reason(), QStringLiteral("Disk on fire"));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].Path, QStringLiteral("kept"));

    const platform::Status missing = library::readLibrary(path(QStringLiteral("none.txt")), kFolder, records);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.path(), path(QStringLiteral("none.txt")));
    EXPECT_EQ(records.size(), 2);
}

TEST_F(LibraryFile, emptyFileHasNoRecords)
{
    const QString file = writeFile(QStringLiteral("trains.txt"), QByteArray());
    QList<VehicleRecord> records(1);
    ASSERT_TRUE(library::readLibrary(file, kFolder, records).ok());
    EXPECT_TRUE(records.isEmpty());
}
