#include "WindowTestSupport.h"
#include "main/frmBrenvik.h"
#include "platform/widgets/PictureBox.h"
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// One vehicle of a test library: its line's fields that matter here and its picture.
struct Vehicle {
    const char *label;
    char sar;
    char phase;
    char variations;
    const char *file;
    QSize size;
    QColor colour;
};

LibraryVehicle libraryVehicle(const Vehicle &v)
{
    return {.label = v.label, .flags = QByteArray("Y58") + v.sar + "LNNN" + v.phase + v.variations, .file = v.file};
}

// A picture that shows where it was copied from: a fill with a differently coloured corner.
QImage pictureOf(QSize size, QColor colour)
{
    return solidImage(size.width(), size.height(), colour, colour.darker(200));
}

class Consist : public MainWindowTest {
protected:
    // Draws every vehicle's bitmap into lib/trains/E and opens lib/trains.txt listing them.
    void openLibrary(const QList<Vehicle> &vehicles, const QString &file = QStringLiteral("lib/trains.txt"))
    {
        QList<LibraryVehicle> lines;
        for (const Vehicle &v : vehicles) {
            lines += libraryVehicle(v);
            writeBmp(QStringLiteral("lib/trains/E/") + QLatin1String(v.file), pictureOf(v.size, v.colour));
        }
        open(writeFile(file, libraryText(lines)));
        ASSERT_TRUE(prompts.messages.isEmpty());
    }
    QString bitmapPath(const char *file) const { return path(QStringLiteral("lib/trains/E/") + QLatin1String(file)); }
    void overlay(const char *file, QSize size, QColor colour)
    {
        writeBmp(QStringLiteral("lib/trains/E/") + QLatin1String(file), pictureOf(size, colour));
    }

    void select(int row)
    {
        MainWindowTest::select(row);
        ASSERT_TRUE(prompts.messages.isEmpty());
    }
    // Steps the variation buttons up until the label names `slot`.
    void chooseVariation(const char *slot)
    {
        for (int i = 0; i < 41 && window->lblVAR->text() != QStringLiteral("Variation: ") + QLatin1String(slot); ++i)
            click("cmdVarSu");
        ASSERT_EQ(window->lblVAR->text(), QStringLiteral("Variation: ") + QLatin1String(slot));
    }
    void insert(int row, bool inherit = false)
    {
        select(row);
        window->chkInherit->setChecked(inherit);
        click("cmdAdd");
    }

    QSize trainSize() const { return {window->picConsist->Width(), window->picConsist->Height()}; }
    QImage train() const { return window->picConsist->surface().Image(); }

    // What the train should look like: black, with the pictures drawn at their places in order.
    struct Drawn {
        QPoint at;
        QImage picture;
    };
    static QImage expected(QSize size, const QList<Drawn> &drawn)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        for (const Drawn &d : drawn)
            painter.drawImage(d.at, d.picture);
        painter.end();
        return image;
    }
};

const QColor kRed(200, 0, 0);
const QColor kGreen(0, 200, 0);
const QColor kBlue(0, 0, 200);
const QColor kYellow(220, 220, 0);
const QColor kCyan(0, 220, 220);
const QColor kGrey(120, 120, 120);

} // namespace

TEST_F(Consist, insertsUndoAndResetDrawTheTrain)
{
    const QList<Vehicle> vehicles = {
        {"Animated", 'N', '2', 'N', "a.bmp", {120, 58}, kRed},
        {"Pantograph", 'Y', '3', 'N', "b.bmp", {80, 58}, kGreen},
        {"Plain", 'N', '0', 'N', "c.bmp", {90, 58}, kBlue},
    };
    openLibrary(vehicles);
    const QImage a = pictureOf({120, 58}, kRed);
    const QImage b = pictureOf({80, 58}, kGreen);
    const QImage c = pictureOf({90, 58}, kBlue);

    insert(0, true);
    EXPECT_EQ(trainSize(), QSize(120, 58));
    EXPECT_EQ(train(), expected({120, 58}, {{{0, 0}, a}}));
    EXPECT_EQ(state.gConsistCount, 1);
    EXPECT_EQ(window->lastWidth(), 120);
    EXPECT_EQ(window->picConsist->Left(), 0);
    EXPECT_TRUE(state.gInherited.Label.is("Animated"));
    EXPECT_EQ(state.gInherited.Path, bitmapPath("a.bmp"));
    EXPECT_EQ(state.gInherited.Phasenlaenge, 2);

    insert(1);
    EXPECT_EQ(trainSize(), QSize(200, 58));
    EXPECT_EQ(train(), expected({200, 58}, {{{0, 0}, a}, {{120, 0}, b}}));
    EXPECT_EQ(state.gConsistCount, 2);
    EXPECT_EQ(window->lastWidth(), 80);
    EXPECT_EQ(state.gInherited.Path, bitmapPath("a.bmp")) << "an unticked insert leaves the inherited record";

    click("cmdUndo");
    EXPECT_EQ(trainSize(), QSize(120, 58));
    EXPECT_EQ(train(), expected({120, 58}, {{{0, 0}, a}}));
    EXPECT_EQ(window->lastWidth(), 0);
    EXPECT_EQ(state.gConsistCount, 2);

    click("cmdUndo");
    EXPECT_EQ(trainSize(), QSize(120, 58));
    EXPECT_EQ(state.gConsistCount, 2);

    insert(2, true);
    EXPECT_EQ(trainSize(), QSize(210, 58));
    EXPECT_EQ(train(), expected({210, 58}, {{{0, 0}, a}, {{120, 0}, c}}));
    EXPECT_EQ(state.gConsistCount, 3);
    EXPECT_EQ(window->lastWidth(), 90);
    EXPECT_EQ(state.gInherited.Path, bitmapPath("c.bmp"));

    click("cmdReset");
    EXPECT_EQ(trainSize(), QSize(0, 58));
    EXPECT_EQ(state.gConsistCount, 0);
    EXPECT_TRUE(state.gInherited.Path.isEmpty());
    EXPECT_TRUE(state.gInherited.Label.is("Plain")) << "only the marker is cleared";
    EXPECT_EQ(window->lastWidth(), 90);

    insert(2);
    EXPECT_EQ(trainSize(), QSize(90, 58));
    EXPECT_EQ(train(), expected({90, 58}, {{{0, 0}, c}}));
    EXPECT_EQ(state.gConsistCount, 1);
    EXPECT_TRUE(state.gInherited.Path.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Consist, overlaysLandByTheirSideLetter)
{
    const QList<Vehicle> vehicles = {
        {"Long", 'N', '0', 'N', "long.bmp", {200, 58}, kGrey},
        {"Loco", 'N', '0', 'Y', "loco.bmp", {100, 58}, kRed},
        {"Tall", 'N', '0', 'Y', "tall.bmp", {60, 70}, kBlue},
    };
    overlay("loco_E3.bmp", {20, 15}, kYellow);
    overlay("loco_N0.bmp", {10, 8}, kGreen);
    overlay("loco_W5.bmp", {6, 9}, kCyan);
    overlay("tall_S1.bmp", {14, 12}, kYellow);
    openLibrary(vehicles);
    const QImage loco = pictureOf({100, 58}, kRed);

    insert(0);
    select(1);
    chooseVariation("E3");
    click("cmdAdd");
    EXPECT_EQ(trainSize(), QSize(300, 58));
    EXPECT_EQ(train(), expected({300, 58}, {{{0, 0}, pictureOf({200, 58}, kGrey)},
                                            {{200, 0}, loco},
                                            {{280, 0}, pictureOf({20, 15}, kYellow)}}));
    EXPECT_EQ(window->lblVAR->text(), QStringLiteral("Variation: No"));
    EXPECT_FALSE(window->picVAR->isVisible());
    EXPECT_EQ(window->curVar(), 0);
    // The vehicle stays selected and its variations stay there.
    EXPECT_EQ(state.gSelVehicle, 2);
    EXPECT_TRUE(window->cmdVarSu->isEnabled());
    EXPECT_EQ(window->varExists()[14], QStringLiteral("Y"));

    // Slot 0: no overlay, and the display stays as it is.
    click("cmdAdd");
    EXPECT_EQ(window->lblVAR->text(), QStringLiteral("Variation: No"));
    chooseVariation("N0");
    click("cmdAdd");
    chooseVariation("W5");
    click("cmdAdd");
    EXPECT_EQ(trainSize(), QSize(600, 58));
    const QImage whole = train();
    EXPECT_EQ(whole.copy(300, 0, 100, 58), loco);
    EXPECT_EQ(whole.copy(400, 0, 100, 58), expected({100, 58}, {{{0, 0}, loco}, {{0, 0}, pictureOf({10, 8}, kGreen)}}));
    EXPECT_EQ(whole.copy(500, 0, 100, 58), expected({100, 58}, {{{0, 0}, loco}, {{0, 0}, pictureOf({6, 9}, kCyan)}}));

    // "S" sits on line 58 whatever the vehicle's height.
    select(2);
    chooseVariation("S1");
    click("cmdAdd");
    EXPECT_EQ(trainSize(), QSize(660, 70));
    EXPECT_EQ(train().copy(600, 0, 60, 70),
              expected({60, 70}, {{{0, 0}, pictureOf({60, 70}, kBlue)}, {{0, 46}, pictureOf({14, 12}, kYellow)}}));
    EXPECT_EQ(window->lblVAR->text(), QStringLiteral("Variation: No"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Consist, lastVehicleSetsTheHeight)
{
    openLibrary({{"High", 'N', '0', 'N', "high.bmp", {50, 60}, kRed}, {"Usual", 'N', '0', 'N', "usual.bmp", {40, 58}, kBlue}});
    insert(0);
    EXPECT_EQ(trainSize(), QSize(50, 60));
    insert(1);
    EXPECT_EQ(trainSize(), QSize(90, 58));
    EXPECT_EQ(train(), expected({90, 58}, {{{0, 0}, pictureOf({50, 60}, kRed)}, {{50, 0}, pictureOf({40, 58}, kBlue)}}));
}

TEST_F(Consist, slideButtonsMoveTheTrainWithoutLimits)
{
    openLibrary({{"Long", 'N', '0', 'N', "long.bmp", {500, 58}, kRed}, {"Short", 'N', '0', 'N', "short.bmp", {30, 58}, kBlue}});
    insert(0);

    click("cmdRBegin");
    EXPECT_EQ(window->picConsist->Left(), 260);
    click("cmdLBegin");
    EXPECT_EQ(window->picConsist->Left(), 0);
    for (int i = 0; i < 3; ++i)
        click("cmdLeft");
    EXPECT_EQ(window->picConsist->Left(), 30);
    click("cmdLBegin");
    for (int i = 0; i < 20; ++i)
        click("cmdRight");
    EXPECT_EQ(window->picConsist->Left(), -200);
    EXPECT_EQ(window->picConsist->Top(), 9);

    click("cmdReset");
    EXPECT_EQ(window->picConsist->Left(), -200);
    insert(1);
    EXPECT_EQ(window->picConsist->Left(), -200) << "inserting does not move the train";
    EXPECT_EQ(window->picConsist->x(), -200);
    EXPECT_EQ(window->picConsist->y(), 9);
    click("cmdRBegin");
    EXPECT_EQ(window->picConsist->Left(), 730);
}

TEST_F(Consist, undoEdgeCases)
{
    openLibrary({{"Seven", 'N', '0', 'N', "seven.bmp", {7, 58}, kRed},
                 {"Eleven", 'N', '0', 'N', "eleven.bmp", {11, 58}, kGreen},
                 {"Wide", 'N', '0', 'N', "wide.bmp", {50, 58}, kBlue}});

    // Before anything was inserted the picture keeps its design size.
    click("cmdUndo");
    EXPECT_EQ(trainSize(), QSize(39, 38));
    EXPECT_EQ(window->lastWidth(), 0);

    insert(0);
    insert(2);
    click("cmdUndo");
    EXPECT_EQ(trainSize().width(), 0);
    EXPECT_EQ(window->lastWidth(), 0);
    EXPECT_EQ(state.gConsistCount, 2);

    click("cmdReset");
    insert(1);
    insert(2);
    click("cmdUndo");
    EXPECT_EQ(trainSize(), QSize(11, 58));
    EXPECT_EQ(train(), pictureOf({11, 58}, kGreen));

    // Undo, Reset, Undo: the last one takes away more than there is and leaves the area empty.
    click("cmdReset");
    insert(2);
    click("cmdUndo");
    EXPECT_EQ(trainSize().width(), 0);
    click("cmdReset");
    click("cmdUndo");
    EXPECT_EQ(trainSize().width(), 0);
    insert(2);
    click("cmdReset");
    click("cmdUndo"); // 0 - 50
    EXPECT_EQ(trainSize().width(), 0);
    EXPECT_EQ(window->lastWidth(), 0);
    EXPECT_EQ(state.gConsistCount, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Consist, insertWithoutARecordChangesNothing)
{
    openLibrary({{"A", 'Y', '2', 'N', "a.bmp", {60, 58}, kRed},
                 {"B", 'N', '0', 'N', "b.bmp", {40, 58}, kGreen},
                 {"C", 'Y', '0', 'N', "c.bmp", {30, 58}, kBlue}});
    window->chkInherit->setChecked(true);
    click("cmdAdd");
    EXPECT_EQ(state.gConsistCount, 0);
    EXPECT_EQ(trainSize(), QSize(39, 38));

    select(2);
    insert(1);
    ASSERT_EQ(state.gConsistCount, 1);
    select(2);
    // A shorter library read since: record 3 is gone.
    openLibrary({{"Only", 'N', '0', 'N', "only.bmp", {20, 58}, kGrey}}, QStringLiteral("lib/short.txt"));
    // The new list has no vehicle selected; an index past its end is refused all the same.
    ASSERT_EQ(state.gSelVehicle, 0);
    state.gSelVehicle = 3;
    window->chkInherit->setChecked(true);
    const QImage before = train();
    click("cmdAdd");
    EXPECT_EQ(state.gConsistCount, 1);
    EXPECT_EQ(trainSize(), QSize(40, 58));
    EXPECT_EQ(train(), before);
    EXPECT_EQ(window->lastWidth(), 40);
    EXPECT_TRUE(state.gInherited.Path.isEmpty());
    EXPECT_EQ(state.gSpecialCount, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Consist, insertPastSixteenBitsIsRefused)
{
    openLibrary({{"Huge", 'N', '0', 'N', "huge.bmp", {20000, 2}, kRed}, {"Anim", 'N', '4', 'N', "anim.bmp", {10, 58}, kBlue}});
    insert(0);
    ASSERT_EQ(trainSize(), QSize(20000, 2));
    click("cmdAdd");
    expectOneMessage(QStringLiteral("The consist cannot be wider than 32767 pixels."));
    EXPECT_EQ(trainSize(), QSize(20000, 2));
    EXPECT_EQ(state.gConsistCount, 1);
    EXPECT_EQ(window->lastWidth(), 20000);

    prompts.clear();
    state.gConsistCount = 32767;
    insert(1);
    expectOneMessage(QStringLiteral("The consist cannot take more than 32767 vehicles."));
    EXPECT_EQ(state.gConsistCount, 32767);
    EXPECT_EQ(trainSize(), QSize(20000, 2));

    prompts.clear();
    state.gConsistCount = 5;
    state.gSpecialCount = 32767;
    click("cmdAdd");
    expectOneMessage(QStringLiteral("The consist cannot take more than 32767 animated or pantograph vehicles."));
    EXPECT_EQ(state.gConsistCount, 5);
    EXPECT_EQ(state.gSpecialCount, 32767);
    EXPECT_EQ(trainSize(), QSize(20000, 2));
}

TEST_F(Consist, eachInsertRepaintsOnlyItsVehicleOnce)
{
    overlay("loco_E0.bmp", {20, 10}, kYellow);
    openLibrary({{"Loco", 'N', '0', 'Y', "loco.bmp", {120, 58}, kRed}});
    platform::Surface &surface = window->picConsist->surface();
    QList<QRect> repainted;
    const auto show = surface.onRefresh;
    surface.onRefresh = [&](const QRect &r) {
        repainted.append(r);
        show(r);
    };

    select(0);
    for (int i = 0; i < 200; ++i)
        click("cmdAdd");
    ASSERT_EQ(trainSize(), QSize(24000, 58));
    ASSERT_EQ(repainted.size(), 200);
    EXPECT_EQ(repainted.last(), QRect(23880, 0, 120, 58));

    repainted.clear();
    chooseVariation("E0");
    click("cmdAdd");
    ASSERT_EQ(repainted.size(), 1);
    EXPECT_EQ(repainted[0], QRect(24000, 0, 120, 58));
    EXPECT_EQ(train().copy(24000, 0, 120, 58),
              expected({120, 58}, {{{0, 0}, pictureOf({120, 58}, kRed)}, {{100, 0}, pictureOf({20, 10}, kYellow)}}));
}
