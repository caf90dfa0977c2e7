// The main window's pictures: the program icon, the consist band and the button pictures.
#include "pictures.h"
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// The sixteen colours of the classic palette; the icon uses nothing else.
const QRgb kBlack = qRgb(0x00, 0x00, 0x00);
const QRgb kMaroon = qRgb(0x80, 0x00, 0x00);
const QRgb kNavy = qRgb(0x00, 0x00, 0x80);
const QRgb kGrey = qRgb(0x80, 0x80, 0x80);
const QRgb kSilver = qRgb(0xC0, 0xC0, 0xC0);
const QRgb kYellow = qRgb(0xFF, 0xFF, 0x00);
const QRgb kCyan = qRgb(0x00, 0xFF, 0xFF);
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);

QList<QRgb> sixteenColours()
{
    return {kBlack, kMaroon, qRgb(0x00, 0x80, 0x00), qRgb(0x80, 0x80, 0x00), kNavy, qRgb(0x80, 0x00, 0x80),
            qRgb(0x00, 0x80, 0x80), kSilver, kGrey, qRgb(0xFF, 0x00, 0x00), qRgb(0x00, 0xFF, 0x00), kYellow,
            qRgb(0x00, 0x00, 0xFF), qRgb(0xFF, 0x00, 0xFF), kCyan, kWhite};
}

void fill(QImage &img, int x0, int y0, int x1, int y1, QRgb colour)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            img.setPixel(x, y, colour);
}

// The front of an electric locomotive under its pantograph, standing on the rail.
QImage programIcon()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    // Pantograph: the contact bar and its folded arms.
    fill(img, 10, 1, 21, 1, kBlack);
    for (int i = 0; i < 4; ++i) {
        img.setPixel(12 + i, 2 + i, kBlack);
        img.setPixel(19 - i, 2 + i, kBlack);
    }
    // The rest as rectangles (left, top, right, bottom, inclusive), each painted over those before.
    const struct {
        int x0, y0, x1, y1;
        QRgb colour;
    } patches[] = {
        {14, 6, 17, 6, kBlack},    // pantograph foot
        {8, 7, 23, 8, kGrey},      // roof
        {6, 9, 25, 26, kMaroon},   // body
        {7, 9, 24, 9, kSilver},    // its top edge
        {8, 11, 14, 15, kNavy},    // windscreens
        {17, 11, 23, 15, kNavy},
        {9, 12, 9, 12, kCyan},     // their highlights
        {18, 12, 18, 12, kCyan},
        {6, 18, 25, 19, kYellow},  // warning stripe
        {8, 22, 10, 23, kWhite},   // lamps
        {21, 22, 23, 23, kWhite},
        {14, 21, 17, 24, kSilver}, // number plate
        {5, 27, 26, 28, kBlack},   // buffer beam
        {4, 27, 6, 28, kSilver},   // buffers
        {25, 27, 27, 28, kSilver},
        {9, 29, 22, 30, kBlack},   // bogie
        {0, 31, 31, 31, kGrey},    // rail
    };
    for (const auto &p : patches)
        fill(img, p.x0, p.y0, p.x1, p.y1, p.colour);

    QList<QRgb> table = sixteenColours();
    table.append(qRgba(0, 0, 0, 0));
    return img.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

// Black band with the overhead wire on row 2, the rail on row 61 and the dashed sleepers on row 62.
QImage consistBand()
{
    QImage img(760, 70, QImage::Format_RGB32);
    img.fill(kBlack);
    fill(img, 0, 2, 759, 2, kGrey);
    fill(img, 0, 61, 759, 61, kGrey);
    for (int x = 0; x < 760; ++x)
        if ((x / 4) % 2 == 0)
            img.setPixel(x, 62, kGrey);
    return img;
}

const QRgb kGlyph = qRgb(0x10, 0x10, 0x10);

QImage blankButton()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// An arrow pointing right: shaft from column `shaftFrom`, head of six columns from `headFrom`.
void drawArrowRight(QImage &img, int shaftFrom, int headFrom)
{
    fill(img, shaftFrom, 6, headFrom - 1, 9, kGlyph);
    for (int i = 0; i < 6; ++i)
        fill(img, headFrom + i, 2 + i, headFrom + i, 13 - i, kGlyph);
}

// The picture turned so that what pointed right points up (or down).
QImage pointUp(const QImage &right)
{
    QImage img = blankButton();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            img.setPixel(x, y, right.pixel(15 - y, x));
    return img;
}

QImage pointDown(const QImage &right)
{
    return pointUp(right).mirrored(false, true);
}

QImage rightArrow()
{
    QImage img = blankButton();
    drawArrowRight(img, 2, 8);
    return img;
}

// Right arrow against a bar: to the right end.
QImage rightEnd()
{
    QImage img = blankButton();
    drawArrowRight(img, 1, 6);
    fill(img, 13, 2, 14, 13, kGlyph);
    return img;
}

QImage undoArrow()
{
    QImage img = blankButton();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(kGlyph), 2.2, Qt::SolidLine, Qt::FlatCap));
    QPainterPath arc;
    arc.moveTo(13.5, 12.5);
    arc.arcTo(QRectF(3.5, 3.5, 10.0, 10.0), 0.0, 180.0);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kGlyph));
    p.drawPolygon(QPolygonF{QPointF(-0.5, 8.0), QPointF(7.5, 8.0), QPointF(3.5, 12.5)});
    return img;
}

QImage cross()
{
    QImage img = blankButton();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xA0, 0x00, 0x00), 2.6, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    return img;
}

} // namespace

bool writeWindowPictures(const QString &outDir)
{
    const QDir d(outDir);
    const auto save = [&d](const QImage &img, const char *name) {
        return img.save(d.filePath(QLatin1String(name)), "PNG");
    };
    const QImage right = rightArrow();
    const QImage up = pointUp(right);
    const QImage down = pointDown(right);
    bool ok = true;
    ok &= save(programIcon(), "brenvik.png");
    ok &= save(consistBand(), "consist_band.png");
    ok &= save(rightEnd().mirrored(true, false), "lbegin.png");
    ok &= save(right.mirrored(true, false), "left.png");
    ok &= save(up, "add.png");
    ok &= save(undoArrow(), "undo.png");
    ok &= save(cross(), "reset.png");
    ok &= save(down, "makeconsist.png");
    ok &= save(right, "right.png");
    ok &= save(rightEnd(), "rbegin.png");
    ok &= save(down, "upd.png");
    ok &= save(up, "varsu.png");
    ok &= save(down, "vargiu.png");
    return ok;
}
