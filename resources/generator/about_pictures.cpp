// The About window's two pictures: the long train that slides across the black band, and the
// small signal beside the notice.
#include "pictures.h"
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBodyGreen(0x2f, 0x6e, 0x3b);
const QColor kBodyGrey(0xc4, 0xc8, 0xc4);
const QColor kRoofGrey(0x8c, 0x90, 0x8c);
const QColor kWindow(0x1c, 0x2a, 0x38);
const QColor kGlint(0x5a, 0x78, 0x90);
const QColor kFrame(0x3a, 0x3a, 0x3a);
const QColor kWheel(0x70, 0x70, 0x70);
const QColor kStripe(0xe8, 0xe0, 0x90);

constexpr int kTrainWidth = 1655;
constexpr int kTrainHeight = 58;
constexpr int kRoofTop = 14;      // pantographs stand on this row
constexpr int kBodyBottom = 46;
constexpr int kWheelRadius = 5;   // wheels touch the bottom row

enum class CarEnd { Flat, NoseLeft, NoseRight };

// Outline of one car; an end car gets a long rounded nose with the cab on its tip.
QPainterPath carOutline(int x, int w, CarEnd end)
{
    QPainterPath p;
    const qreal top = kRoofTop + 1, bottom = kBodyBottom;
    if (end == CarEnd::Flat) {
        p.addRoundedRect(QRectF(x, top, w, bottom - top), 3, 3);
        return p;
    }
    // Drawn for a nose on the left, mirrored for the right.
    const qreal nose = 46;
    p.moveTo(x + nose, top);
    p.lineTo(x + w - 2, top);
    p.quadTo(x + w, top, x + w, top + 2);
    p.lineTo(x + w, bottom);
    p.lineTo(x + 4, bottom);
    p.quadTo(x, bottom, x, bottom - 6);
    p.cubicTo(x, top + 14, x + 14, top, x + nose, top);
    p.closeSubpath();
    if (end == CarEnd::NoseRight) {
        QTransform mirror;
        mirror.translate(2 * x + w, 0);
        mirror.scale(-1, 1);
        p = mirror.map(p);
    }
    return p;
}

void drawBogie(QPainter &g, int centre)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kFrame);
    g.drawRect(centre - 15, kBodyBottom + 2, 30, 5);
    for (int dx : {-9, 9}) {
        const QPointF hub(centre + dx, kTrainHeight - kWheelRadius - 0.5);
        g.setBrush(kWheel);
        g.drawEllipse(hub, kWheelRadius, kWheelRadius);
        g.setBrush(kFrame);
        g.drawEllipse(hub, 1.6, 1.6);
    }
}

// A single-arm pantograph, raised: base on the roof, knee to the right, head at the top.
void drawPantograph(QPainter &g, int x)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kFrame);
    g.drawRect(x - 10, kRoofTop - 2, 12, 2);
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 1.5));
    g.drawLine(QPointF(x - 7, kRoofTop - 1.5), QPointF(x + 8, 8));
    g.drawLine(QPointF(x + 8, 8), QPointF(x - 1, 2.5));
    g.setPen(QPen(QColor(0xe0, 0xe0, 0xe0), 2));
    g.drawLine(QPointF(x - 9, 1.5), QPointF(x + 7, 1.5));
}

void drawCar(QPainter &g, int x, int w, CarEnd end, bool pantograph)
{
    const QPainterPath outline = carOutline(x, w, end);
    g.save();
    g.setClipPath(outline);
    g.fillRect(x, kRoofTop, w, 5, kRoofGrey);
    g.fillRect(x, kRoofTop + 5, w, 13, kBodyGrey);
    g.fillRect(x, kRoofTop + 18, w, 1, kStripe);
    g.fillRect(x, kRoofTop + 19, w, kBodyBottom - kRoofTop - 19, kBodyGreen);
    g.fillRect(x, kBodyBottom - 3, w, 1, kStripe);

    // Passenger windows between the doors; end cars keep their nose free for the cab.
    const int first = end == CarEnd::NoseLeft ? x + 58 : x + 16;
    const int last = end == CarEnd::NoseRight ? x + w - 58 : x + w - 16;
    for (int wx = first; wx + 14 <= last; wx += 19) {
        g.fillRect(wx, kRoofTop + 7, 14, 9, kWindow);
        g.fillRect(wx + 1, kRoofTop + 8, 4, 2, kGlint);
    }
    // Doors near both car ends.
    for (int dx : {end == CarEnd::NoseLeft ? 48 : 5, end == CarEnd::NoseRight ? w - 57 : w - 14}) {
        g.fillRect(x + dx, kRoofTop + 7, 9, kBodyBottom - kRoofTop - 11, QColor(0x24, 0x58, 0x2f));
        g.fillRect(x + dx + 2, kRoofTop + 8, 5, 7, kWindow);
    }
    // The cab's wrap-round windscreen and a headlight on the tip of the nose.
    if (end != CarEnd::Flat) {
        const bool left = end == CarEnd::NoseLeft;
        QPainterPath screen;
        const qreal sx = left ? x + 10 : x + w - 10;
        const qreal dir = left ? 1 : -1;
        screen.moveTo(sx, kRoofTop + 16);
        screen.cubicTo(sx + dir * 4, kRoofTop + 8, sx + dir * 14, kRoofTop + 5, sx + dir * 30, kRoofTop + 5);
        screen.lineTo(sx + dir * 30, kRoofTop + 15);
        screen.closeSubpath();
        g.setPen(Qt::NoPen);
        g.setBrush(kWindow);
        g.drawPath(screen);
        g.setBrush(QColor(0xff, 0xf4, 0xc0));
        g.drawEllipse(QPointF(left ? x + 4 : x + w - 4, kBodyBottom - 8), 1.8, 1.8);
    }
    g.restore();

    g.setPen(QPen(QColor(0x1a, 0x3a, 0x20), 1));
    g.setBrush(Qt::NoBrush);
    g.drawPath(outline);

    // Equipment boxes under the floor, then the two bogies.
    g.fillRect(x + w / 2 - 30, kBodyBottom, 60, 4, kFrame);
    drawBogie(g, x + (end == CarEnd::NoseLeft ? 40 : 22));
    drawBogie(g, x + w - (end == CarEnd::NoseRight ? 40 : 22));
    if (pantograph)
        drawPantograph(g, x + w / 2);
}

QImage drawTrain()
{
    QImage img(kTrainWidth, kTrainHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);

    // Seven cars: the two end cars with noses, pantographs on the second, fourth and sixth.
    constexpr int cars = 7, gap = 6, endCar = 245;
    const int middleCar = (kTrainWidth - 4 - 2 * endCar - (cars - 1) * gap) / (cars - 2);
    int x = 2;
    for (int i = 0; i < cars; ++i) {
        const bool first = i == 0, last = i == cars - 1;
        const int w = (first || last) ? endCar : middleCar;
        const CarEnd end = first ? CarEnd::NoseLeft : last ? CarEnd::NoseRight : CarEnd::Flat;
        drawCar(g, x, w, end, i % 2 == 1);
        if (!last) // the bellows between two cars
            g.fillRect(x + w, kRoofTop + 5, gap, kBodyBottom - kRoofTop - 8, QColor(0x30, 0x30, 0x30));
        x += w + gap;
    }
    return img;
}

// A three-lamp colour-light signal showing red, on its mast beside a stretch of track.
QImage drawNotice()
{
    QImage img(54, 53, QImage::Format_RGB32);
    img.fill(QColor(0x00, 0x48, 0x00));
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);

    g.fillRect(0, 44, 54, 9, QColor(0x6a, 0x60, 0x52));      // ballast
    g.fillRect(0, 45, 54, 2, QColor(0xa0, 0xa0, 0xa8));      // rail
    for (int sx = 2; sx < 54; sx += 8)
        g.fillRect(sx, 47, 5, 3, QColor(0x4a, 0x34, 0x20)); // sleepers

    g.fillRect(26, 22, 3, 23, QColor(0x90, 0x90, 0x90));     // mast
    g.fillRect(22, 42, 11, 3, QColor(0x60, 0x60, 0x60));     // foot

    g.setPen(QPen(QColor(0xe0, 0xe0, 0xe0), 1));
    g.setBrush(QColor(0x10, 0x10, 0x10));
    g.drawRoundedRect(QRectF(19.5, 2.5, 16, 30), 7, 7);     // head with its white edge

    const QColor lamps[3] = {QColor(0xff, 0x30, 0x20), QColor(0x50, 0x44, 0x10), QColor(0x10, 0x40, 0x20)};
    g.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        g.setBrush(lamps[i]);
        g.drawEllipse(QPointF(27.5, 9.5 + 8 * i), 3.2, 3.2);
    }
    // The glow of the lit lamp.
    g.setBrush(QColor(0xff, 0xc0, 0xb0));
    g.drawEllipse(QPointF(26.6, 8.6), 1, 1);
    return img;
}

bool saveBmp24(const QImage &img, const QString &path)
{
    return img.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
}

} // namespace

bool writeAboutPictures(const QString &outDir)
{
    const QDir d(outDir);
    return saveBmp24(drawTrain(), d.filePath(QStringLiteral("settebello.bmp")))
        && saveBmp24(drawNotice(), d.filePath(QStringLiteral("notice.bmp")));
}
