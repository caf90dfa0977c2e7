#include "WindowTestSupport.h"
#include "main/Variations.h"
#include "main/frmBrenvik.h"
#include "platform/FileFaults.h"
#include "platform/widgets/PictureBox.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using platform::FileFaults;

namespace {

const QRgb kVehicle = qRgb(200, 30, 30);
const QRgb kOther = qRgb(30, 30, 200);
const QRgb kNorth = qRgb(250, 250, 0);
const QRgb kSouth = qRgb(0, 250, 250);

// A library line with its line end: no pantograph, not animated, bitmap in type folder "E".
QByteArray vehicleLine(const char *label, char variations, const char *file)
{
    return libraryLine({.label = label, .flags = QByteArray("Y58NLNNN0") + variations, .file = file}) + "\r\n";
}

// Flags with "Y" at slot 0 and at the slots given.
variations::SlotTexts flagsWith(std::initializer_list<int> available)
{
    variations::SlotTexts flags = variations::plainOnly();
    for (int k : available)
        flags[size_t(k)] = QStringLiteral("Y");
    return flags;
}

class Preview : public MainWindowTest {
protected:
    // Writes lib/trains.txt and opens it as the user would; the bitmaps go to lib/trains/E.
    void openLibrary(const QByteArray &lines)
    {
        open(writeFile(QStringLiteral("lib/trains.txt"), lines));
        ASSERT_TRUE(prompts.messages.isEmpty());
    }
    QString bitmap(const QString &name, QImage image)
    {
        return writeBmp(QStringLiteral("lib/trains/E/") + name, image);
    }
    QString bitmapPath(const QString &name) const { return path(QStringLiteral("lib/trains/E/") + name); }

    void clickRow(int row) { ::clickRow(*window->lstSource, row); }

    QString label() const { return window->lblVAR->text(); }
    bool overlayShown() const { return window->picVAR->isVisible(); }
    QRgb overlayPixel(int x, int y) const { return window->picVAR->surface().pixel(x, y); }
    QRgb previewPixel(int x, int y) const { return window->picPreview->surface().pixel(x, y); }
    QSize previewSize() const { return {window->picPreview->Width(), window->picPreview->Height()}; }
    QSize overlaySize() const { return {window->picVAR->Width(), window->picVAR->Height()}; }
    bool buttonsEnabled() const { return window->cmdVarSu->isEnabled() && window->cmdVarGiu->isEnabled(); }
    bool buttonsDisabled() const { return !window->cmdVarSu->isEnabled() && !window->cmdVarGiu->isEnabled(); }
    std::array<QString, 41> flags() const { return window->varExists(); }

    // The variation `name` is shown: its label, and its overlay on show at `size` with `colour`
    // in its far corner.
    void expectOverlay(const char *name, QSize size, QRgb colour) const
    {
        EXPECT_EQ(label(), QStringLiteral("Variation: ") + QLatin1String(name));
        EXPECT_TRUE(overlayShown());
        EXPECT_EQ(overlaySize(), size);
        EXPECT_EQ(overlayPixel(size.width() - 1, size.height() - 1), colour);
    }

    static QString loadFailure(const QString &file, const char *reason)
    {
        return QStringLiteral("Cannot load %1:\n%2").arg(QDir::toNativeSeparators(file), QLatin1String(reason));
    }
};

} // namespace

TEST_F(Preview, selectionAndSteppingThroughN0AndS9)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp") + vehicleLine("Other", 'N', "other.bmp"));
    const QString loco = bitmap(QStringLiteral("loco.bmp"), solidImage(120, 58, QColor(kVehicle)));
    bitmap(QStringLiteral("loco_N0.bmp"), solidImage(10, 8, QColor(kNorth)));
    bitmap(QStringLiteral("loco_S9.bmp"), solidImage(12, 6, QColor(kSouth)));
    window->chkInherit->setChecked(true);

    clickRow(0);
    EXPECT_FALSE(window->chkInherit->isChecked());
    EXPECT_EQ(state.gSelVehicle, 1);
    EXPECT_EQ(window->curPath(), loco);
    EXPECT_EQ(flags(), flagsWith({1, 40}));
    EXPECT_EQ(window->curVar(), 0);
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(previewSize(), QSize(120, 58));
    EXPECT_EQ(previewPixel(119, 57), kVehicle);

    click("cmdVarSu");
    expectOverlay("N0", QSize(10, 8), kNorth);
    EXPECT_EQ(window->curVar(), 1);

    click("cmdVarSu");
    expectOverlay("S9", QSize(12, 6), kSouth);
    EXPECT_EQ(window->curVar(), 40);

    click("cmdVarSu");
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));
    EXPECT_EQ(window->curVar(), 0);
    EXPECT_FALSE(overlayShown());
    // Hidden, not emptied.
    EXPECT_EQ(overlaySize(), QSize(12, 6));

    click("cmdVarGiu");
    EXPECT_EQ(label(), QStringLiteral("Variation: S9"));
    EXPECT_TRUE(overlayShown());
    click("cmdVarGiu");
    EXPECT_EQ(label(), QStringLiteral("Variation: N0"));
    EXPECT_EQ(overlayPixel(0, 0), kNorth);

    // The preview is never touched by the variation buttons.
    EXPECT_EQ(previewSize(), QSize(120, 58));
    EXPECT_EQ(previewPixel(0, 0), kVehicle);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, flaggedVehicleWithoutOverlaysAlwaysComesBackToNo)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(30, 20, QColor(kVehicle)));

    FileFaults::reset();
    clickRow(0);
    // 40 overlay look-ups, then the bitmap's look-up and load.
    EXPECT_EQ(FileFaults::count(), 42);
    EXPECT_TRUE(buttonsEnabled());
    for (const char *button : {"cmdVarSu", "cmdVarGiu", "cmdVarSu"}) {
        click(button);
        EXPECT_EQ(label(), QStringLiteral("Variation: No")) << button;
        EXPECT_FALSE(overlayShown()) << button;
        EXPECT_EQ(window->curVar(), 0);
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, onlyAnExactCapitalYLooksForVariations)
{
    openLibrary(vehicleLine("No", 'N', "loco.bmp") + vehicleLine("Blank", ' ', "loco.bmp")
                + vehicleLine("Small y", 'y', "loco.bmp") + vehicleLine("Yes", 'Y', "loco.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(30, 20, QColor(kVehicle)));
    bitmap(QStringLiteral("loco_E3.bmp"), solidImage(5, 5, QColor(kNorth)));

    // After a flagged vehicle, so every flag and the buttons have something to undo.
    for (int row : {0, 1, 2}) {
        select(3);
        ASSERT_EQ(flags(), flagsWith({14}));
        FileFaults::reset();
        select(row);
        EXPECT_EQ(FileFaults::count(), 2) << "only the bitmap is looked up and loaded, row " << row;
        EXPECT_EQ(label(), QStringLiteral(" ")) << row;
        EXPECT_TRUE(buttonsDisabled()) << row;
        EXPECT_EQ(flags(), flagsWith({})) << row;
        EXPECT_EQ(window->curVar(), 0);
        EXPECT_EQ(state.gSelVehicle, row + 1);
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, upperCaseBmpPathKeepsLowerCaseOverlayNames)
{
    openLibrary(vehicleLine("Loco", 'Y', "LOCO.BMP"));
    const QString loco = bitmap(QStringLiteral("LOCO.BMP"), solidImage(30, 20, QColor(kVehicle)));
    bitmap(QStringLiteral("LOCO_E0.bmp"), solidImage(7, 4, QColor(kNorth)));

    select(0);
    EXPECT_EQ(window->curPath(), loco);
    EXPECT_EQ(flags(), flagsWith({11}));
    click("cmdVarSu");
    EXPECT_EQ(label(), QStringLiteral("Variation: E0"));
    EXPECT_EQ(overlaySize(), QSize(7, 4));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, pathWithBmpTwiceTakesTheFirst)
{
    openLibrary(vehicleLine("Loco", 'Y', "x.bmp/loco.bmp"));
    bitmap(QStringLiteral("x.bmp/loco.bmp"), solidImage(30, 20, QColor(kVehicle)));
    bitmap(QStringLiteral("x.bmp/loco_N0.bmp"), solidImage(5, 5, QColor(kOther))); // not where it is looked for
    bitmap(QStringLiteral("x_N1.bmp"), solidImage(6, 3, QColor(kNorth)));

    select(0);
    EXPECT_EQ(flags(), flagsWith({2}));
    click("cmdVarSu");
    EXPECT_EQ(label(), QStringLiteral("Variation: N1"));
    EXPECT_EQ(overlayPixel(0, 0), kNorth);
    EXPECT_EQ(previewPixel(0, 0), kVehicle);
}

TEST_F(Preview, folderNamedLikeAnOverlayDoesNotCount)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(30, 20, QColor(kVehicle)));
    makeDir(QStringLiteral("lib/trains/E/loco_N0.bmp"));
    makeDir(QStringLiteral("lib/trains/E/LOCO_N1.BMP"));
    bitmap(QStringLiteral("loco_N2.bmp"), solidImage(4, 4, QColor(kNorth)));

    select(0);
    EXPECT_EQ(flags(), flagsWith({3}));
}

TEST_F(Preview, overlayDifferingInCaseIsFoundAndLoaded)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp"));
    const QString loco = bitmap(QStringLiteral("loco.bmp"), solidImage(30, 20, QColor(kVehicle)));
    bitmap(QStringLiteral("LOCO_w4.BMP"), solidImage(9, 3, QColor(kSouth)));

    select(0);
    EXPECT_EQ(flags(), flagsWith({25}));
    EXPECT_EQ(window->curPath(), loco);
    click("cmdVarGiu");
    expectOverlay("W4", QSize(9, 3), kSouth);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, bitmapDifferingInCaseIsShown)
{
    openLibrary(vehicleLine("Loco", 'N', "Loco.bmp"));
    bitmap(QStringLiteral("LOCO.BMP"), solidImage(31, 21, QColor(kVehicle)));

    select(0);
    EXPECT_EQ(window->curPath(), bitmapPath(QStringLiteral("Loco.bmp")));
    EXPECT_EQ(previewSize(), QSize(31, 21));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, previewKeepsItsPictureWhenTheBitmapCannotBeLoaded)
{
    openLibrary(vehicleLine("Loco", 'N', "loco.bmp") + vehicleLine("Missing", 'Y', "gone.bmp")
                + vehicleLine("Broken", 'N', "broken.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(40, 30, QColor(kVehicle)));
    bitmap(QStringLiteral("gone_N0.bmp"), solidImage(4, 4, QColor(kNorth)));
    writeFile(QStringLiteral("lib/trains/E/broken.bmp"), "this is no picture");

    select(0);
    ASSERT_EQ(previewSize(), QSize(40, 30));
    window->chkInherit->setChecked(true);

    clickRow(1);
    expectOneMessage(loadFailure(bitmapPath(QStringLiteral("gone.bmp")), "No such file or directory"));
    EXPECT_EQ(previewSize(), QSize(40, 30));
    EXPECT_EQ(previewPixel(39, 29), kVehicle);
    // The selection itself took place.
    EXPECT_EQ(state.gSelVehicle, 2);
    EXPECT_EQ(window->curPath(), bitmapPath(QStringLiteral("gone.bmp")));
    EXPECT_FALSE(window->chkInherit->isChecked());
    EXPECT_EQ(flags(), flagsWith({1}));
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));

    prompts.clear();
    select(2);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(
        QStringLiteral("Cannot load %1:\n").arg(QDir::toNativeSeparators(bitmapPath(QStringLiteral("broken.bmp"))))))
        << qPrintable(prompts.messages[0].text);
    EXPECT_EQ(previewSize(), QSize(40, 30));
    EXPECT_EQ(state.gSelVehicle, 3);
}

TEST_F(Preview, overlayThatCannotBeLoadedKeepsThePreviousOne)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(40, 30, QColor(kVehicle)));
    bitmap(QStringLiteral("loco_N0.bmp"), solidImage(10, 8, QColor(kNorth)));
    const QString south = bitmap(QStringLiteral("loco_S0.bmp"), solidImage(12, 6, QColor(kSouth)));

    select(0);
    click("cmdVarSu");
    ASSERT_EQ(label(), QStringLiteral("Variation: N0"));
    QFile::remove(south); // gone since the selection

    click("cmdVarSu");
    expectOneMessage(loadFailure(south, "No such file or directory"));
    EXPECT_EQ(label(), QStringLiteral("Variation: S0"));
    EXPECT_EQ(window->curVar(), 31);
    EXPECT_TRUE(overlayShown());
    EXPECT_EQ(overlaySize(), QSize(10, 8));
    EXPECT_EQ(overlayPixel(0, 0), kNorth);
}

TEST_F(Preview, selectingAgainStartsOverFromTheFiles)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp") + vehicleLine("Other", 'N', "other.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(40, 30, QColor(kVehicle)));
    bitmap(QStringLiteral("other.bmp"), solidImage(20, 10, QColor(kOther)));
    const QString north = bitmap(QStringLiteral("loco_N0.bmp"), solidImage(10, 8, QColor(kNorth)));

    clickRow(0);
    click("cmdVarSu");
    ASSERT_TRUE(overlayShown());
    window->chkInherit->setChecked(true);
    QFile::remove(north);
    bitmap(QStringLiteral("loco_E5.bmp"), solidImage(3, 3, QColor(kSouth)));

    clickRow(0);
    EXPECT_FALSE(window->chkInherit->isChecked());
    EXPECT_EQ(flags(), flagsWith({16}));
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));
    EXPECT_FALSE(overlayShown());

    click("cmdVarSu");
    ASSERT_TRUE(overlayShown());
    clickRow(1);
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(label(), QStringLiteral(" "));
    EXPECT_TRUE(buttonsDisabled());
    EXPECT_EQ(previewSize(), QSize(20, 10));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, flaggedVehicleWithoutBmpInItsPathHasNoVariations)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.png"));
    makeDir(QStringLiteral("lib/trains/E"));
    solidImage(25, 15, QColor(kVehicle)).save(bitmapPath(QStringLiteral("loco.png")), "PNG");

    FileFaults::reset();
    select(0);
    EXPECT_EQ(FileFaults::count(), 2);
    EXPECT_EQ(label(), QStringLiteral(" "));
    EXPECT_TRUE(buttonsDisabled());
    EXPECT_EQ(flags(), flagsWith({}));
    EXPECT_EQ(previewSize(), QSize(25, 15));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, blankLibraryLineSelectsAVehicleWithoutPicture)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp") + "\r\n");
    bitmap(QStringLiteral("loco.bmp"), solidImage(40, 30, QColor(kVehicle)));
    select(0);

    select(1);
    EXPECT_EQ(state.gSelVehicle, 2);
    EXPECT_EQ(label(), QStringLiteral(" "));
    EXPECT_TRUE(buttonsDisabled());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("Cannot load "))) << qPrintable(prompts.messages[0].text);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Brenvik"));
    EXPECT_EQ(previewSize(), QSize(40, 30));
}

TEST_F(Preview, buttonsBeforeAnySelectionCycleBackToNoWithoutFiles)
{
    FileFaults::reset();
    click("cmdVarSu");
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));
    EXPECT_FALSE(overlayShown());
    click("cmdVarGiu");
    EXPECT_EQ(label(), QStringLiteral("Variation: No"));
    EXPECT_EQ(FileFaults::count(), 0);
    EXPECT_EQ(window->curVar(), 0);
}

TEST_F(Preview, selectionWithoutARecordChangesNothing)
{
    openLibrary(vehicleLine("Loco", 'Y', "loco.bmp"));
    bitmap(QStringLiteral("loco.bmp"), solidImage(40, 30, QColor(kVehicle)));
    window->chkInherit->setChecked(true);

    // Nothing selected.
    window->lstSource->setListIndex(-1);
    window->lstSource_Click();
    // A list position with no record behind it.
    window->lstSource->setListIndex(0);
    state.gVehicles.clear();
    window->lstSource_Click();

    EXPECT_EQ(state.gSelVehicle, 0);
    EXPECT_TRUE(window->chkInherit->isChecked());
    EXPECT_EQ(label(), QStringLiteral("Variation:"));
    EXPECT_TRUE(window->curPath().isEmpty());
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_TRUE(prompts.messages.isEmpty());
}
