#include "about/frmAbout.h"
#include "platform/Prompts.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/WindowKeys.h"
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

using platform::formstyle::px;
using platform::formstyle::twips;

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kBrown(0x80, 0x40, 0x00);

// The form keeps its own scale: one horizontal unit is this many twips.
constexpr double kTwipsPerUnit = 1.0649041;
constexpr double kDesignLeftTwips = 5580;
constexpr int kTrainTop = 45; // 675 twips
constexpr int kStepUnits = 40;
constexpr double kTurnLeft = -23600;
constexpr double kTurnRight = 6000;

// A horizontal line of the form, `thickness` pixels thick and centred on its row.
QRect hLine(double x1, double x2, double y, int thickness)
{
    return QRect(px(x1), px(y - thickness * platform::formstyle::kTwipsPerPixel / 2), px(x2 - x1), thickness);
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    buildControls();
    connectEvents();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::buildControls()
{
    platform::formstyle::setUpForm(*this, "frmAbout");
    setWindowFlags(platform::formstyle::closeBoxOnly());
    setFixedSize(px(5730), px(3555));
    platform::formstyle::paintWhiteOnGreen(*this);

    auto frame = [this](const char *name, QRect r, QColor colour) {
        auto *f = new QFrame(this);
        f->setObjectName(QLatin1String(name));
        f->setGeometry(r);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, colour);
        f->setPalette(p);
        f->setAutoFillBackground(true);
        return f;
    };
    auto label = [this](const char *name, QRect r, bool bold) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(r);
        l->setFont(platform::formstyle::sansSerif(bold));
        return l;
    };

    // Made from back to front, so each control lies over the ones made before it.
    Shape1 = frame("Shape1", twips(0, 675, 6198, 870), Qt::black);
    lblDisclaimer = label("lblDisclaimer", twips(990, 2520, 2700, 825), false);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setText(QStringLiteral("Brenvik composes trains for the Ferolin v3.0 screen saver. "
                                          "It is free software and comes without any warranty."));
    Line1[0] = frame("Line1_0", hLine(105, 5654, 2460, 2), Qt::white);
    lblTitle = label("lblTitle", twips(923, 240, 3885, 270), true);
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDescription = label("lblDescription", twips(90, 1800, 5579, 435), true);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QString firstLine = QStringLiteral("Palvenor, add Tosk and your vehicles into") + QString(21, QLatin1Char(' '));
    lblDescription->setText(firstLine + QStringLiteral("Ferolin v3.0 screen saver"));
    // The blanks after "into" are there to push the rest onto the second line; in a narrower
    // font they fall short, so the text keeps to the width of its first line and those blanks.
    const int textWidth = QFontMetrics(lblDescription->font()).horizontalAdvance(firstLine);
    lblDescription->setContentsMargins(0, 0, std::max(0, lblDescription->width() - textWidth), 0);
    Line1[1] = frame("Line1_1", hLine(90, 5654, 2445, 1), kGrey);
    Image1 = label("Image1", twips(105, 2520, 810, 795), false);
    Image1->setPixmap(QPixmap(QStringLiteral(":/brenvik/notice.bmp")));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The train paints every pixel of itself, so moving it repaints only what it uncovers.
    imaSettebello = label("imaSettebello", QRect(), false);
    imaSettebello->setAttribute(Qt::WA_OpaquePaintEvent);
    const QPixmap train(QStringLiteral(":/brenvik/settebello.bmp"));
    imaSettebello->setPixmap(train);
    imaSettebello->resize(train.isNull() ? QSize(px(24825), px(870)) : train.size());
    setImaSettebelloLeft(kDesignLeftTwips / kTwipsPerUnit);

    Line2 = frame("Line2", hLine(0, 6176, 666, 2), kGrey);
    Line3 = frame("Line3", hLine(0, 6176, 1557, 2), kGrey);
    Line4 = frame("Line4", hLine(0, 6176, 1579, 2), kBrown);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(4245, 2835, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
}

void frmAbout::connectEvents()
{
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    platform::enterClicksFocusedButton(*this);
    // Esc rejects the dialog; however it closes, the train stops with it.
    connect(this, &QDialog::finished, Timer1, &QTimer::stop);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + platform::kTitle);
    lblTitle->setText(platform::kTitle);
    mDirection = -1;
    Timer1->start();
}

void frmAbout::setImaSettebelloLeft(double units)
{
    m_left = units;
    imaSettebello->move(px(units * kTwipsPerUnit), kTrainTop);
}

void frmAbout::Timer1_Timer()
{
    setImaSettebelloLeft(imaSettebelloLeft() + kStepUnits * mDirection);
    const double left = imaSettebelloLeft();
    if (left <= kTurnLeft || left >= kTurnRight)
        mDirection = -mDirection;
}

void frmAbout::cmdOK_Click()
{
    accept();
}
