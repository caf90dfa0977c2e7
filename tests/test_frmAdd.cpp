#include "WindowTestSupport.h"
#include "add_consist/AddPresets.h"
#include "add_consist/frmAdd.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// A steam locomotive as a library line would give it.
VehicleRecord sampleVehicle()
{
    return vehicleRecord("Class 52", "3", "FRG", "D", "N", 58, QStringLiteral("/lib/D/br52.bmp"));
}

// A group's boxes as 'X' (ticked) and '.' (unticked), lowest index first.
template <size_t N>
QString ticks(const std::array<QCheckBox *, N> &boxes)
{
    QString s;
    for (QCheckBox *b : boxes) {
        if (b)
            s += b->isChecked() ? QLatin1Char('X') : QLatin1Char('.');
    }
    return s;
}

// Clicks box `k` of a group with the mouse; the group's ticks after the click.
template <size_t N>
QString ticksAfterClick(const std::array<QCheckBox *, N> &boxes, size_t k)
{
    QTest::mouseClick(boxes[k], Qt::LeftButton);
    return ticks(boxes);
}

} // namespace

class frmAddTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        state.gConsistCount = 2;
        state.gInherited = sampleVehicle();
        prompts.clear();
    }
    void TearDown() override
    {
        addWindow.reset();
        MainWindowTest::TearDown();
    }

    frmAdd &open()
    {
        addWindow = std::make_unique<frmAdd>(state, prompts, *window);
        return *addWindow;
    }

    void expectOnlyNumbersMessage(int times)
    {
        ASSERT_EQ(prompts.messages.size(), times);
        for (const auto &m : prompts.messages)
            expectMessage(m, QStringLiteral("Only numbers allowed in text box"), MsgIcon::Critical);
    }

    std::unique_ptr<frmAdd> addWindow;
};

// ---- Presets ----

TEST_F(frmAddTest, presets_followTheInheritedVehicle)
{
    using Set = std::function<void(VehicleRecord &)>;
    using Read = std::function<QString(frmAdd &)>;
    const Read era = [](frmAdd &w) { return ticks(w.chkEPO); };
    const Read country = [](frmAdd &w) { return QString::number(w.cboUland->currentIndex()) + '|' + w.cboUland->currentText(); };
    const Read type = [](frmAdd &w) { return QString::number(w.cboGT->currentIndex()) + '|' + w.cboGT->currentText(); };
    const Read ol = [](frmAdd &w) { return ticks(w.chkOL); };
    const Read sar = [](frmAdd &w) { return ticks(w.chkSAR); };
    const Read lr = [](frmAdd &w) { return ticks(w.chkLR); };
    const Read sw = [](frmAdd &w) { return ticks(w.chkSW); };
    const Read pp = [](frmAdd &w) { return ticks(w.chkPP); };
    const Read dt = [](frmAdd &w) { return ticks(w.chkDT); };
    const Read pixels = [](frmAdd &w) { return w.txtPixels->text(); };
    const Read cycle = [](frmAdd &w) { return w.txtCycle->text(); };
    const Read label = [](frmAdd &w) { return w.txtLabel->text(); };
    const Read vr = [](frmAdd &w) {
        return ticks(w.chkVR) + (w.chkVR[0]->isEnabled() ? "e" : "d") + (w.chkVR[1]->isEnabled() ? "e" : "d");
    };

    struct Row {
        const char *what;
        Set set;
        Read read;
        QString expected;
    };
    const Row rows[] = {
        {"era 5", [](VehicleRecord &r) { r.Epoche.set("5  "); }, era, "....X."},
        {"era 2-3", [](VehicleRecord &r) { r.Epoche.set("2-3"); }, era, ".XX..."},
        {"era 3-4", [](VehicleRecord &r) { r.Epoche.set("3-4"); }, era, "..XX.."},
        {"era 6-1", [](VehicleRecord &r) { r.Epoche.set("6-1"); }, era, "X....X"},
        {"era blank", [](VehicleRecord &r) { r.Epoche.set("   "); }, era, "......"},
        {"era letter first", [](VehicleRecord &r) { r.Epoche.set("x-3"); }, era, "..X..."},
        {"era 7 names no box", [](VehicleRecord &r) { r.Epoche.set("7-2"); }, era, ".X...."},
        {"era 0 names no box", [](VehicleRecord &r) { r.Epoche.set("0  "); }, era, "......"},
        {"era read as stored", [](VehicleRecord &r) { r.Epoche.set(" 3 "); }, era, "......"},
        {"country", [](VehicleRecord &r) { r.Uland.set("FRG"); }, country, "5|FRG - Germany"},
        {"country one letter", [](VehicleRecord &r) { r.Uland.set("A"); }, country, "0|A   - Austria"},
        {"country last", [](VehicleRecord &r) { r.Uland.set("USA"); }, country, "14|USA - United States Of America"},
        {"country leading blanks", [](VehicleRecord &r) { r.Uland.set(" CH"); }, country, "2|CH  - Switzerland"},
        {"country lower case", [](VehicleRecord &r) { r.Uland.set("frg"); }, country, "-1|"},
        {"country unknown", [](VehicleRecord &r) { r.Uland.set("XX"); }, country, "-1|"},
        {"country blank", [](VehicleRecord &r) { r.Uland.set("   "); }, country, "-1|"},
        {"type D blank", [](VehicleRecord &r) { r.GT.set("D "); }, type, "0|D  - Steam Locomotive"},
        {"type VZ", [](VehicleRecord &r) { r.GT.set("VZ"); }, type, "11|VZ - Amphibious Vehicle"},
        {"type lower case", [](VehicleRecord &r) { r.GT.set("et"); }, type, "-1|"},
        {"type blank", [](VehicleRecord &r) { r.GT.set("  "); }, type, "-1|"},
        {"OL J", [](VehicleRecord &r) { r.OL.set("J"); }, ol, "X.."},
        {"OL N", [](VehicleRecord &r) { r.OL.set("N"); }, ol, ".X."},
        {"OL 3", [](VehicleRecord &r) { r.OL.set("3"); }, ol, "..X"},
        {"OL Y", [](VehicleRecord &r) { r.OL.set("Y"); }, ol, "..."},
        {"OL blank", [](VehicleRecord &r) { r.OL.set(" "); }, ol, "..."},
        {"OLH 58", [](VehicleRecord &r) { r.OLH = 58; }, pixels, "58"},
        {"OLH negative", [](VehicleRecord &r) { r.OLH = -7; }, pixels, "-7"},
        {"SAR Y", [](VehicleRecord &r) { r.SAR.set("Y"); }, sar, "X."},
        {"SAR N", [](VehicleRecord &r) { r.SAR.set("N"); }, sar, ".X"},
        {"SAR blank", [](VehicleRecord &r) { r.SAR.set(" "); }, sar, ".X"},
        {"SAR J", [](VehicleRecord &r) { r.SAR.set("J"); }, sar, ".X"},
        {"Richtung L", [](VehicleRecord &r) { r.Richtung.set("L"); }, lr, "X.."},
        {"Richtung R", [](VehicleRecord &r) { r.Richtung.set("R"); }, lr, ".X."},
        {"Richtung B", [](VehicleRecord &r) { r.Richtung.set("B"); }, lr, "..X"},
        {"Richtung lower case", [](VehicleRecord &r) { r.Richtung.set("l"); }, lr, "..."},
        {"Rangier Y", [](VehicleRecord &r) { r.Rangier.set("Y"); }, sw, "X."},
        {"Rangier N", [](VehicleRecord &r) { r.Rangier.set("N"); }, sw, ".X"},
        {"Rangier blank", [](VehicleRecord &r) { r.Rangier.set(" "); }, sw, ".."},
        {"WZ Y", [](VehicleRecord &r) { r.WZ.set("Y"); }, pp, "X."},
        {"WZ N", [](VehicleRecord &r) { r.WZ.set("N"); }, pp, ".X"},
        {"WZ J", [](VehicleRecord &r) { r.WZ.set("J"); }, pp, ".."},
        {"DT Y", [](VehicleRecord &r) { r.DT.set("Y"); }, dt, "X."},
        {"DT N", [](VehicleRecord &r) { r.DT.set("N"); }, dt, ".X"},
        {"DT blank", [](VehicleRecord &r) { r.DT.set(" "); }, dt, ".."},
        {"Phasenlaenge 0", [](VehicleRecord &r) { r.Phasenlaenge = 0; }, cycle, "0"},
        {"Phasenlaenge 3", [](VehicleRecord &r) { r.Phasenlaenge = 3; }, cycle, "3"},
        {"label trimmed", [](VehicleRecord &r) { r.Label.set("  Class 52 "); }, label, "Class 52"},
        {"label Latin-1", [](VehicleRecord &r) { r.Label.set("Z\xfcge"); }, label, QString::fromLatin1("Z\xfcge")},
        {"variations N", [](VehicleRecord &r) { r.Variations.set("N"); }, vr, ".Xdd"},
        {"variations Y", [](VehicleRecord &r) { r.Variations.set("Y"); }, vr, ".Xdd"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        state.gInherited = sampleVehicle();
        row.set(state.gInherited);
        frmAdd &w = open();
        EXPECT_EQ(row.read(w), row.expected);
    }
    EXPECT_TRUE(prompts.messages.isEmpty()); // loading shows nothing
}

TEST_F(frmAddTest, presets_leaveTheInheritedVehicleAndTheOtherBoxesAlone)
{
    frmAdd &w = open();
    EXPECT_EQ(ticks(w.chkEPO), "..X...");
    EXPECT_EQ(ticks(w.chkOL), ".X.");
    EXPECT_EQ(ticks(w.chkLR), "..X");
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(w.chkEPO[size_t(i)]->isEnabled());
    EXPECT_EQ(state.gInherited.Path, QStringLiteral("/lib/D/br52.bmp"));
    EXPECT_EQ(state.gConsistCount, 2);
}

TEST_F(frmAddTest, codeLists_holdTheItemsInOrder)
{
    frmAdd &w = open();
    QStringList gotTypes, gotCountries;
    for (int i = 0; i < w.cboGT->count(); ++i)
        gotTypes << w.cboGT->itemText(i);
    for (int i = 0; i < w.cboUland->count(); ++i)
        gotCountries << w.cboUland->itemText(i);
    EXPECT_EQ(gotTypes, addconsist::typeItems());
    EXPECT_EQ(gotCountries, addconsist::countryItems());
}

TEST_F(frmAddTest, comboBoxes_keepTypedTextAndAddNoItem)
{
    frmAdd &w = open();
    for (QComboBox *box : {w.cboUland, w.cboGT}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const int items = box->count();
        EXPECT_TRUE(box->isEditable());
        box->lineEdit()->clear();
        QFocusEvent focusIn(QEvent::FocusIn); // a completer would attach itself now
        QCoreApplication::sendEvent(box->lineEdit(), &focusIn);
        QTest::keyClicks(box->lineEdit(), "F");
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(box->currentText(), QStringLiteral("F")); // no completion fills it in
        EXPECT_EQ(box->count(), items);
    }
}

TEST_F(frmAddTest, textBoxes_holdOneLine_pastedTextIsCutAtItsFirstLineBreak)
{
    frmAdd &w = open();
    for (QLineEdit *box : {w.txtLabel, w.cboUland->lineEdit(), w.cboGT->lineEdit()}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setText(QStringLiteral("Pasted line one\nPasted line two\n"));
        EXPECT_EQ(box->text(), QStringLiteral("Pasted line one"));
        // Only what came in is cut: the text around the cursor stays.
        box->setText(QStringLiteral("ab"));
        box->setCursorPosition(1);
        box->insert(QStringLiteral("X\r\nY"));
        EXPECT_EQ(box->text(), QStringLiteral("aXb"));
        EXPECT_EQ(box->cursorPosition(), 2);
    }
}

TEST_F(frmAddTest, reopening_presetsAgainFromTheInheritedVehicle)
{
    {
        frmAdd &w = open();
        w.txtLabel->setText(QStringLiteral("edited"));
        QTest::mouseClick(w.chkOL[2], Qt::LeftButton);
        w.cboGT->setCurrentIndex(3);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }
    frmAdd &again = open();
    EXPECT_EQ(again.txtLabel->text(), QStringLiteral("Class 52"));
    EXPECT_EQ(ticks(again.chkOL), ".X.");
    EXPECT_EQ(again.cboGT->currentText(), QStringLiteral("D  - Steam Locomotive"));
}

// ---- Check-box groups ----

TEST_F(frmAddTest, pairs_tickingOneUnticksTheOtherAndTheNestingEnds)
{
    state.gInherited.DT.set(" ");
    frmAdd &w = open();
    int changes0 = 0, changes1 = 0;
    QObject::connect(w.chkDT[0], &QCheckBox::toggled, [&] { ++changes0; });
    QObject::connect(w.chkDT[1], &QCheckBox::toggled, [&] { ++changes1; });

    w.chkDT[0]->setChecked(true);
    EXPECT_EQ(ticks(w.chkDT), "X.");
    EXPECT_EQ(changes0, 1);
    EXPECT_EQ(changes1, 0);

    w.chkDT[0]->setChecked(false); // unticking the ticked box ticks the other
    EXPECT_EQ(ticks(w.chkDT), ".X");
    EXPECT_EQ(changes0, 2);
    EXPECT_EQ(changes1, 1);

    w.chkDT[0]->setChecked(true);
    EXPECT_EQ(ticks(w.chkDT), "X.");
    EXPECT_EQ(changes0, 3);
    EXPECT_EQ(changes1, 2);
}

TEST_F(frmAddTest, pairs_clicksOnAnUntouchedPair)
{
    state.gInherited.Rangier.set(" ");
    state.gInherited.WZ.set(" ");
    state.gInherited.DT.set(" ");
    frmAdd &w = open();
    w.show();
    struct Row {
        const char *name;
        std::array<QCheckBox *, 2> boxes;
    };
    const Row rows[] = {{"SW", w.chkSW}, {"PP", w.chkPP}, {"DT", w.chkDT}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(ticks(row.boxes), "..");
        EXPECT_EQ(ticksAfterClick(row.boxes, 1), ".X");
        EXPECT_EQ(ticksAfterClick(row.boxes, 1), "X.");
        EXPECT_EQ(ticksAfterClick(row.boxes, 1), ".X");
        EXPECT_EQ(ticksAfterClick(row.boxes, 0), "X.");
    }
    // The pantograph pair always starts with one box ticked.
    EXPECT_EQ(ticks(w.chkSAR), ".X");
    EXPECT_EQ(ticksAfterClick(w.chkSAR, 1), "X.");
}

TEST_F(frmAddTest, variations_cannotBeChangedByTheUser)
{
    frmAdd &w = open();
    w.show();
    QTest::mouseClick(w.chkVR[0], Qt::LeftButton);
    QTest::mouseClick(w.chkVR[1], Qt::LeftButton);
    EXPECT_EQ(ticks(w.chkVR), ".X");
}

TEST_F(frmAddTest, triples_clickingTheTickedBoxLeavesAllThreeUnticked)
{
    state.gInherited.OL.set("J");
    state.gInherited.Richtung.set("L");
    frmAdd &w = open();
    w.show();
    ASSERT_EQ(ticks(w.chkOL), "X..");
    ASSERT_EQ(ticks(w.chkLR), "X..");
    QTest::mouseClick(w.chkOL[0], Qt::LeftButton);
    QTest::mouseClick(w.chkLR[0], Qt::LeftButton);
    EXPECT_EQ(ticks(w.chkOL), "...");
    EXPECT_EQ(ticks(w.chkLR), "...");
    EXPECT_EQ(ticksAfterClick(w.chkLR, 1), ".X.");
}

TEST_F(frmAddTest, triples_thirdRailWhileYesIsTickedUnticksYesOnly)
{
    state.gInherited.OL.set("J");
    frmAdd &w = open();
    w.show();
    QStringList changes;
    for (QCheckBox *b : w.chkOL)
        QObject::connect(b, &QCheckBox::toggled, [&changes, b](bool on) { changes << b->objectName() + (on ? "+" : "-"); });
    EXPECT_EQ(ticksAfterClick(w.chkOL, 2), "..X");
    EXPECT_EQ(changes.join(' '), QStringLiteral("chkOL_0- chkOL_2+"));
}

TEST_F(frmAddTest, triples_clearTheOtherTwoInTheirOrder)
{
    state.gInherited.OL.set(" ");
    state.gInherited.Richtung.set(" ");
    frmAdd &w = open();
    struct Row {
        const char *group;
        std::array<QCheckBox *, 3> boxes;
        int tick;
        QString changes; // the rule's clearings run inside the tick, so they are seen first
    };
    const Row rows[] = {
        {"OL", w.chkOL, 0, "chkOL_1- chkOL_2- chkOL_0+"},
        {"OL", w.chkOL, 1, "chkOL_2- chkOL_0- chkOL_1+"},
        {"OL", w.chkOL, 2, "chkOL_1- chkOL_0- chkOL_2+"},
        {"LR", w.chkLR, 0, "chkLR_1- chkLR_2- chkLR_0+"},
        {"LR", w.chkLR, 1, "chkLR_2- chkLR_0- chkLR_1+"},
        {"LR", w.chkLR, 2, "chkLR_1- chkLR_0- chkLR_2+"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.group) + " " + std::to_string(row.tick));
        // Two boxes ticked behind the rule's back, so that both clearings show.
        for (int i = 0; i < 3; ++i) {
            const QSignalBlocker quiet(row.boxes[size_t(i)]);
            row.boxes[size_t(i)]->setChecked(i != row.tick);
        }
        QStringList changes;
        QList<QMetaObject::Connection> spies;
        for (QCheckBox *b : row.boxes)
            spies << QObject::connect(b, &QCheckBox::toggled,
                                      [&changes, b](bool on) { changes << b->objectName() + (on ? "+" : "-"); });
        row.boxes[size_t(row.tick)]->setChecked(true);
        for (const auto &c : spies)
            QObject::disconnect(c);
        EXPECT_EQ(changes.join(' '), row.changes);
        EXPECT_EQ(row.boxes[size_t(row.tick)]->isChecked(), true);
    }
}

TEST_F(frmAddTest, eras_areIndependent)
{
    state.gInherited.Epoche.set("   ");
    frmAdd &w = open();
    w.show();
    for (int i = 1; i <= 6; ++i)
        QTest::mouseClick(w.chkEPO[size_t(i)], Qt::LeftButton);
    EXPECT_EQ(ticks(w.chkEPO), "XXXXXX");
    EXPECT_EQ(ticksAfterClick(w.chkEPO, 3), "XX.XXX");
}

// ---- Number boxes ----

TEST_F(frmAddTest, numberBoxes_takeDigitsAndBackspaceOnly)
{
    frmAdd &w = open();
    w.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    struct Row {
        const char *what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int cursor;
        QString expected;
        int messages;
    };
    const Row rows[] = {
        {"digit 7", Qt::Key_7, Qt::NoModifier, 2, "587", 0},
        {"digit 0", Qt::Key_0, Qt::NoModifier, 0, "058", 0},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, 2, "5", 0},
        {"minus", Qt::Key_Minus, Qt::NoModifier, 2, "58", 1},
        {"point", Qt::Key_Period, Qt::NoModifier, 2, "58", 1},
        {"blank", Qt::Key_Space, Qt::NoModifier, 2, "58", 1},
        {"letter", Qt::Key_A, Qt::NoModifier, 2, "58", 1},
        {"Enter", Qt::Key_Return, Qt::NoModifier, 2, "58", 1},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, 2, "58", 1},
        {"Esc", Qt::Key_Escape, Qt::NoModifier, 2, "58", 1},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, 0, "8", 0},
        {"Left", Qt::Key_Left, Qt::NoModifier, 2, "58", 0},
        {"Home", Qt::Key_Home, Qt::NoModifier, 2, "58", 0},
    };
    for (QLineEdit *box : {w.txtPixels, w.txtCycle}) {
        for (const Row &row : rows) {
            SCOPED_TRACE(box->objectName().toStdString() + " " + row.what);
            prompts.clear();
            box->setText(QStringLiteral("58"));
            box->setCursorPosition(row.cursor);
            QTest::keyClick(box, row.key, row.modifiers);
            EXPECT_EQ(box->text(), row.expected);
            expectOnlyNumbersMessage(row.messages);
            EXPECT_TRUE(w.isVisible());
        }
    }
}

TEST_F(frmAddTest, numberBoxes_refuseEachCharacterOfTypedText)
{
    frmAdd &w = open();
    w.txtCycle->clear();
    QTest::keyClicks(w.txtCycle, "1a-2 ");
    EXPECT_EQ(w.txtCycle->text(), QStringLiteral("12"));
    expectOnlyNumbersMessage(3);
}

TEST_F(frmAddTest, numberBoxes_contextMenuPasteAndCodeAreNotFiltered)
{
    frmAdd &w = open();
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    w.txtPixels->setText(QStringLiteral("5"));
    w.txtPixels->end(false);
    w.txtPixels->paste(); // what the context menu's Paste does
    EXPECT_EQ(w.txtPixels->text(), QStringLiteral("5x9"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(frmAddTest, keyPressHandlers_passDigitsAndBackspaceAndDropTheRest)
{
    frmAdd &w = open();
    for (auto handler : {&frmAdd::txtPixels_KeyPress, &frmAdd::txtCycle_KeyPress}) {
        int refused = 0;
        for (int code = 0; code <= 255; ++code) {
            int key = code;
            (w.*handler)(key);
            const bool passes = (code >= '0' && code <= '9') || code == 8;
            EXPECT_EQ(key, passes ? code : 0) << code;
            refused += passes ? 0 : 1;
        }
        expectOnlyNumbersMessage(refused);
        prompts.clear();
    }
}

// ---- Window ----

TEST_F(frmAddTest, tabOrder_followsTheForm)
{
    frmAdd &w = open();
    const QStringList expected = {
        "Command1", "txtLabel", "cmdAdd", "chkEPO_1", "chkEPO_2", "chkEPO_3", "chkEPO_4", "chkEPO_5", "chkEPO_6",
        "cboUland", "cboGT", "chkOL_0", "chkOL_1", "txtPixels", "chkSAR_0", "chkSAR_1",
        "chkLR_0", "chkLR_1", "chkLR_2", "chkSW_0", "chkSW_1", "chkPP_0", "chkPP_1", "chkDT_0", "chkDT_1",
        "txtCycle", "chkVR_0", "chkVR_1", "chkOL_2",
    };
    QStringList chain;
    QWidget *at = w.Command1;
    do {
        if (at->parentWidget() == &w && (at->focusPolicy() & Qt::TabFocus))
            chain << at->objectName();
        at = at->nextInFocusChain();
    } while (at != w.Command1 && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(w.focusWidget(), w.Command1);
}

TEST_F(frmAddTest, exit_closesAndChangesNothing)
{
    frmAdd &w = open();
    w.show();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(state.gConsistCount, 2);
    EXPECT_EQ(state.gInherited.Path, QStringLiteral("/lib/D/br52.bmp"));
}

TEST_F(frmAddTest, escapeOutsideTheNumberBoxes_keepsTheWindowAndItsEdits)
{
    frmAdd &w = open();
    w.show();
    w.txtLabel->setText(QStringLiteral("edited"));
    const QList<QWidget *> controls = {w.txtLabel, w.cboGT->lineEdit(), w.chkOL[0], w.Command1, &w};
    for (QWidget *control : controls) {
        SCOPED_TRACE(control->objectName().toStdString());
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_EQ(w.txtLabel->text(), QStringLiteral("edited"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(w.close()); // the close box still closes it
}

TEST_F(frmAddTest, layout_matchesTheForm)
{
    frmAdd &w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brenvik - Add Consist"));
    EXPECT_EQ(w.size(), QSize(430, 430));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(w.findChild<QMenuBar *>(), nullptr);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0, 72, 0));

    expectControlsAt(w, {
        {"Label24", {28, 26, 55, 17}},   {"txtLabel", {142, 25, 260, 22}}, {"chkEPO_1", {147, 72, 31, 14}},
        {"chkEPO_6", {368, 72, 30, 14}}, {"Shape1", {142, 68, 260, 22}},   {"cboUland", {142, 93, 260, 22}},
        {"cboGT", {142, 120, 260, 22}},  {"chkOL_2", {235, 153, 49, 14}},  {"Label9", {289, 156, 110, 17}},
        {"txtPixels", {142, 176, 35, 22}}, {"Label12", {178, 184, 221, 17}}, {"Shape4", {141, 234, 147, 22}},
        {"chkDT_1", {191, 327, 31, 14}}, {"txtCycle", {142, 349, 35, 22}}, {"Label6", {27, 385, 104, 17}},
        {"chkVR_1", {191, 383, 31, 14}}, {"cmdAdd", {265, 385, 68, 22}},   {"Command1", {334, 385, 68, 22}},
        {"Shape7", {142, 379, 94, 22}},
    });

    // Explanatory labels end at one right edge and are right-aligned; captions are left-aligned.
    for (QLabel *l : {w.Label9, w.Label12, w.Label10, w.Label2, w.Label19, w.Label20, w.Label21, w.Label22}) {
        EXPECT_EQ(l->geometry().x() + l->geometry().width(), 399) << l->objectName().toStdString();
        EXPECT_TRUE(l->alignment() & Qt::AlignRight) << l->objectName().toStdString();
    }
    EXPECT_TRUE(w.Label18->alignment() & Qt::AlignLeft);
    EXPECT_EQ(w.Label18->text(), QStringLiteral("PHASENLAENGE:"));
    EXPECT_EQ(w.chkOL[2]->text(), QStringLiteral("3rail"));
    EXPECT_EQ(w.chkLR[2]->text(), QStringLiteral("Both"));

    EXPECT_EQ(w.Label24->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(w.chkSAR[0]->font().bold());
    EXPECT_EQ(w.chkSAR[0]->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(w.txtLabel->font().family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(w.cboGT->font().styleHint(), QFont::TypeWriter);

    EXPECT_EQ(w.chkEPO[0], nullptr);
    EXPECT_EQ(w.findChild<QCheckBox *>(QStringLiteral("chkOL_0")), w.chkOL[0]);
    EXPECT_EQ(w.findChild<QCheckBox *>(QStringLiteral("chkEPO_3")), w.chkEPO[3]);
    EXPECT_EQ(w.cmdAdd->text(), QStringLiteral("Add"));
    EXPECT_EQ(w.Command1->text(), QStringLiteral("Exit"));

    // No length limit: a long label is kept whole for the checks that follow.
    const QString longText(40000, QLatin1Char('A'));
    w.txtLabel->setText(longText);
    EXPECT_EQ(w.txtLabel->text(), longText);
}
