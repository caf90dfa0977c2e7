#include "WindowTestSupport.h"
#include "about/frmAbout.h"
#include "about/frmAiuto.h"
#include "platform/widgets/FormStyle.h"
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QtEndian>
#include <cmath>

namespace {

constexpr double kTwipsPerUnit = 1.0649041;

// Bits per pixel of a compiled-in BMP, read from its header.
int bmpBitsPerPixel(const QString &resource)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return -1;
    return qFromLittleEndian<quint16>(head.constData() + 28);
}

// The train's pixel column for a Left in the window's units.
int trainPixel(double units)
{
    return int(std::lround(units * kTwipsPerUnit / 15.0));
}

class AboutTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        platform::initBrenvikResources();
    }
};

} // namespace

TEST_F(AboutTest, captionAndTitleNameTheProgram)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Brenvik"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Brenvik"));
}

TEST_F(AboutTest, descriptionKeepsItsTwentyOneBlanks)
{
    frmAbout about;
    EXPECT_EQ(about.lblDescription->text(),
              QStringLiteral("Palvenor, add Tosk and your vehicles into") + QString(21, QLatin1Char(' '))
                  + QStringLiteral("Ferolin v3.0 screen saver"));
    EXPECT_TRUE(about.lblDescription->wordWrap());
}

TEST_F(AboutTest, descriptionBreaksAfterItsBlanksOntoTwoLines)
{
    frmAbout about;
    const QLabel *label = about.lblDescription;
    const QString text = label->text();
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        lines << text.mid(line.textStart(), line.textLength());
        height += line.height();
    }
    layout.endLayout();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).trimmed(), QStringLiteral("Palvenor, add Tosk and your vehicles into"));
    EXPECT_EQ(lines.at(1), QStringLiteral("Ferolin v3.0 screen saver"));
    EXPECT_LE(height, label->height());
}

TEST_F(AboutTest, windowIsAFixedDialogOfItsTwipsSize)
{
    frmAbout about;
    EXPECT_EQ(about.size(), QSize(382, 237));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(0x00, 0x48, 0x00));
}

TEST_F(AboutTest, trainStartsAtItsDesignPlaceOnTheBlackBand)
{
    frmAbout about;
    EXPECT_NEAR(about.imaSettebelloLeft() * kTwipsPerUnit, 5580.0, 1e-6);
    EXPECT_EQ(about.imaSettebello->geometry(), QRect(372, 45, 1655, 58));
    EXPECT_EQ(about.Shape1->geometry().top(), about.imaSettebello->geometry().top());
    EXPECT_EQ(about.Shape1->geometry().height(), about.imaSettebello->geometry().height());
    // Only the train's front shows at the right edge.
    EXPECT_LT(about.imaSettebello->x(), about.width());
    EXPECT_EQ(about.mDirection, -1);
    EXPECT_TRUE(about.Timer1->isActive());
    EXPECT_EQ(about.Timer1->interval(), 50);
}

TEST_F(AboutTest, firstTickMovesTheTrainFortyUnitsLeft)
{
    frmAbout about;
    about.Timer1->stop();
    const double start = about.imaSettebelloLeft();
    about.Timer1_Timer();
    EXPECT_DOUBLE_EQ(about.imaSettebelloLeft(), start - 40);
    EXPECT_EQ(about.imaSettebello->x(), trainPixel(start - 40));
    EXPECT_EQ(about.mDirection, -1);
}

TEST_F(AboutTest, directionTurnsAtTheFirstTickPastEitherEnd)
{
    frmAbout about;
    about.Timer1->stop();

    // Leftwards until Left is -23600 or less, at that very tick.
    int ticks = 0;
    double before = about.imaSettebelloLeft();
    while (about.mDirection == -1 && ticks < 2000) {
        before = about.imaSettebelloLeft();
        about.Timer1_Timer();
        ++ticks;
    }
    ASSERT_EQ(about.mDirection, 1);
    EXPECT_GT(before, -23600.0);
    EXPECT_LE(about.imaSettebelloLeft(), -23600.0);
    EXPECT_EQ(ticks, int(std::ceil((5580.0 / kTwipsPerUnit + 23600.0) / 40.0)));
    // By then the whole train has left the window.
    EXPECT_LT(about.imaSettebello->geometry().right(), 0);

    // Rightwards until Left is 6000 or more, beyond the window's right edge.
    const double turnedAt = about.imaSettebelloLeft();
    ticks = 0;
    while (about.mDirection == 1 && ticks < 2000) {
        before = about.imaSettebelloLeft();
        about.Timer1_Timer();
        ++ticks;
    }
    ASSERT_EQ(about.mDirection, -1);
    EXPECT_LT(before, 6000.0);
    EXPECT_GE(about.imaSettebelloLeft(), 6000.0);
    EXPECT_EQ(ticks, int(std::ceil((6000.0 - turnedAt) / 40.0)));
    EXPECT_GE(about.imaSettebello->x(), about.width());

    // And back to the left on the next tick.
    const double right = about.imaSettebelloLeft();
    about.Timer1_Timer();
    EXPECT_DOUBLE_EQ(about.imaSettebelloLeft(), right - 40);
}

TEST_F(AboutTest, reopeningStartsAgainAtTheDesignPlaceMovingLeft)
{
    double start = 0;
    {
        frmAbout first;
        first.Timer1->stop();
        start = first.imaSettebelloLeft();
        for (int i = 0; i < 800; ++i) // past the left turn
            first.Timer1_Timer();
        ASSERT_EQ(first.mDirection, 1);
        first.show();
        first.cmdOK_Click();
        EXPECT_FALSE(first.Timer1->isActive());
    }
    frmAbout again;
    again.Timer1->stop();
    EXPECT_DOUBLE_EQ(again.imaSettebelloLeft(), start);
    EXPECT_EQ(again.mDirection, -1);
    again.Timer1_Timer();
    EXPECT_DOUBLE_EQ(again.imaSettebelloLeft(), start - 40);
}

TEST_F(AboutTest, okButtonClosesTheWindow)
{
    frmAbout about;
    about.show();
    ASSERT_TRUE(about.isVisible());
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(about.Timer1->isActive());
}

TEST_F(AboutTest, enterClosesTheWindow)
{
    frmAbout about;
    about.show();
    EXPECT_TRUE(about.cmdOK->isDefault());
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(about.Timer1->isActive());
}

TEST_F(AboutTest, escClosesTheWindow)
{
    frmAbout about;
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(about.Timer1->isActive());
}

TEST_F(AboutTest, picturesAreOfTheirStatedSizeAndDepth)
{
    const QImage train(QStringLiteral(":/brenvik/settebello.bmp"));
    EXPECT_EQ(train.size(), QSize(1655, 58));
    EXPECT_EQ(bmpBitsPerPixel(QStringLiteral(":/brenvik/settebello.bmp")), 24);
    const QImage notice(QStringLiteral(":/brenvik/notice.bmp"));
    EXPECT_EQ(notice.size(), QSize(54, 53));
    EXPECT_EQ(bmpBitsPerPixel(QStringLiteral(":/brenvik/notice.bmp")), 24);

    frmAbout about;
    ASSERT_FALSE(about.Image1->pixmap().isNull());
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(54, 53));
    EXPECT_EQ(about.imaSettebello->pixmap().size(), QSize(1655, 58));
}

TEST_F(AboutTest, trainRowsAreBlackAroundTheTrainAndItsWheelsReachTheBottom)
{
    const QImage train = QImage(QStringLiteral(":/brenvik/settebello.bmp")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(train.isNull());
    // Black at both far corners of the top row beside the noses, something on the bottom row.
    EXPECT_EQ(train.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(train.pixel(train.width() - 1, 0), qRgb(0, 0, 0));
    bool wheelOnBottom = false;
    for (int x = 0; x < train.width() && !wheelOnBottom; ++x)
        wheelOnBottom = train.pixel(x, train.height() - 1) != qRgb(0, 0, 0);
    EXPECT_TRUE(wheelOnBottom);
}

TEST_F(AboutTest, helpWindowCaptionAndPicture)
{
    frmAiuto help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("How to use Brenvik"));
    EXPECT_EQ(help.size(), QSize(767, 540));
    EXPECT_EQ(help.Command1->text(), QStringLiteral("Ok"));
    EXPECT_FALSE(help.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(help.windowFlags() & Qt::WindowMaximizeButtonHint);

    const QImage picture(QStringLiteral(":/brenvik/help.bmp"));
    EXPECT_EQ(picture.size(), QSize(755, 496));
    EXPECT_EQ(bmpBitsPerPixel(QStringLiteral(":/brenvik/help.bmp")), 24);
    ASSERT_FALSE(help.Picture1->pixmap().isNull());
    EXPECT_EQ(help.Picture1->pixmap().size(), QSize(755, 496));
    // Shown from its top-left corner; the Ok button spans the picture's width under it.
    EXPECT_EQ(help.Picture1->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(help.Command1->x(), help.Picture1->x());
    EXPECT_EQ(help.Command1->width(), help.Picture1->width());
    EXPECT_GT(help.Command1->y(), help.Picture1->geometry().bottom());
}

TEST_F(AboutTest, helpWindowResizesWithoutMovingItsControls)
{
    frmAiuto help;
    help.show();
    const QRect picture = help.Picture1->geometry(), ok = help.Command1->geometry();
    EXPECT_NE(help.minimumSize(), help.maximumSize());
    help.resize(900, 700);
    EXPECT_EQ(help.Picture1->geometry(), picture);
    EXPECT_EQ(help.Command1->geometry(), ok);
    help.resize(400, 300);
    EXPECT_EQ(help.Picture1->geometry(), picture);
    EXPECT_EQ(help.Command1->geometry(), ok);
}

TEST_F(AboutTest, helpOkClosesTheWindow)
{
    frmAiuto help;
    help.show();
    QTest::mouseClick(help.Command1, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(help.result(), QDialog::Accepted);
}

TEST_F(AboutTest, helpEscapeLeavesTheWindowOpen)
{
    frmAiuto help;
    help.show();
    QTest::keyClick(help.Command1, Qt::Key_Escape);
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_TRUE(help.isVisible());
}

TEST_F(AboutTest, helpCloseBoxClosesTheWindow)
{
    frmAiuto help;
    help.show();
    EXPECT_TRUE(help.close());
    EXPECT_FALSE(help.isVisible());
}
