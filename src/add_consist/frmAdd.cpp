#include "add_consist/frmAdd.h"
#include "add_consist/AddPresets.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/OneLineText.h"
#include "platform/widgets/WindowKeys.h"
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace {

// The character a key press types, as the box's key handler sees it; -1 for keys that type
// none (Delete, arrows...) and for those that move the focus.
int typedCharacter(const QKeyEvent &e)
{
    switch (e.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    case Qt::Key_Escape:
        return 27; // a control character like any other, whatever text the platform attaches
    default:
        break;
    }
    // Ctrl with a letter types a control character (Ctrl+V is 22), whatever text Qt attaches.
    const auto mods = e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
        return e.key() - Qt::Key_A + 1;
    if (e.text().isEmpty())
        return -1;
    return e.text().at(0).unicode();
}

} // namespace

frmAdd::frmAdd(mc_Brenvik &state, platform::Prompts &prompts, TrainHost &main, QWidget *parent)
    : QDialog(parent), g(state), m_prompts(prompts), m_main(main)
{
    buildControls();
    connectEvents();
    Form_Load();
}

frmAdd::~frmAdd() = default;

void frmAdd::buildControls()
{
    platform::formstyle::setUpForm(*this, "frmAdd", QStringLiteral("Brenvik - Add Consist"));
    setFixedSize(platform::formstyle::px(6450), platform::formstyle::px(6450));
    platform::formstyle::paintWhiteOnGreen(*this);
    platform::formstyle::centreOnScreen(*this);

    using platform::formstyle::twips;
    const QFont caption = platform::formstyle::sansSerif(true);
    const QFont fixed = platform::formstyle::fixedPitch();

    // Frames first, so that they lie under the boxes they surround and never take a click.
    auto shape = [this](const char *name, QRect r) {
        auto *f = new QFrame(this);
        f->setObjectName(QLatin1String(name));
        f->setFrameStyle(QFrame::Box | QFrame::Plain);
        f->setLineWidth(1);
        f->setPalette(platform::formstyle::whiteOnGreen(palette()));
        f->setAttribute(Qt::WA_TransparentForMouseEvents);
        f->setGeometry(r);
        return f;
    };
    Shape1 = shape("Shape1", twips(2130, 1020, 3900, 330));
    Shape2 = shape("Shape2", twips(2130, 2250, 2205, 330));
    Shape3 = shape("Shape3", twips(2130, 3060, 1410, 330));
    Shape4 = shape("Shape4", twips(2115, 3510, 2205, 330));
    Shape5 = shape("Shape5", twips(2130, 3945, 1410, 330));
    Shape6 = shape("Shape6", twips(2130, 4395, 1410, 330));
    Shape8 = shape("Shape8", twips(2130, 4845, 1410, 330));
    Shape7 = shape("Shape7", twips(2130, 5685, 1410, 330));

    auto label = [&](const char *name, const char *text, QRect r, Qt::Alignment align) {
        auto *l = new QLabel(QLatin1String(text), this);
        l->setObjectName(QLatin1String(name));
        l->setFont(caption);
        l->setPalette(platform::formstyle::whiteOnGreen(l->palette()));
        l->setAlignment(align | Qt::AlignTop);
        l->setGeometry(r);
        return l;
    };
    auto left = [&](const char *name, const char *text, QRect r) { return label(name, text, r, Qt::AlignLeft); };
    auto right = [&](const char *name, const char *text, QRect r) { return label(name, text, r, Qt::AlignRight); };
    auto check = [&](const char *group, int index, const char *text, QRect r) {
        auto *c = new QCheckBox(QLatin1String(text), this);
        c->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index));
        c->setFont(caption);
        c->setPalette(platform::formstyle::whiteOnGreen(c->palette()));
        c->setGeometry(r);
        return c;
    };
    // A yes/no pair: "Y" and "N" at the same two places on every row.
    auto yesNo = [&](std::array<QCheckBox *, 2> &pair, const char *group, int top) {
        pair[0] = check(group, 0, "Y", twips(2205, top, 465, 210));
        pair[1] = check(group, 1, "N", twips(2865, top, 465, 210));
    };
    auto text = [&](const char *name, QRect r) {
        auto *t = new QLineEdit(this);
        t->setObjectName(QLatin1String(name));
        t->setFont(fixed);
        t->setMaxLength(std::numeric_limits<int>::max());
        platform::keepOneLine(t);
        t->setGeometry(r);
        return t;
    };
    auto combo = [&](const char *name, QRect r) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setFont(fixed);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr); // the typed text stays as typed
        c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
        platform::keepOneLine(c->lineEdit());
        c->setGeometry(r);
        return c;
    };
    auto button = [&](const char *name, const char *text, QRect r) {
        auto *b = new QPushButton(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false); // Enter in a text box clicks nothing
        b->setGeometry(r);
        return b;
    };

    Label24 = left("Label24", "LABEL:", twips(420, 390, 825, 255));
    txtLabel = text("txtLabel", twips(2130, 375, 3900, 330));

    Label7 = left("Label7", "EPOCHE:", twips(420, 1080, 900, 255));
    chkEPO[1] = check("chkEPO", 1, "1", twips(2205, 1080, 465, 210));
    chkEPO[2] = check("chkEPO", 2, "2", twips(2865, 1080, 465, 210));
    chkEPO[3] = check("chkEPO", 3, "3", twips(3525, 1080, 465, 210));
    chkEPO[4] = check("chkEPO", 4, "4", twips(4200, 1080, 465, 210));
    chkEPO[5] = check("chkEPO", 5, "5", twips(4860, 1080, 465, 210));
    chkEPO[6] = check("chkEPO", 6, "6", twips(5520, 1080, 450, 210));

    Label4 = left("Label4", "ULAND:", twips(420, 1500, 765, 255));
    cboUland = combo("cboUland", twips(2130, 1395, 3900, 330));

    Label3 = left("Label3", "GT:", twips(420, 1920, 375, 255));
    cboGT = combo("cboGT", twips(2130, 1800, 3900, 330));

    Label8 = left("Label8", "OL:", twips(420, 2340, 375, 255));
    chkOL[0] = check("chkOL", 0, "Y", twips(2205, 2295, 465, 210));
    chkOL[1] = check("chkOL", 1, "N", twips(2865, 2295, 465, 210));
    chkOL[2] = check("chkOL", 2, "3rail", twips(3525, 2295, 735, 210));
    Label9 = right("Label9", "Over Head Line", twips(4335, 2340, 1650, 255));

    Label11 = left("Label11", "OLH:", twips(420, 2760, 435, 255));
    txtPixels = text("txtPixels", twips(2130, 2640, 525, 330));
    Label12 = right("Label12", "Pixels Above Rails For Electrical Line", twips(2670, 2760, 3315, 255));

    Label13 = left("Label13", "SAR:", twips(420, 3180, 435, 255));
    yesNo(chkSAR, "chkSAR", 3120);
    Label10 = right("Label10", "Pantograph Animation", twips(4020, 3180, 1965, 255));

    Label14 = left("Label14", "RICHTUNG:", twips(420, 3600, 1230, 255));
    chkLR[0] = check("chkLR", 0, "L", twips(2205, 3570, 465, 210));
    chkLR[1] = check("chkLR", 1, "R", twips(2865, 3570, 465, 210));
    chkLR[2] = check("chkLR", 2, "Both", twips(3525, 3570, 750, 210));
    Label2 = right("Label2", "Direction", twips(4500, 3600, 1485, 255));

    Label15 = left("Label15", "RANGIER:", twips(420, 4020, 1035, 255));
    yesNo(chkSW, "chkSW", 4005);
    Label19 = right("Label19", "Switching Operation", twips(3765, 4020, 2220, 255));

    Label16 = left("Label16", "WZ:", twips(420, 4455, 855, 255));
    yesNo(chkPP, "chkPP", 4455);
    Label20 = right("Label20", "Push-Pull Locomotive", twips(3765, 4455, 2220, 255));

    Label17 = left("Label17", "DT:", twips(420, 4875, 855, 255));
    yesNo(chkDT, "chkDT", 4905);
    Label21 = right("Label21", "Double Traction", twips(3765, 4875, 2220, 255));

    Label18 = left("Label18", "PHASENLAENGE:", twips(420, 5295, 1560, 255));
    txtCycle = text("txtCycle", twips(2130, 5235, 525, 330));
    Label22 = right("Label22", "Animation Cycle (n. of pixels)", twips(2790, 5295, 3195, 255));

    Label6 = left("Label6", "VARIATIONS:", twips(405, 5775, 1560, 255));
    yesNo(chkVR, "chkVR", 5745);
    cmdAdd = button("cmdAdd", "Add", twips(3975, 5775, 1020, 330));
    Command1 = button("Command1", "Exit", twips(5010, 5775, 1020, 330));

    // A screen reader names each input after its row ("OLH", "RICHTUNG: R"), not just "Y" or "N".
    const auto row = [](const QLabel *caption) { return caption->text().chopped(1); };
    txtLabel->setAccessibleName(row(Label24));
    txtPixels->setAccessibleName(row(Label11));
    txtCycle->setAccessibleName(row(Label18));
    cboUland->setAccessibleDescription(row(Label4)); // the name is the chosen item's text
    cboGT->setAccessibleDescription(row(Label3));
    const auto nameBoxes = [&](const auto &group, const QLabel *caption) {
        for (QCheckBox *box : group)
            if (box)
                box->setAccessibleName(row(caption) + QStringLiteral(": ") + box->text());
    };
    nameBoxes(chkEPO, Label7);
    nameBoxes(chkOL, Label8);
    nameBoxes(chkSAR, Label13);
    nameBoxes(chkLR, Label14);
    nameBoxes(chkSW, Label15);
    nameBoxes(chkPP, Label16);
    nameBoxes(chkDT, Label17);
    nameBoxes(chkVR, Label6);

    // Every character reaches the number boxes as a key press, where the filter sees it;
    // nothing is dropped into them unseen either.
    for (QLineEdit *box : {txtPixels, txtCycle}) {
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->setAcceptDrops(false);
    }

    const QList<QWidget *> tabOrder = {
        Command1, txtLabel, cmdAdd, chkEPO[1], chkEPO[2], chkEPO[3], chkEPO[4], chkEPO[5], chkEPO[6],
        cboUland, cboGT, chkOL[0], chkOL[1], txtPixels, chkSAR[0], chkSAR[1],
        chkLR[0], chkLR[1], chkLR[2], chkSW[0], chkSW[1], chkPP[0], chkPP[1], chkDT[0], chkDT[1],
        txtCycle, chkVR[0], chkVR[1], chkOL[2],
    };
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    Command1->setFocus(); // first in the tab order, so it has the focus on opening
}

void frmAdd::connectEvents()
{
    auto group = [this](const auto &boxes, void (frmAdd::*handler)(int)) {
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[size_t(i)])
                connect(boxes[size_t(i)], &QCheckBox::toggled, this, [this, handler, i] { (this->*handler)(i); });
        }
    };
    group(chkSAR, &frmAdd::chkSAR_Click);
    group(chkSW, &frmAdd::chkSW_Click);
    group(chkPP, &frmAdd::chkPP_Click);
    group(chkDT, &frmAdd::chkDT_Click);
    group(chkVR, &frmAdd::chkVR_Click);
    group(chkOL, &frmAdd::chkOL_Click);
    group(chkLR, &frmAdd::chkLR_Click);

    txtPixels->installEventFilter(this);
    txtCycle->installEventFilter(this);
    platform::enterClicksFocusedButton(*this);
    platform::ignoreEscape(*this); // no cancel button: Esc keeps the edits; Exit or the close box leave

    connect(cmdAdd, &QPushButton::clicked, this, &frmAdd::cmdAdd_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdd::Command1_Click);
}

namespace {

// Ticks box `index` of a group (a negative index ticks none); the group's rule runs at once.
template <size_t N>
void tick(const std::array<QCheckBox *, N> &group, int index)
{
    if (index >= 0 && size_t(index) < N && group[size_t(index)])
        group[size_t(index)]->setChecked(true);
}

} // namespace

void frmAdd::Form_Load()
{
    cboGT->clear();
    cboGT->addItems(addconsist::typeItems());
    cboGT->setCurrentIndex(-1); // filling an empty list selects its first item; nothing is chosen yet
    cboUland->clear();
    cboUland->addItems(addconsist::countryItems());
    cboUland->setCurrentIndex(-1);

    // Ticking goes through setChecked, so each group's rule runs as after a click.
    const addconsist::Presets p = addconsist::presetsFor(g.gInherited);
    txtLabel->setText(p.label);
    for (int era : p.eras)
        tick(chkEPO, era);
    cboUland->setCurrentIndex(p.country); // -1 leaves nothing selected and the text empty
    cboGT->setCurrentIndex(p.type);
    tick(chkOL, p.overheadLine);
    txtPixels->setText(p.pixels);
    tick(chkSAR, p.pantograph);
    tick(chkLR, p.direction);
    tick(chkSW, p.switching);
    tick(chkPP, p.pushPull);
    tick(chkDT, p.doubleTraction);
    txtCycle->setText(p.cycle);
    tick(chkVR, 1);
    chkVR[0]->setEnabled(false);
    chkVR[1]->setEnabled(false);
}

void frmAdd::Command1_Click()
{
    reject();
}

void frmAdd::pairRule(const std::array<QCheckBox *, 2> &group, int Index)
{
    if (Index != 0 && Index != 1)
        return;
    // Setting the other box runs this rule for it, which finds this box already right.
    group[size_t(1 - Index)]->setChecked(!group[size_t(Index)]->isChecked());
}

void frmAdd::threeWayRule(const std::array<QCheckBox *, 3> &group, int Index)
{
    const auto order = addconsist::threeWayClearOrder(Index);
    if (!order || !group[size_t(Index)]->isChecked())
        return;
    for (int other : *order)
        group[size_t(other)]->setChecked(false);
}

void frmAdd::chkSAR_Click(int Index) { pairRule(chkSAR, Index); }
void frmAdd::chkSW_Click(int Index) { pairRule(chkSW, Index); }
void frmAdd::chkPP_Click(int Index) { pairRule(chkPP, Index); }
void frmAdd::chkDT_Click(int Index) { pairRule(chkDT, Index); }
void frmAdd::chkVR_Click(int Index) { pairRule(chkVR, Index); }
void frmAdd::chkOL_Click(int Index) { threeWayRule(chkOL, Index); }
void frmAdd::chkLR_Click(int Index) { threeWayRule(chkLR, Index); }

void frmAdd::numbersOnly(int &KeyAscii)
{
    if ((KeyAscii >= 48 && KeyAscii <= 57) || KeyAscii == 8)
        return;
    platform::tell(m_prompts, QStringLiteral("Only numbers allowed in text box"), platform::MsgIcon::Critical);
    KeyAscii = 0;
}

void frmAdd::txtPixels_KeyPress(int &KeyAscii) { numbersOnly(KeyAscii); }
void frmAdd::txtCycle_KeyPress(int &KeyAscii) { numbersOnly(KeyAscii); }

bool frmAdd::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == txtPixels || watched == txtCycle)) {
        int KeyAscii = typedCharacter(*static_cast<QKeyEvent *>(event));
        if (KeyAscii >= 0) {
            if (watched == txtPixels)
                txtPixels_KeyPress(KeyAscii);
            else
                txtCycle_KeyPress(KeyAscii);
            if (KeyAscii == 0)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
