#include "about/frmAiuto.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/WindowKeys.h"
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

frmAiuto::frmAiuto(QWidget *parent) : QDialog(parent)
{
    buildControls();
    connectEvents();
}

frmAiuto::~frmAiuto() = default;

void frmAiuto::buildControls()
{
    platform::formstyle::setUpForm(*this, "frmAiuto", QStringLiteral("How to use Brenvik"));
    // Sizable, but without minimize and maximize buttons.
    setWindowFlags(platform::formstyle::closeBoxOnly());
    platform::formstyle::paintWhiteOnGreen(*this);
    resize(platform::formstyle::px(11505), platform::formstyle::px(8100));
    platform::formstyle::centreOnScreen(*this);

    // Fixed places: a resize moves nothing.
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(platform::formstyle::twips(97, 105, 11310, 7410));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/brenvik/help.bmp")));

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(platform::formstyle::twips(97, 7590, 11310, 405));
    Command1->setFocus();
}

void frmAiuto::connectEvents()
{
    connect(Command1, &QPushButton::clicked, this, &frmAiuto::Command1_Click);
    platform::enterClicksFocusedButton(*this);
    platform::ignoreEscape(*this); // Ok is no cancel button: Ok or the close box leave
}

void frmAiuto::Command1_Click()
{
    accept();
}
