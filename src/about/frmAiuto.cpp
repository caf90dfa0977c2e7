#include "about/frmAiuto.h"
#include "platform/widgets/QtPrompts.h"
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor kBackground(0x00, 0x48, 0x00);

} // namespace

frmAiuto::frmAiuto(QWidget *parent) : QDialog(parent)
{
    buildControls();
    connectEvents();
    Form_Load();
}

frmAiuto::~frmAiuto() = default;

void frmAiuto::buildControls()
{
    initBrenvikResources();
    setObjectName(QStringLiteral("frmAiuto"));
    setWindowTitle(QStringLiteral("How to use Brenvik"));
    // Sizable, but without minimize and maximize buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowIcon(brenvikIcon());
    QPalette green = palette();
    green.setColor(QPalette::Window, kBackground);
    setPalette(green);
    setAutoFillBackground(true);
    resize(767, 540); // 11505 x 8100 twips
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    // Fixed places in twips (97, 105, 11310 x 7410 and 97, 7590, 11310 x 405): a resize moves nothing.
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(6, 7, 754, 494);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/brenvik/help.bmp")));

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(6, 506, 754, 27);
    Command1->setFocus();
}

void frmAiuto::connectEvents()
{
    connect(Command1, &QPushButton::clicked, this, &frmAiuto::Command1_Click);
}

void frmAiuto::Form_Load()
{
}

void frmAiuto::Command1_Click()
{
    accept();
}
