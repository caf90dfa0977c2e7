#include "TestSupport.h"
#include "SampleLibrary.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QtEndian>

namespace {

// One library line cut at its fixed columns (counted from 1 as in the file's description).
struct Line {
    QByteArray raw;
    QByteArray col(int from, int to) const { return raw.mid(from - 1, to - from + 1); }
    QByteArray label() const { return col(1, 40); }
    QByteArray era() const { return col(41, 43); }
    QByteArray country() const { return col(44, 46); }
    QByteArray type() const { return col(47, 48); }
    char ol() const { return raw.at(48); }
    QByteArray olh() const { return col(50, 51); }
    char sar() const { return raw.at(51); }
    char direction() const { return raw.at(52); }
    char shunting() const { return raw.at(53); }
    char pushPull() const { return raw.at(54); }
    char doubleTraction() const { return raw.at(55); }
    char cycle() const { return raw.at(56); }
    char variations() const { return raw.at(57); }
    QByteArray file() const { return raw.mid(58); }
};

int bitsPerPixel(const QString &bmp)
{
    QFile f(bmp);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(30);
    return head.size() == 30 && head.startsWith("BM") ? qFromLittleEndian<quint16>(head.constData() + 28) : -1;
}

QStringList variationNames()
{
    QStringList names;
    for (const char side : {'N', 'E', 'W', 'S'})
        for (int digit = 0; digit <= 9; ++digit)
            names << QStringLiteral("%1%2").arg(QLatin1Char(side)).arg(digit);
    return names;
}

class SampleLibraryTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        QString error;
        m_library = writeSampleLibrary(path(QStringLiteral("samples")), &error);
        ASSERT_FALSE(m_library.isEmpty()) << qPrintable(error);
        QFile f(m_library);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        m_text = f.readAll();
        for (const QByteArray &l : m_text.split('\n'))
            if (!l.isEmpty())
                m_lines.push_back(Line{l.endsWith('\r') ? l.chopped(1) : l});
    }

    // The vehicle's bitmap: the library's folder, the trimmed type, the file name.
    QString bitmap(const Line &l) const
    {
        return path(QStringLiteral("samples/Library/%1/%2")
                        .arg(QString::fromLatin1(l.type().trimmed()), QString::fromLatin1(l.file())));
    }
    // Beside the bitmap: its name up to ".bmp", then the suffix.
    QString beside(const Line &l, const QString &suffix) const
    {
        const QString b = bitmap(l);
        return b.left(b.size() - 4) + suffix;
    }

    QString m_library;
    QByteArray m_text;
    std::vector<Line> m_lines;
};

} // namespace

TEST_F(SampleLibraryTest, libraryFileLiesBesideItsBitmapFolder)
{
    EXPECT_EQ(QFileInfo(m_library).absoluteFilePath(), path(QStringLiteral("samples/Library.txt")));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("samples/Library"))).isDir());
}

TEST_F(SampleLibraryTest, everyLineEndsWithCrLf)
{
    ASSERT_FALSE(m_text.isEmpty());
    EXPECT_TRUE(m_text.endsWith("\r\n"));
    EXPECT_EQ(m_text.count('\n'), m_text.count("\r\n"));
    EXPECT_EQ(qsizetype(m_lines.size()), m_text.count("\r\n"));
}

TEST_F(SampleLibraryTest, everyLineHoldsItsFixedColumns)
{
    const QSet<QByteArray> eras = {"1  ", "2  ", "3  ", "4  ", "5  ", "6  ", "1-2", "2-3", "3-4", "4-5", "5-6"};
    const QSet<QByteArray> countries = {"A  ", "B  ", "CH ", "DK ", "F  ", "FRG", "GDR", "H  ",
                                        "I  ", "JP ", "NL ", "P  ", "PL ", "SP ", "USA"};
    const QSet<QByteArray> types = {"D ", "DT", "E ", "EA", "ES", "ET", "FC", "PC", "V ", "VB", "VT", "VZ", "X "};
    const auto yesNo = [](char c) { return c == 'Y' || c == 'N'; };

    ASSERT_GE(m_lines.size(), 15u);
    for (const Line &l : m_lines) {
        SCOPED_TRACE(l.raw.constData());
        ASSERT_GT(l.raw.size(), 58);
        EXPECT_FALSE(l.label().trimmed().isEmpty());
        EXPECT_FALSE(l.label().startsWith(' '));
        EXPECT_TRUE(eras.contains(l.era()));
        EXPECT_TRUE(countries.contains(l.country()));
        EXPECT_TRUE(types.contains(l.type()));
        EXPECT_TRUE(l.ol() == 'Y' || l.ol() == 'N' || l.ol() == '3');
        ASSERT_EQ(l.olh().size(), 2);
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(l.olh().at(0))));
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(l.olh().at(1))));
        EXPECT_GE(l.olh().toInt(), 40);
        EXPECT_LE(l.olh().toInt(), 90);
        EXPECT_TRUE(yesNo(l.sar()));
        EXPECT_TRUE(l.direction() == 'L' || l.direction() == 'R' || l.direction() == 'B');
        EXPECT_TRUE(yesNo(l.shunting()));
        EXPECT_TRUE(yesNo(l.pushPull()));
        EXPECT_TRUE(yesNo(l.doubleTraction()));
        EXPECT_TRUE(l.cycle() >= '0' && l.cycle() <= '9');
        EXPECT_TRUE(yesNo(l.variations()));
        EXPECT_TRUE(l.file().endsWith(".bmp"));
        // No vehicle reads as a train of the consists folder: its name does not start with a number.
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(l.file().at(0))));
    }
}

TEST_F(SampleLibraryTest, vehiclesAreVaried)
{
    QSet<QByteArray> types, countries, eras;
    QSet<char> overheadLines, directions;
    for (const Line &l : m_lines) {
        types << l.type().trimmed();
        countries << l.country();
        eras << l.era();
        overheadLines << l.ol();
        directions << l.direction();
    }
    for (const char *t : {"E", "D", "V", "PC", "FC"})
        EXPECT_TRUE(types.contains(t)) << t;
    EXPECT_TRUE(types.contains("VT") || types.contains("ET"));
    EXPECT_GE(countries.size(), 5);
    EXPECT_GE(eras.size(), 4);
    EXPECT_EQ(overheadLines, (QSet<char>{'Y', 'N', '3'}));
    EXPECT_EQ(directions, (QSet<char>{'L', 'R', 'B'}));
}

TEST_F(SampleLibraryTest, everyBitmapExistsAs24BitFiftyEightHigh)
{
    for (const Line &l : m_lines) {
        const QString bmp = bitmap(l);
        SCOPED_TRACE(qPrintable(bmp));
        const QImage img(bmp);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.height(), 58);
        EXPECT_GE(img.width(), 60);
        EXPECT_LE(img.width(), 140);
        EXPECT_EQ(bitsPerPixel(bmp), 24);
        // Drawn on black, with the wheels on the bottom row.
        EXPECT_EQ(img.pixel(img.width() / 2, 0), qRgb(0, 0, 0));
        bool onRail = false;
        for (int x = 0; x < img.width() && !onRail; ++x)
            onRail = img.pixel(x, 57) != qRgb(0, 0, 0);
        EXPECT_TRUE(onRail);
    }
}

TEST_F(SampleLibraryTest, variationOverlaysLieBesideTheirVehicleAndFitIt)
{
    const QStringList names = variationNames();
    int withOverlays = 0;
    bool northZeroAndSouthNineOnly = false;
    for (const Line &l : m_lines) {
        SCOPED_TRACE(l.raw.constData());
        QStringList present;
        for (const QString &n : names)
            if (QFileInfo::exists(beside(l, QLatin1Char('_') + n + QStringLiteral(".bmp"))))
                present << n;
        if (l.variations() == 'N') {
            EXPECT_TRUE(present.isEmpty());
            continue;
        }
        EXPECT_FALSE(present.isEmpty());
        ++withOverlays;
        northZeroAndSouthNineOnly |= present == QStringList{QStringLiteral("N0"), QStringLiteral("S9")};
        const QImage vehicle(bitmap(l));
        for (const QString &n : present) {
            const QString file = beside(l, QLatin1Char('_') + n + QStringLiteral(".bmp"));
            const QImage overlay(file);
            ASSERT_FALSE(overlay.isNull()) << qPrintable(file);
            EXPECT_EQ(bitsPerPixel(file), 24);
            EXPECT_LE(overlay.width(), vehicle.width());
            EXPECT_LE(overlay.height(), vehicle.height());
            EXPECT_NE(overlay, vehicle.copy(QRect(QPoint(0, 0), overlay.size())));
        }
    }
    EXPECT_GE(withOverlays, 3);
    EXPECT_TRUE(northZeroAndSouthNineOnly);
}

TEST_F(SampleLibraryTest, animatedVehicleHasFourFramesOfOneSize)
{
    const auto animated = std::find_if(m_lines.begin(), m_lines.end(), [](const Line &l) { return l.cycle() > '0'; });
    ASSERT_NE(animated, m_lines.end());
    ASSERT_TRUE(animated->file().endsWith("_0.bmp"));
    const QImage first(bitmap(*animated));
    ASSERT_FALSE(first.isNull());
    for (int frame = 1; frame <= 3; ++frame) {
        const QString file = beside(*animated, QString()).chopped(1) + QString::number(frame) + QStringLiteral(".bmp");
        const QImage img(file);
        ASSERT_FALSE(img.isNull()) << qPrintable(file);
        EXPECT_EQ(img.size(), first.size());
        EXPECT_NE(img, first) << "frame " << frame << " shows the wheels as frame 0 does";
    }
}

TEST_F(SampleLibraryTest, pantographVehicleHasItsRaisedPantographPicture)
{
    const auto electric = std::find_if(m_lines.begin(), m_lines.end(), [](const Line &l) { return l.sar() == 'Y'; });
    ASSERT_NE(electric, m_lines.end());
    EXPECT_EQ(electric->ol(), 'Y');
    const QImage vehicle(bitmap(*electric));
    const QString file = beside(*electric, QStringLiteral("_SAR.bmp"));
    const QImage pantograph(file);
    ASSERT_FALSE(pantograph.isNull()) << qPrintable(file);
    EXPECT_EQ(bitsPerPixel(file), 24);
    // A small picture for the top of the vehicle, showing something the plain bitmap has not.
    EXPECT_LE(pantograph.width(), vehicle.width());
    EXPECT_LT(pantograph.height(), vehicle.height() / 2);
    EXPECT_NE(pantograph, vehicle.copy(QRect(QPoint(0, 0), pantograph.size())));
}

TEST_F(SampleLibraryTest, consistsFolderIsThereAndEmpty)
{
    const QDir consists(path(QStringLiteral("samples/Library/consists")));
    ASSERT_TRUE(consists.exists());
    EXPECT_TRUE(consists.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST_F(SampleLibraryTest, folderThatCannotBeMadeIsReportedWithItsName)
{
    writeFile(QStringLiteral("blocked"), "a file where the folder should go");
    QString error;
    EXPECT_TRUE(writeSampleLibrary(path(QStringLiteral("blocked/inner")), &error).isEmpty());
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path(QStringLiteral("blocked")))));
}

TEST_F(SampleLibraryTest, generatorProgramWritesTheLibraryOrSaysWhyNot)
{
    const QString program = buildDir() + QStringLiteral("/brenvik_samplegen");
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "brenvik_samplegen is not built";

    QProcess ok;
    ok.start(program, {path(QStringLiteral("made"))});
    ASSERT_TRUE(ok.waitForFinished(60000));
    EXPECT_EQ(ok.exitCode(), 0);
    EXPECT_EQ(readFile(path(QStringLiteral("made/Library.txt"))), m_text);

    writeFile(QStringLiteral("taken"), "x");
    QProcess bad;
    bad.start(program, {path(QStringLiteral("taken/sub"))});
    ASSERT_TRUE(bad.waitForFinished(60000));
    EXPECT_EQ(bad.exitCode(), 1);
    EXPECT_TRUE(bad.readAllStandardError().contains("taken"));
}
