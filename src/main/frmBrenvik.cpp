#include "main/frmBrenvik.h"
#include "main/Library.h"
#include "main/Variations.h"
#include "platform/TextRows.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/WindowKeys.h"
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// A push button whose caption wraps onto two lines when it is wider than the button.
class WrappedButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect area = rect().adjusted(2, 2, -2, -2);
        painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(), caption,
                             QPalette::ButtonText);
    }
};

} // namespace

frmBrenvik::frmBrenvik(mc_Brenvik &state, platform::Prompts &prompts, QWidget *parent)
    : QMainWindow(parent), g(state), m_prompts(prompts)
{
    showModal = [](QDialog &dialog) { dialog.exec(); };
    buildControls();
    connectEvents();
    Form_Load();
}

frmBrenvik::~frmBrenvik() = default;

void frmBrenvik::buildControls()
{
    platform::formstyle::setUpForm(*this, "frmBrenvik", platform::kTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(760, 501);
    platform::formstyle::paintWhiteOnGreen(*client);
    client->setFont(platform::formstyle::sansSerif(false));
    setCentralWidget(client);

    // Created before picConsist, so the band lies behind the train.
    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/brenvik/consist_band.png")));
    Image1->setGeometry(0, 6, 760, 70);

    picConsist = new platform::PictureBox(QStringLiteral("picConsist"), Qt::black, 0, 9, 39, 38, client);
    picConsist->setAccessibleName(tr("Consist area"));

    const auto pictureButton = [client](const char *name, const char *picture, int left, int top, const QString &does) {
        auto *button = new QPushButton(client);
        button->setObjectName(QLatin1String(name));
        button->setIcon(QIcon(QStringLiteral(":/brenvik/%1.png").arg(QLatin1String(picture))));
        button->setIconSize(QSize(16, 16));
        button->setGeometry(left, top, 21, 20);
        button->setToolTip(does);
        button->setAccessibleName(does);
        return button;
    };
    cmdLBegin = pictureButton("cmdLBegin", "lbegin", 8, 80, tr("Show the train's left end"));
    cmdLeft = pictureButton("cmdLeft", "left", 30, 80, tr("Slide the train right, showing more of its left side"));
    cmdAdd = pictureButton("cmdAdd", "add", 401, 80, tr("Insert the vehicle"));
    cmdUndo = pictureButton("cmdUndo", "undo", 423, 80, tr("Undo the last insert"));
    cmdReset = pictureButton("cmdReset", "reset", 445, 80, tr("Reset the consist"));
    cmdX = pictureButton("cmdX", "makeconsist", 467, 80, tr("Make the train"));

    chkInherit = new QCheckBox(QStringLiteral("Inherit Attributes"), client);
    chkInherit->setObjectName(QStringLiteral("chkInherit"));
    chkInherit->setGeometry(522, 80, 116, 18);
    chkInherit->setChecked(false);
    platform::formstyle::paintWhiteOnGreen(*chkInherit);

    cmdRight = pictureButton("cmdRight", "right", 709, 80, tr("Slide the train left, showing more of its right side"));
    cmdRBegin = pictureButton("cmdRBegin", "rbegin", 731, 80, tr("Show the train's right end"));

    Label1 = new QLabel(QStringLiteral("Label") + QString(34, QLatin1Char(' ')) + QStringLiteral("Country  Era"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 103, 383, 20);
    Label1->setFont(platform::formstyle::fixedPitch());
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1->setLineWidth(1);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    {
        QPalette pal = Label1->palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Button));
        pal.setColor(QPalette::WindowText, pal.color(QPalette::ButtonText));
        Label1->setPalette(pal);
        Label1->setAutoFillBackground(true);
    }

    cmdUpd = pictureButton("cmdUpd", "upd", 401, 104, tr("Queue the single vehicle"));
    picPreview = new platform::PictureBox(QStringLiteral("picPreview"), platform::formstyle::green(), 423, 104, 13, 13, client);

    lstSource = new platform::ListBox(QStringLiteral("lstSource"), client);
    lstSource->setGeometry(8, 125, 383, 214);
    lstSource->setFont(platform::formstyle::fixedPitch());
    lstSource->setAccessibleName(tr("Library vehicles"));

    // The add-consist window's scratch picture; it is drawn on but never shown.
    picAppo = new platform::PictureBox(QStringLiteral("picAppo"), client->palette().color(QPalette::Base), 600, 189, 149, 61, client);
    picAppo->hide();

    picVAR = new platform::PictureBox(QStringLiteral("picVAR"), platform::formstyle::green(), 401, 205, 13, 13, client);
    picVAR->setAccessibleName(tr("Variation overlay"));
    picPreview->setAccessibleName(tr("Vehicle preview"));

    cmdVarSu = pictureButton("cmdVarSu", "varsu", 401, 280, tr("Next variation"));
    cmdVarGiu = pictureButton("cmdVarGiu", "vargiu", 423, 280, tr("Previous variation"));

    lblVAR = new QLabel(QStringLiteral("Variation:"), client);
    lblVAR->setObjectName(QStringLiteral("lblVAR"));
    lblVAR->setGeometry(447, 282, 173, 15);
    platform::formstyle::paintWhiteOnGreen(*lblVAR);

    const auto textButton = [client](const char *name, const QString &caption, int left) {
        QPushButton *button = new WrappedButton(caption, client);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(caption);
        button->setGeometry(left, 318, 88, 28);
        return button;
    };
    Command1 = textButton("Command1", QStringLiteral("Erase Last"), 488);
    Command4 = textButton("Command4", QStringLiteral("Replace USER_BMP.INI"), 576);
    Command3 = textButton("Command3", QStringLiteral("Append to USER_BMP.INI"), 664);

    lstOriginalFile = new platform::ListBox(QStringLiteral("lstOriginalFile"), client);
    lstOriginalFile->setGeometry(8, 351, 744, 144);
    lstOriginalFile->setFont(platform::formstyle::fixedPitch());
    lstOriginalFile->setAccessibleName(tr("Queued USER_BMP.INI entries"));

    const auto menuItem = [this](QMenu *menu, const char *name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        menu->addAction(action);
        return action;
    };
    menuFile = menuBar()->addMenu(QStringLiteral("&File"));
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuOpen = menuItem(menuFile, "menuOpen", QStringLiteral("&Open"));
    menuFind = menuItem(menuFile, "menuFind", QStringLiteral("Find/Edit  &USER_BMP.INI"));
    menuExit = menuItem(menuFile, "menuExit", QStringLiteral("&Exit"));
    menux = menuBar()->addMenu(QStringLiteral("?"));
    menux->setObjectName(QStringLiteral("menux"));
    menuHelp = menuItem(menux, "menuHelp", QStringLiteral("&Help"));
    menuAbout = menuItem(menux, "menuAbout", QStringLiteral("&About"));

    // The window takes the client area plus the menu bar and cannot be resized; it opens in the
    // middle of the screen.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    platform::formstyle::centreOnScreen(*this);
}

void frmBrenvik::connectEvents()
{
    connect(menuOpen, &QAction::triggered, this, &frmBrenvik::menuOpen_Click);
    connect(menuFind, &QAction::triggered, this, &frmBrenvik::menuFind_Click);
    connect(menuExit, &QAction::triggered, this, &frmBrenvik::menuExit_Click);
    connect(menuHelp, &QAction::triggered, this, &frmBrenvik::menuHelp_Click);
    connect(menuAbout, &QAction::triggered, this, &frmBrenvik::menuAbout_Click);

    connect(lstSource, &platform::ListBox::Click, this, &frmBrenvik::lstSource_Click);
    connect(cmdVarSu, &QPushButton::clicked, this, &frmBrenvik::cmdVarSu_Click);
    connect(cmdVarGiu, &QPushButton::clicked, this, &frmBrenvik::cmdVarGiu_Click);

    connect(cmdAdd, &QPushButton::clicked, this, &frmBrenvik::cmdAdd_Click);
    connect(cmdUndo, &QPushButton::clicked, this, &frmBrenvik::cmdUndo_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmBrenvik::cmdReset_Click);
    connect(cmdLBegin, &QPushButton::clicked, this, &frmBrenvik::cmdLBegin_Click);
    connect(cmdLeft, &QPushButton::clicked, this, &frmBrenvik::cmdLeft_Click);
    connect(cmdRight, &QPushButton::clicked, this, &frmBrenvik::cmdRight_Click);
    connect(cmdRBegin, &QPushButton::clicked, this, &frmBrenvik::cmdRBegin_Click);
    connect(cmdX, &QPushButton::clicked, this, &frmBrenvik::cmdX_Click);

    connect(cmdUpd, &QPushButton::clicked, this, &frmBrenvik::cmdUpd_Click);
    connect(Command1, &QPushButton::clicked, this, &frmBrenvik::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmBrenvik::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmBrenvik::Command4_Click);
    platform::enterClicksFocusedButton(*this);
}

void frmBrenvik::Form_Load()
{
    mVarName = variations::slotNames();
    // Only the plain picture is there until a vehicle is selected.
    mVarExists = variations::plainOnly();
    mLastWidth = 0;
    // No USER_BMP.INI, no library and no inherited attributes yet.
    g.gIniPath.clear();
    g.gLibraryFile.clear();
    g.gInherited.Path.clear();
    g.gConsistCount = 0;
    g.gSpecialCount = 0;
}

void frmBrenvik::menuOpen_Click()
{
    platform::OpenDialog dialog;
    dialog.filter = QStringLiteral("Source File (*.txt)|*.txt");
    dialog.fileName = QStringLiteral("*.txt");
    dialog.title = QStringLiteral("Get the Source Atributes File");
    dialog.initDir = QDir::currentPath();
    const std::optional<QString> chosen = m_prompts.openFile(dialog);
    if (!chosen)
        return;
    // The dialog closed without naming a file.
    if (*chosen == QLatin1String("*.txt") || chosen->isEmpty())
        return;

    g.gLibraryFile = *chosen;
    if (const std::optional<QString> folder = library::libFolderFromFile(g.gLibraryFile))
        g.gLibFolder = *folder;
    LoadList();
}

void frmBrenvik::LoadList()
{
    platform::Status read = platform::Status::success();
    {
        const platform::BusyPointer busy(m_prompts);
        lstSource->Clear();
        QList<VehicleRecord> records;
        // A list filled anew has no vehicle picked yet, whatever the old selection named.
        g.gSelVehicle = 0;
        read = library::readLibrary(g.gLibraryFile, g.gLibFolder, records);
        if (read) {
            // An empty library keeps the old table, but its trains go into its own folder.
            g.gLibBase = library::libBase(records, g.gLibFolder);
            if (!records.isEmpty()) {
                platform::TextRows lines;
                lines.reserve(records.size(), records.size() * library::kListLineLength);
                for (const VehicleRecord &vehicle : std::as_const(records))
                    library::writeListLine(vehicle, lines.appendRow(library::kListLineLength));
                lstSource->AddItems(lines);
                g.gVehicles = std::move(records);
            }
            chkInherit->setChecked(false);
        }
    }
    // Reported once the pointer is back to the arrow.
    if (!read)
        platform::tell(m_prompts, read.message(QStringLiteral("read")));
}
