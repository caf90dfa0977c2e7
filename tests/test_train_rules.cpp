#include "TestSupport.h"
#include "add_consist/PictureSteps.h"
#include "add_consist/TrainChecks.h"
#include "add_consist/TrainRules.h"
#include "platform/FileFaults.h"
#include "platform/Surface.h"
#include <QDir>
#include <QFile>
#include <QSet>
#include <functional>

using namespace trainrules;
using Focus = Refusal::Focus;
using Action = PictureStep::Action;

namespace {

PictureStep save(const QString &path)
{
    return {Action::Save, path, 0, false, QString()};
}

PictureStep draw(const QString &path, int x, bool standing)
{
    return {Action::Draw, path, x, standing, QString()};
}

PictureStep reload(const QString &path)
{
    return {Action::Reload, path, 0, false, QString()};
}

SpecialItem special(int x, const char *path, const char *kind)
{
    SpecialItem s;
    s.XPos = x;
    s.Path = osPath(path);
    s.Kind = QString::fromLatin1(kind);
    return s;
}

} // namespace

// --- Numbering -----------------------------------------------------------------------------------

TEST(TrainNumbering, oneAboveTheLargestNumberInTheFirstFiveCharacters)
{
    const struct {
        QStringList names;
        std::optional<int32_t> number;
    } rows[] = {
        {{}, 1},
        {{"00007.bmp", "00012_3.bmp", "00012_SAR.bmp", "readme.bmp"}, 13},
        {{"00012_3.bmp", "00007.bmp"}, 13},
        {{"abc.bmp", "_0001.bmp"}, 1},
        {{"00000.bmp"}, 1},
        {{"00001_0.bmp", "00001_1.bmp", "00001_2.bmp", "00001_3.bmp"}, 2},
        {{"123456.bmp"}, 12346},
        {{"12.bmp"}, 13},
        {{"2.5ab.bmp"}, 3},
        {{"3.5ab.bmp"}, 5},
        {{"-0005.bmp", "00002.bmp"}, 3},
        {{"99998.bmp"}, 99999},
        {{"99999.bmp"}, std::nullopt},
        {{"00001.bmp", "99999_SAR.bmp"}, std::nullopt},
        {{"1E9ab.bmp"}, std::nullopt},
    };
    for (const auto &row : rows)
        EXPECT_EQ(nextConsistNumber(row.names), row.number) << qPrintable(row.names.join(u' '));
}

class TrainFilesTest : public TempDirTest {};

TEST_F(TrainFilesTest, numberConsistListsTheConsistsFolder)
{
    // Copied from Windows, the folder may be named in another case.
    const QString lib = makeDir(QStringLiteral("Library"));
    const QString consists = makeDir(QStringLiteral("Library/Consists"));
    ASSERT_EQ(consistsFolder(lib), consists);
    int32_t number = 0;
    ASSERT_TRUE(numberConsist(consists, number).ok());
    EXPECT_EQ(number, 1);

    writeFile(QStringLiteral("Library/Consists/00007.bmp"), "BM");
    writeFile(QStringLiteral("Library/Consists/00012_3.BMP"), "BM");
    writeFile(QStringLiteral("Library/Consists/00012_SAR.bmp"), "BM");
    writeFile(QStringLiteral("Library/Consists/00040.txt"), "not a bitmap");
    ASSERT_TRUE(numberConsist(consists, number).ok());
    EXPECT_EQ(number, 13);
}

TEST_F(TrainFilesTest, numberConsistRefusesWhenNoNumberIsLeft)
{
    const QString lib = makeDir(QStringLiteral("Library"));
    writeFile(QStringLiteral("Library/consists/99999.bmp"), "BM");
    int32_t number = 7;
    const platform::Status status = numberConsist(consistsFolder(lib), number);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.path(), consistsFolder(lib));
    EXPECT_EQ(number, 7);
}

TEST_F(TrainFilesTest, numberConsistFailsNamingAMissingFolder)
{
    const QString lib = makeDir(QStringLiteral("Library"));
    int32_t number = 0;
    const platform::Status status = numberConsist(consistsFolder(lib), number);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.path(), lib + QStringLiteral("/consists")) << "named as the library names it";
}

// --- File names ------------------------------------------------------------------------------------

TEST(TrainNames, stemAndTheTrainsOwnFiles)
{
    EXPECT_EQ(consistStem(osPath("/rail/lib/consists"), 7), osPath("/rail/lib/consists/00007"));
    EXPECT_EQ(consistStem(osPath("/rail/lib/consists"), 99999), osPath("/rail/lib/consists/99999"));
    EXPECT_EQ(plainPicturePath(osPath("/rail/lib/consists/00007")), osPath("/rail/lib/consists/00007.bmp"));
    EXPECT_EQ(framePath(osPath("/rail/lib/consists/00007"), 3), osPath("/rail/lib/consists/00007_3.bmp"));
}

TEST(TrainNames, vehicleFramesAndPantographPictures)
{
    const struct {
        const char *path;
        std::optional<QString> frame2;
        std::optional<QString> pantograph;
    } rows[] = {
        {"/lib/D/br01_0.bmp", osPath("/lib/D/br01_2.bmp"), osPath("/lib/D/br01_0_SAR.bmp")},
        {"/lib/D/BR01_0.BMP", osPath("/lib/D/BR01_2.bmp"), osPath("/lib/D/BR01_0_SAR.bmp")},
        {"/lib/E/e44.Bmp", osPath("/lib/E/e_2.bmp"), osPath("/lib/E/e44_SAR.bmp")},
        {"/lib/E/e44.bmp.bak.bmp", osPath("/lib/E/e_2.bmp"), osPath("/lib/E/e44_SAR.bmp")},
        {"/lib/E/x.bmp", osPath("/lib/E/_2.bmp"), osPath("/lib/E/x_SAR.bmp")},
        {"/lib/E/e44", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        // A folder whose name holds ".bmp" does not count: only the file name is searched.
        {"/pics.bmp/lib/E/e44_0.bmp", osPath("/pics.bmp/lib/E/e44_2.bmp"), osPath("/pics.bmp/lib/E/e44_0_SAR.bmp")},
        {"/pics.bmp/lib/E/e44", std::nullopt, std::nullopt},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(vehicleFramePath(osPath(row.path), 2), row.frame2) << row.path;
        EXPECT_EQ(pantographPath(osPath(row.path)), row.pantograph) << row.path;
    }
}

TEST(TrainNames, bareFileNameLeavesEveryFolderOut)
{
    EXPECT_EQ(consistFileName(osPath("/lib/consists/00003.bmp")), QStringLiteral("00003.bmp"));
    EXPECT_EQ(consistFileName(osPath("/lib/Consists/00003_0.bmp")), QStringLiteral("00003_0.bmp"));
    EXPECT_EQ(consistFileName(osPath("/data/consists/lib/consists/00003.bmp")), QStringLiteral("00003.bmp"));
}

// --- Picture plans ---------------------------------------------------------------------------------

namespace {

const QList<SpecialItem> kSpecials = {
    special(100, "/lib/D/d1_0.bmp", "P"),
    special(200, "/lib/E/e1.BMP", "S"),
    special(300, "/lib/D/d2_0.BMP", "P"),
    special(400, "/lib/E/e2.bmp", "S"),
    special(500, "/lib/E/e3.bmp", "s"),   // kinds are compared exactly
    special(600, "/lib/D/d3_0.bmp", "p"),
    special(700, "/lib/D/d4_0.bmp", "P"), // beyond the count
};
const int kCount = 6;

QList<PictureStep> frames(const QString &stem)
{
    QList<PictureStep> steps{save(stem + QStringLiteral("_0.bmp"))};
    for (int k = 1; k <= 3; ++k) {
        steps << draw(osPath("/lib/D/d1_%1.bmp").arg(k), 100, true)
              << draw(osPath("/lib/D/d2_%1.bmp").arg(k), 300, true) << save(stem + QStringLiteral("_%1.bmp").arg(k));
    }
    return steps;
}

} // namespace

TEST(TrainPictures, theFourOutcomesOfPantographChoiceAndCycle)
{
    const QString stem = osPath("/lib/consists/00001");
    const QString plain = stem + QStringLiteral(".bmp");
    const QString frame0 = stem + QStringLiteral("_0.bmp");
    const struct {
        const char *name;
        bool pantograph;
        QString cycle;
        QList<PictureStep> steps;
        QString consistFile;
    } rows[] = {
        {"N, cycle 0", false, QStringLiteral("0"), {save(plain)}, plain},
        {"N, cycle 3", false, QStringLiteral("3"), frames(stem), frame0},
        {"Y, cycle 0",
         true,
         QStringLiteral("0"),
         {save(plain), draw(osPath("/lib/E/e1_SAR.bmp"), 200, false), draw(osPath("/lib/E/e2_SAR.bmp"), 400, false),
          save(stem + QStringLiteral("_SAR.bmp"))},
         plain},
        {"Y, cycle 12",
         true,
         QStringLiteral("12"),
         frames(stem) + QList<PictureStep>{reload(frame0), draw(osPath("/lib/E/e1_SAR.bmp"), 200, false),
                                           draw(osPath("/lib/E/e2_SAR.bmp"), 400, false),
                                           save(stem + QStringLiteral("_0_SAR.bmp"))},
         frame0},
        {"an empty cycle box reads 0", false, QString(), {save(plain)}, plain},
        {"text that is no number reads 0", false, QStringLiteral("abc"), {save(plain)}, plain},
        {"a fraction above 0 animates", false, QStringLiteral("0.5"), frames(stem), frame0},
        {"blanks before the number", false, QStringLiteral("  7"), frames(stem), frame0},
    };
    for (const auto &row : rows) {
        const PicturePlan plan = planPictures(stem, row.pantograph, row.cycle, kSpecials, kCount);
        EXPECT_FALSE(plan.refusal) << row.name;
        EXPECT_EQ(plan.consistFile, row.consistFile) << row.name;
        EXPECT_EQ(plan.steps, row.steps) << row.name;
    }
}

TEST(TrainPictures, withoutSpecialsTheFramesAreAlikeAndNoPantographIsDrawn)
{
    const QString stem = osPath("/lib/consists/00002");
    const PicturePlan animated = planPictures(stem, true, QStringLiteral("4"), kSpecials, 0);
    EXPECT_EQ(animated.steps, (QList<PictureStep>{save(stem + QStringLiteral("_0.bmp")),
                                                  save(stem + QStringLiteral("_1.bmp")),
                                                  save(stem + QStringLiteral("_2.bmp")),
                                                  save(stem + QStringLiteral("_3.bmp")),
                                                  reload(stem + QStringLiteral("_0.bmp"))}));
    const PicturePlan plain = planPictures(stem, true, QStringLiteral("0"), {}, 3);
    EXPECT_EQ(plain.steps, QList<PictureStep>{save(stem + QStringLiteral(".bmp"))}) << "a count beyond the list is cut";
}

TEST(TrainPictures, aNegativeCycleIsRefusedBeforeAnythingIsWritten)
{
    for (const bool pantograph : {false, true}) {
        const PicturePlan plan =
            planPictures(osPath("/lib/consists/00001"), pantograph, QStringLiteral("-5"), kSpecials, kCount);
        ASSERT_TRUE(plan.refusal);
        EXPECT_EQ(*plan.refusal, (Refusal{QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"),
                                          QStringLiteral("Brenvik"), Focus::txtCycle}));
        EXPECT_TRUE(plan.steps.isEmpty());
        EXPECT_TRUE(plan.consistFile.isEmpty());
    }
}

TEST(TrainPictures, aVehiclePathWithoutBmpStopsThePlanWhereItIsNeeded)
{
    const QString stem = osPath("/lib/consists/00001");
    const PicturePlan frames = planPictures(stem, false, QStringLiteral("1"), {special(5, "/lib/D/noext", "P")}, 1);
    ASSERT_EQ(frames.steps.size(), 2);
    EXPECT_EQ(frames.steps[0], save(stem + QStringLiteral("_0.bmp")));
    EXPECT_EQ(frames.steps[1].action, Action::Fail);
    EXPECT_EQ(frames.steps[1].path, osPath("/lib/D/noext"));
    EXPECT_FALSE(frames.steps[1].reason.isEmpty());

    const PicturePlan pantographs = planPictures(stem, true, QStringLiteral("0"),
                                                 {special(5, "/lib/E/e1.bmp", "S"), special(9, "/lib/E/noext", "S")}, 2);
    // The pantograph picture is not saved half drawn.
    ASSERT_EQ(pantographs.steps.size(), 3);
    EXPECT_EQ(pantographs.steps[1].action, Action::Draw);
    EXPECT_EQ(pantographs.steps[2].action, Action::Fail);
    EXPECT_EQ(pantographs.steps[2].path, osPath("/lib/E/noext"));
}

// --- Carrying out a plan on real pictures ----------------------------------------------------------

namespace {

class TrainPicturesRun : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        makeDir(QStringLiteral("Library/consists"));
        writeBmp(QStringLiteral("Library/D/anim_1.bmp"), solidImage(8, 20, Qt::red));
        writeBmp(QStringLiteral("Library/D/anim_2.bmp"), solidImage(8, 20, Qt::green));
        writeBmp(QStringLiteral("Library/D/anim_3.bmp"), solidImage(8, 70, Qt::blue));
        writeBmp(QStringLiteral("Library/E/pan_SAR.bmp"), solidImage(6, 4, Qt::yellow));
        specials = {special(10, "x", "P"), special(50, "x", "S")};
        specials[0].Path = path(QStringLiteral("Library/D/anim_0.bmp"));
        specials[1].Path = path(QStringLiteral("Library/E/pan.bmp"));
        stem = consistStem(path(QStringLiteral("Library/consists")), 1);
    }

    QColor at(const QString &file, int x, int y) const
    {
        return QImage(file).pixelColor(x, y);
    }

    QList<SpecialItem> specials;
    QString stem;
    platform::Surface consist{QColor(Qt::white), 100, 58};
    platform::Surface scratch{QColor(Qt::black), 1, 1};
};

} // namespace

TEST_F(TrainPicturesRun, framesStandOnTheLastRowAndPantographsHangFromTheTop)
{
    const PicturePlan plan = planPictures(stem, true, QStringLiteral("3"), specials, 2);
    ASSERT_TRUE(runPictureSteps(plan.steps, consist, scratch).ok());

    const QString f0 = stem + QStringLiteral("_0.bmp");
    EXPECT_EQ(at(f0, 10, 57), QColor(Qt::white));
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 10, 38), QColor(Qt::red)) << "58 - 20 = row 38";
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 10, 37), QColor(Qt::white));
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 17, 57), QColor(Qt::red));
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 18, 57), QColor(Qt::white));
    EXPECT_EQ(at(stem + QStringLiteral("_2.bmp"), 10, 38), QColor(Qt::green)) << "drawn over frame 1";
    EXPECT_EQ(at(stem + QStringLiteral("_3.bmp"), 10, 0), QColor(Qt::blue)) << "a tall frame starts above the top";
    EXPECT_EQ(at(stem + QStringLiteral("_3.bmp"), 11, 57), QColor(Qt::blue));

    const QString pan = stem + QStringLiteral("_0_SAR.bmp");
    EXPECT_EQ(at(pan, 10, 57), QColor(Qt::white)) << "pantographs are drawn over frame 0, not frame 3";
    EXPECT_EQ(at(pan, 50, 0), QColor(Qt::yellow));
    EXPECT_EQ(at(pan, 55, 3), QColor(Qt::yellow));
    EXPECT_EQ(at(pan, 50, 4), QColor(Qt::white));
    EXPECT_EQ(QImage(pan).size(), QSize(100, 58));
}

TEST_F(TrainPicturesRun, aVehicleInTheTrainTwiceIsDrawnTwiceButReadOnce)
{
    const auto fileOperations = [&](const QList<SpecialItem> &animated) {
        platform::FileFaults::reset();
        EXPECT_TRUE(runPictureSteps(planPictures(stem, false, QStringLiteral("3"), animated, int(animated.size())).steps,
                                    consist, scratch)
                        .ok());
        return platform::FileFaults::count();
    };
    const int once = fileOperations({specials[0]});
    QList<SpecialItem> twice{specials[0], specials[0]};
    twice[1].XPos = 70;
    EXPECT_EQ(fileOperations(twice), once);
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 10, 57), QColor(Qt::red));
    EXPECT_EQ(at(stem + QStringLiteral("_1.bmp"), 70, 57), QColor(Qt::red));
}

TEST_F(TrainPicturesRun, thePantographPictureIsFrameZeroWithThePantographsOnIt)
{
    QImage train(100, 58, QImage::Format_RGB32);
    for (int y = 0; y < train.height(); ++y) {
        for (int x = 0; x < train.width(); ++x)
            train.setPixel(x, y, qRgb(x * 2, y * 4, (x * y) % 256));
    }
    consist.setPicture(train);
    const PicturePlan plan = planPictures(stem, true, QStringLiteral("3"), specials, 2);
    ASSERT_TRUE(runPictureSteps(plan.steps, consist, scratch).ok());

    QImage expected = QImage(stem + QStringLiteral("_0.bmp")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected, train);
    for (int y = 0; y < 4; ++y) {
        for (int x = 50; x < 56; ++x)
            expected.setPixel(x, y, qRgb(255, 255, 0));
    }
    EXPECT_EQ(QImage(stem + QStringLiteral("_0_SAR.bmp")).convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(TrainPicturesRun, aPlainTrainGetsItsPictureBeforeThePantographs)
{
    const PicturePlan plan = planPictures(stem, true, QStringLiteral("0"), specials, 2);
    ASSERT_TRUE(runPictureSteps(plan.steps, consist, scratch).ok());
    EXPECT_EQ(at(stem + QStringLiteral(".bmp"), 50, 0), QColor(Qt::white));
    EXPECT_EQ(at(stem + QStringLiteral("_SAR.bmp"), 50, 0), QColor(Qt::yellow));
    EXPECT_FALSE(QFile::exists(stem + QStringLiteral("_0.bmp")));
}

TEST_F(TrainPicturesRun, aMissingFrameStopsTheRunAndKeepsWhatWasSaved)
{
    QFile::remove(path(QStringLiteral("Library/D/anim_2.bmp")));
    const PicturePlan plan = planPictures(stem, false, QStringLiteral("3"), specials, 2);
    const QString message = runPictureSteps(plan.steps, consist, scratch).message();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot load ") + osPath(path(QStringLiteral("Library/D/anim_2.bmp")))
                                   + QStringLiteral(":\n")))
        << qPrintable(message);
    EXPECT_TRUE(QFile::exists(stem + QStringLiteral("_0.bmp")));
    EXPECT_TRUE(QFile::exists(stem + QStringLiteral("_1.bmp")));
    EXPECT_FALSE(QFile::exists(stem + QStringLiteral("_2.bmp")));
}

TEST_F(TrainPicturesRun, aFailingSaveIsReportedWithTheFileAndReason)
{
    const PicturePlan plan = planPictures(stem, false, QStringLiteral("0"), specials, 2);
    platform::FileFaults::failAt(1, QStringLiteral("Disk full"));
    EXPECT_EQ(runPictureSteps(plan.steps, consist, scratch).message(),
              QStringLiteral("Cannot save ") + osPath(stem + QStringLiteral(".bmp")) + QStringLiteral(":\nDisk full"));
}

TEST_F(TrainPicturesRun, aFailStepIsReportedNamingTheVehicle)
{
    specials[1].Path = path(QStringLiteral("Library/E/pan"));
    const PicturePlan plan = planPictures(stem, true, QStringLiteral("0"), specials, 2);
    const QString message = runPictureSteps(plan.steps, consist, scratch).message();
    EXPECT_TRUE(message.contains(osPath(path(QStringLiteral("Library/E/pan"))) + QStringLiteral(":\n")))
        << qPrintable(message);
    EXPECT_TRUE(QFile::exists(stem + QStringLiteral(".bmp")));
}

// --- Checks, library line and entry ----------------------------------------------------------------

namespace {

TrainForm validForm()
{
    TrainForm f;
    f.label = QStringLiteral("Test Train");
    f.epo[3] = true;
    f.uland = QStringLiteral("FRG - Germany");
    f.gt = QStringLiteral("E  - Electrical Locomotive");
    f.ol[0] = true;
    f.pixels = QStringLiteral("50");
    f.lr[1] = true;
    f.cycle = QStringLiteral("0");
    return f;
}

const QString kPlain = osPath("/lib/consists/00005.bmp");
const QString kAnimated = osPath("/lib/consists/00005_0.bmp");

// Columns 1-40 and 41-58, then the bitmap name.
QByteArray libraryLine(const QByteArray &label, const char *columns41to58, const char *name)
{
    EXPECT_EQ(qstrlen(columns41to58), 18u);
    return label.leftJustified(40, ' ') + columns41to58 + name;
}

std::function<bool(const QString &)> existing(const QStringList &files)
{
    return [set = QSet<QString>(files.begin(), files.end())](const QString &f) { return set.contains(f); };
}

const auto kAllExist = [](const QString &) { return true; };

Refusal brenvik(const char *text, Focus focus)
{
    return {QString::fromLatin1(text), QStringLiteral("Brenvik"), focus};
}

Refusal untitled(const char *text, Focus focus)
{
    return {QString::fromLatin1(text), QString(), focus};
}

} // namespace

TEST(TrainLineChecks, aValidFormGivesItsLineAndEntry)
{
    const TrainLine t = checkTrain(validForm(), kPlain, kAllExist);
    ASSERT_FALSE(t.refusal);
    EXPECT_EQ(t.libraryLine, libraryLine("Test Train", "3  FRGE Y50NRNNN0N", "00005.bmp"));
    EXPECT_EQ(t.entry, QStringLiteral("{LocoStart}FILE=") + kPlain +
                           QStringLiteral(";LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;"
                                          "ZG=63;SELECTED=1;{LocoEnd}"));
}

TEST(TrainLineChecks, everyRefusalWithItsTextTitleAndFocus)
{
    const struct {
        const char *name;
        std::function<void(TrainForm &)> change;
        QString consistFile;
        Refusal refusal;
    } rows[] = {
        {"no era", [](TrainForm &f) { f.epo = {}; }, kPlain,
         brenvik("Select almost one value for EPOCHE!", Focus::chkEPO1)},
        {"three eras", [](TrainForm &f) { f.epo[1] = f.epo[5] = true; }, kPlain,
         brenvik("Select one or two values for EPOCHE!", Focus::chkEPO1)},
        {"all six eras", [](TrainForm &f) { f.epo.fill(true); }, kPlain,
         brenvik("Select one or two values for EPOCHE!", Focus::chkEPO1)},
        {"no country", [](TrainForm &f) { f.uland.clear(); }, kPlain,
         brenvik("Select the country ULAND!", Focus::cboUland)},
        {"country of blanks", [](TrainForm &f) { f.uland = QStringLiteral("   "); }, kPlain,
         brenvik("Select the country ULAND!", Focus::cboUland)},
        {"no type", [](TrainForm &f) { f.gt.clear(); }, kPlain, brenvik("Select the type GT!", Focus::cboGT)},
        {"type of blanks", [](TrainForm &f) { f.gt = QStringLiteral(" "); }, kPlain,
         brenvik("Select the type GT!", Focus::cboGT)},
        {"no overhead line", [](TrainForm &f) { f.ol = {}; }, kPlain,
         untitled("Select almost one value for OL!", Focus::chkOL1)},
        {"two overhead lines", [](TrainForm &f) { f.ol[2] = true; }, kPlain,
         brenvik("Select one value for OL!", Focus::chkOL1)},
        {"height 39", [](TrainForm &f) { f.pixels = QStringLiteral("39"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"height 91", [](TrainForm &f) { f.pixels = QStringLiteral("91"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"empty height, even without a line",
         [](TrainForm &f) {
             f.pixels.clear();
             f.ol = {false, true, false};
         },
         kPlain, brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"empty height with three-rail",
         [](TrainForm &f) {
             f.pixels.clear();
             f.ol = {false, false, true};
         },
         kPlain, brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"pasted negative height", [](TrainForm &f) { f.pixels = QStringLiteral("-50"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"pasted fraction height", [](TrainForm &f) { f.pixels = QStringLiteral("50.5"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"height with a letter", [](TrainForm &f) { f.pixels = QStringLiteral("5a"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"height beyond 16 bits", [](TrainForm &f) { f.pixels = QStringLiteral("65586"); }, kPlain,
         brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels)},
        {"pantograph picture missing", [](TrainForm &f) { f.sar0 = true; }, kPlain,
         {osPath("/lib/consists/00005_SAR.bmp") + QStringLiteral(" doesn't exist!"), QStringLiteral("Brenvik"),
          Focus::chkSAR0}},
        {"pantograph picture of an animated train missing", [](TrainForm &f) { f.sar0 = true; }, kAnimated,
         {osPath("/lib/consists/00005_0_SAR.bmp") + QStringLiteral(" doesn't exist!"), QStringLiteral("Brenvik"),
          Focus::chkSAR0}},
        {"no direction", [](TrainForm &f) { f.lr = {}; }, kPlain,
         untitled("Select almost one value for RICHTUNG!", Focus::chkLR1)},
        {"two directions", [](TrainForm &f) { f.lr = {true, false, true}; }, kPlain,
         brenvik("Select one value for RICHTUNG!", Focus::chkLR1)},
        {"cycle 10", [](TrainForm &f) { f.cycle = QStringLiteral("10"); }, kAnimated,
         brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle)},
        {"pasted negative cycle", [](TrainForm &f) { f.cycle = QStringLiteral("-5"); }, kPlain,
         brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle)},
        {"pasted fraction cycle", [](TrainForm &f) { f.cycle = QStringLiteral("1.5"); }, kAnimated,
         brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle)},
        {"cycle of letters", [](TrainForm &f) { f.cycle = QStringLiteral("abc"); }, kPlain,
         brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle)},
        {"cycle beyond 16 bits", [](TrainForm &f) { f.cycle = QStringLiteral("99999"); }, kAnimated,
         brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle)},
        {"cycle for a train saved as one picture", [](TrainForm &f) { f.cycle = QStringLiteral("3"); }, kPlain,
         brenvik("The engine hasn't animation!", Focus::txtCycle)},
    };
    for (const auto &row : rows) {
        TrainForm form = validForm();
        row.change(form);
        const TrainLine t = checkTrain(form, row.consistFile, existing({}));
        ASSERT_TRUE(t.refusal) << row.name;
        EXPECT_EQ(*t.refusal, row.refusal) << row.name << ": " << qPrintable(t.refusal->text);
        EXPECT_TRUE(t.libraryLine.isEmpty()) << row.name;
        EXPECT_TRUE(t.entry.isEmpty()) << row.name;
    }
}

TEST(TrainLineChecks, theFirstMissingFrameIsNamed)
{
    TrainForm form = validForm();
    form.cycle = QStringLiteral("4");
    const QString f1 = osPath("/lib/consists/00005_1.bmp");
    const QString f2 = osPath("/lib/consists/00005_2.bmp");
    const QString f3 = osPath("/lib/consists/00005_3.bmp");
    const struct {
        QStringList present;
        QString missing;
    } rows[] = {{{}, f1}, {{f1}, f2}, {{f1, f3}, f2}, {{f1, f2}, f3}};
    for (const auto &row : rows) {
        const TrainLine t = checkTrain(form, kAnimated, existing(row.present));
        ASSERT_TRUE(t.refusal);
        EXPECT_EQ(*t.refusal, (Refusal{osPath(row.missing) + QStringLiteral(" doesn't exist!"),
                                       QStringLiteral("Brenvik"), Focus::txtCycle}));
    }
    EXPECT_FALSE(checkTrain(form, kAnimated, existing({f1, f2, f3})).refusal);
}

TEST(TrainLineChecks, theChecksComeInTheirOrder)
{
    // Everything wrong at once; each fix reveals the next refusal.
    TrainForm form;
    form.sar0 = true;
    form.cycle = QStringLiteral("12");
    const struct {
        Refusal refusal;
        std::function<void(TrainForm &)> fix;
    } steps[] = {
        {brenvik("Select almost one value for EPOCHE!", Focus::chkEPO1), [](TrainForm &f) { f.epo[2] = true; }},
        {brenvik("Select the country ULAND!", Focus::cboUland), [](TrainForm &f) { f.uland = QStringLiteral("A"); }},
        {brenvik("Select the type GT!", Focus::cboGT), [](TrainForm &f) { f.gt = QStringLiteral("D"); }},
        {untitled("Select almost one value for OL!", Focus::chkOL1), [](TrainForm &f) { f.ol[1] = true; }},
        {brenvik("Select the height OLH or set to correct value [40-90]!", Focus::txtPixels),
         [](TrainForm &f) { f.pixels = QStringLiteral("58"); }},
        {{osPath("/lib/consists/00005_0_SAR.bmp") + QStringLiteral(" doesn't exist!"), QStringLiteral("Brenvik"),
          Focus::chkSAR0},
         [](TrainForm &f) { f.sar0 = false; }},
        {untitled("Select almost one value for RICHTUNG!", Focus::chkLR1), [](TrainForm &f) { f.lr[2] = true; }},
        {brenvik("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!", Focus::txtCycle),
         [](TrainForm &f) { f.cycle = QStringLiteral("2"); }},
    };
    for (const auto &step : steps) {
        const TrainLine t = checkTrain(form, kAnimated, existing({}));
        ASSERT_TRUE(t.refusal);
        EXPECT_EQ(*t.refusal, step.refusal) << qPrintable(t.refusal->text);
        step.fix(form);
    }
    const TrainLine t = checkTrain(form, kAnimated, kAllExist);
    ASSERT_FALSE(t.refusal) << qPrintable(t.refusal->text);
    EXPECT_EQ(t.libraryLine, libraryLine("", "2  A  D N58NBNNN2N", "00005_0.bmp"));
}

TEST(TrainLineChecks, theLabelTakesNoCheck)
{
    TrainForm form = validForm();
    form.label.clear();
    const TrainLine t = checkTrain(form, kPlain, kAllExist);
    ASSERT_FALSE(t.refusal);
    EXPECT_TRUE(t.entry.contains(QStringLiteral(";LABEL=;")));
}

TEST(TrainLineChecks, aTextNoSingleByteLineCanHoldRefusesWithItsField)
{
    EXPECT_FALSE(unwritableRefusal(validForm(), kPlain));
    const struct {
        std::function<void(TrainForm &)> change;
        QString file;
        Focus focus;
    } rows[] = {
        {[](TrainForm &f) { f.label = QStringLiteral("Pasted line one\nPasted line two\n"); }, kPlain, Focus::txtLabel},
        {[](TrainForm &f) { f.uland = QStringLiteral("FRG\r"); }, kPlain, Focus::cboUland},
        {[](TrainForm &f) { f.gt = QStringLiteral("E \u03a9"); }, kPlain, Focus::cboGT},
        {[](TrainForm &) {}, QStringLiteral("/\u041f\u043e\u0435\u0437\u0434/consists/00005.bmp"), Focus::none},
    };
    for (const auto &row : rows) {
        TrainForm form = validForm();
        row.change(form);
        const std::optional<Refusal> refusal = unwritableRefusal(form, row.file);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->focus, row.focus);
        EXPECT_EQ(refusal->title, QStringLiteral("Brenvik"));
    }
}

TEST(TrainLineChecks, linesAndEntriesByteForByte)
{
    const QString fileFor = QStringLiteral("{LocoStart}FILE=") + kPlain + u';';
    const QString fileForAnimated = QStringLiteral("{LocoStart}FILE=") + kAnimated + u';';
    const QString ending = QStringLiteral("ZG=63;SELECTED=1;{LocoEnd}");
    const QByteArray forty(40, 'x');
    const QByteArray fortyOne = QByteArray("ABCDEFGHIJ").repeated(4) + "K";
    const struct {
        const char *name;
        std::function<void(TrainForm &)> change;
        QString consistFile;
        QByteArray line;
        QString entry;
    } rows[] = {
        {"label of exactly 40 after trimming",
         [&](TrainForm &f) { f.label = QStringLiteral("  ") + QString::fromLatin1(forty) + u' '; }, kPlain,
         libraryLine(forty, "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=") + QString::fromLatin1(forty) +
             QStringLiteral(";GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"label of 41 is cut in the line only", [&](TrainForm &f) { f.label = QString::fromLatin1(fortyOne); },
         kPlain, libraryLine(fortyOne.left(40), "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=") + QString::fromLatin1(fortyOne) +
             QStringLiteral(";GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"long label keeps its leading blanks in the line",
         [&](TrainForm &f) { f.label = QStringLiteral("   ") + QString::fromLatin1(fortyOne); }, kPlain,
         libraryLine("   " + fortyOne.left(37), "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=") + QString::fromLatin1(fortyOne) +
             QStringLiteral(";GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"short label loses its blanks", [](TrainForm &f) { f.label = QStringLiteral("  BR 01  "); }, kPlain,
         libraryLine("BR 01", "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=BR 01;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"empty label", [](TrainForm &f) { f.label.clear(); }, kPlain,
         libraryLine("", "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"Latin-1 label", [](TrainForm &f) { f.label = QStringLiteral("Z\u00fcrich"); }, kPlain,
         libraryLine("Z\xfcrich", "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Z\u00fcrich;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"eras 3 and 5", [](TrainForm &f) { f.epo[5] = true; }, kPlain,
         libraryLine("Test Train", "3-5FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3-5;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"era 6 alone",
         [](TrainForm &f) {
             f.epo = {};
             f.epo[6] = true;
         },
         kPlain, libraryLine("Test Train", "6  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=6;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"height 40", [](TrainForm &f) { f.pixels = QStringLiteral("40"); }, kPlain,
         libraryLine("Test Train", "3  FRGE Y40NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=18;RICHTUNG=R;") + ending},
        {"height 58", [](TrainForm &f) { f.pixels = QStringLiteral("58"); }, kPlain,
         libraryLine("Test Train", "3  FRGE Y58NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;RICHTUNG=R;") + ending},
        {"height 90", [](TrainForm &f) { f.pixels = QStringLiteral("90"); }, kPlain,
         libraryLine("Test Train", "3  FRGE Y90NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=-32;RICHTUNG=R;") + ending},
        {"height with blanks and a leading zero", [](TrainForm &f) { f.pixels = QStringLiteral(" 045 "); }, kPlain,
         libraryLine("Test Train", "3  FRGE Y45NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=13;RICHTUNG=R;") + ending},
        {"three-rail", [](TrainForm &f) { f.ol = {false, false, true}; }, kPlain,
         libraryLine("Test Train", "3  FRGE 350NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=N;RICHTUNG=R;"
                                  "ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}")},
        {"no overhead line", [](TrainForm &f) { f.ol = {false, true, false}; }, kPlain,
         libraryLine("Test Train", "3  FRGE N50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=N;RICHTUNG=R;") + ending},
        {"direction both", [](TrainForm &f) { f.lr = {false, false, true}; }, kPlain,
         libraryLine("Test Train", "3  FRGE Y50NBNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;") + ending},
        {"direction left", [](TrainForm &f) { f.lr = {true, false, false}; }, kPlain,
         libraryLine("Test Train", "3  FRGE Y50NLNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=L;") + ending},
        {"steam locomotive from Austria",
         [](TrainForm &f) {
             f.gt = QStringLiteral("D  - Steam Locomotive");
             f.uland = QStringLiteral("A   - Austria");
         },
         kPlain, libraryLine("Test Train", "3  A  D Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=D;EPOCHE=3;ULAND=A;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"short typed codes are padded",
         [](TrainForm &f) {
             f.gt = QStringLiteral("V");
             f.uland = QStringLiteral("CH");
         },
         kPlain, libraryLine("Test Train", "3  CH V Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=V;EPOCHE=3;ULAND=CH;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"pantograph, shunting, push-pull and double traction",
         [](TrainForm &f) { f.sar0 = f.sw0 = f.pp0 = f.dt0 = true; }, kPlain,
         libraryLine("Test Train", "3  FRGE Y50YRYYY0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;SAR=J;RICHTUNG=R;"
                                  "RANGIER=J;WZ=J;DT=J;") + ending},
        {"cycle 9", [](TrainForm &f) { f.cycle = QStringLiteral("9"); }, kAnimated,
         libraryLine("Test Train", "3  FRGE Y50NRNNN9N", "00005_0.bmp"),
         fileForAnimated + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;"
                                          "PHASENLAENGE=9;") + ending},
        {"cycle 07 keeps its zero in the entry", [](TrainForm &f) { f.cycle = QStringLiteral("07"); }, kAnimated,
         libraryLine("Test Train", "3  FRGE Y50NRNNN7N", "00005_0.bmp"),
         fileForAnimated + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;"
                                          "PHASENLAENGE=07;") + ending},
        {"cycle with blanks", [](TrainForm &f) { f.cycle = QStringLiteral(" 3 "); }, kAnimated,
         libraryLine("Test Train", "3  FRGE Y50NRNNN3N", "00005_0.bmp"),
         fileForAnimated + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;"
                                          "PHASENLAENGE=3;") + ending},
        {"empty cycle", [](TrainForm &f) { f.cycle.clear(); }, kPlain,
         libraryLine("Test Train", "3  FRGE Y50NRNNN0N", "00005.bmp"),
         fileFor + QStringLiteral("LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
        {"a folder above also named consists", [](TrainForm &) {}, osPath("/data/consists/lib/consists/00005.bmp"),
         libraryLine("Test Train", "3  FRGE Y50NRNNN0N", "00005.bmp"),
         QStringLiteral("{LocoStart}FILE=") + osPath("/data/consists/lib/consists/00005.bmp") +
             QStringLiteral(";LABEL=Test Train;GT=E;EPOCHE=3;ULAND=FRG;OL=J;OLH=8;RICHTUNG=R;") + ending},
    };
    for (const auto &row : rows) {
        TrainForm form = validForm();
        row.change(form);
        const TrainLine t = checkTrain(form, row.consistFile, kAllExist);
        ASSERT_FALSE(t.refusal) << row.name << ": " << qPrintable(t.refusal->text);
        EXPECT_EQ(t.libraryLine, row.line) << row.name;
        EXPECT_EQ(t.libraryLine.at(57), 'N') << row.name << ": column 58";
        EXPECT_EQ(t.entry, row.entry) << row.name;
    }
}

TEST(TrainLineChecks, numberBoxesReadDigitsOnly)
{
    const struct {
        const char *text;
        std::optional<int> value;
    } rows[] = {
        {"", 0},         {"   ", 0},          {"0", 0},           {"07", 7},      {" 58 ", 58},
        {"32767", 32767}, {"32768", std::nullopt}, {"000000000000000042", 42},
        {"-5", std::nullopt}, {"+5", std::nullopt}, {"1.5", std::nullopt}, {"abc", std::nullopt},
        {"5a", std::nullopt}, {"5 5", std::nullopt}, {"\t5", std::nullopt},
    };
    for (const auto &row : rows)
        EXPECT_EQ(numberBoxValue(QString::fromLatin1(row.text)), row.value) << row.text;
}
