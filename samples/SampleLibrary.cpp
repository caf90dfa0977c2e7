// Our own small vehicle library: every vehicle is drawn here, 58 pixels high on black, with the
// wheels on the bottom row so that they stand on the consist area's rail.
#include "SampleLibrary.h"
#include "LibraryLine.h"
#include "shared/mc_Brenvik.h"
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <cmath>
#include <numbers>

namespace {

constexpr int H = kVehicleHeight;

const QColor kWheel(0x68, 0x68, 0x68);
const QColor kHub(0x30, 0x30, 0x30);
const QColor kFrame(0x2c, 0x2c, 0x2c);
const QColor kBuffer(0x90, 0x90, 0x90);
const QColor kGlass(0x1a, 0x26, 0x34);
const QColor kRoof(0x76, 0x7a, 0x80);
const QColor kLampOff(0x80, 0x80, 0x78);
const QColor kLampOn(0xff, 0xfa, 0xd8);
const QColor kTail(0xff, 0x20, 0x18);

// What a drawing is asked for: the plain vehicle, one of its variations ("N0", "S9", ...),
// its raised pantographs ("SAR"), and the animation frame.
struct Look {
    QString variant;
    int frame = 0;
    bool is(const char *name) const { return variant == QLatin1String(name); }
};

using Drawing = void (*)(QPainter &g, int w, const Look &look);

void wheel(QPainter &g, qreal cx, qreal r, QColor rim = kWheel)
{
    g.setPen(Qt::NoPen);
    g.setBrush(rim);
    g.drawEllipse(QPointF(cx, H - r), r, r);
    g.setBrush(kHub);
    g.drawEllipse(QPointF(cx, H - r), r * 0.35, r * 0.35);
}

// A two-axle bogie with its frame over the wheels.
void bogie(QPainter &g, qreal cx, qreal half, qreal r)
{
    wheel(g, cx - half, r);
    wheel(g, cx + half, r);
    g.fillRect(QRectF(cx - half - r + 1, H - r - 3, 2 * (half + r) - 2, 3), kFrame);
}

void buffers(QPainter &g, int w, int y)
{
    g.fillRect(0, y, 3, 3, kBuffer);
    g.fillRect(w - 3, y, 3, 3, kBuffer);
}

// Underframe from row `floor`, a bogie `inset` from each end, buffers on row `bufferRow`.
void runningGear(QPainter &g, int w, int floor, qreal inset, qreal half, qreal r, int bufferRow)
{
    g.fillRect(3, floor, w - 6, 2, kFrame);
    bogie(g, inset, half, r);
    bogie(g, w - inset, half, r);
    buffers(g, w, bufferRow);
}

// The cab windows at both ends.
void cabWindows(QPainter &g, int w, int inset, int top, int width, int height)
{
    g.fillRect(inset, top, width, height, kGlass);
    g.fillRect(w - inset - width, top, width, height, kGlass);
}

void body(QPainter &g, const QRectF &r, QColor colour, qreal radius = 3)
{
    g.setPen(QPen(colour.darker(150), 1));
    g.setBrush(colour);
    g.drawRoundedRect(r, radius, radius);
}

// A row of equal windows, as many as fit between x0 and x1, centred there.
void windows(QPainter &g, qreal x0, qreal x1, qreal y, qreal w, qreal h, qreal pitch)
{
    const int count = int((x1 - x0 - w) / pitch) + 1;
    const qreal start = x0 + (x1 - x0 - (w + (count - 1) * pitch)) / 2;
    for (qreal x = start; count > 0 && x + w <= x1 + 0.5; x += pitch) {
        g.fillRect(QRectF(x, y, w, h), kGlass);
        g.fillRect(QRectF(x + 1, y + 1, 3, 1), QColor(0x60, 0x78, 0x90));
    }
}

void lamp(QPainter &g, qreal x, qreal y, QColor c)
{
    g.setPen(Qt::NoPen);
    g.setBrush(c);
    g.drawEllipse(QPointF(x, y), 1.6, 1.6);
}

// A pantograph whose base stands on `roof`: folded down onto the roof, or raised to the wire.
void pantograph(QPainter &g, qreal x, qreal roof, bool raised)
{
    g.fillRect(QRectF(x - 9, roof - 2, 18, 2), QColor(0x50, 0x50, 0x50));
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(0xc8, 0xc8, 0xc8), 1.2));
    const qreal head = raised ? 1.5 : roof - 5;
    const qreal knee = raised ? (roof + head) / 2 : roof - 3.5;
    g.drawLine(QPointF(x - 6, roof - 2), QPointF(x + 6, knee));
    g.drawLine(QPointF(x + 6, knee), QPointF(x - 1, head + 0.5));
    g.setPen(QPen(QColor(0xe8, 0xe8, 0xe8), 1.6));
    g.drawLine(QPointF(x - 8, head), QPointF(x + 6, head));
}

// Rods of a steam engine: each crank pin stands `angle` round from the bottom.
QPointF crank(qreal cx, qreal cy, qreal radius, qreal angle)
{
    return {cx + radius * std::sin(angle), cy + radius * std::cos(angle)};
}

void spokedWheel(QPainter &g, qreal cx, qreal r, QColor rim, qreal angle)
{
    const QPointF c(cx, H - r);
    g.setPen(Qt::NoPen);
    g.setBrush(rim);
    g.drawEllipse(c, r, r);
    g.setBrush(QColor(0x18, 0x18, 0x18));
    g.drawEllipse(c, r - 1.6, r - 1.6);
    g.setPen(QPen(rim, 1));
    for (int k = 0; k < 4; ++k) {
        const qreal a = angle + k * std::numbers::pi / 4;
        g.drawLine(c + QPointF((r - 1.5) * std::sin(a), (r - 1.5) * std::cos(a)),
                   c - QPointF((r - 1.5) * std::sin(a), (r - 1.5) * std::cos(a)));
    }
    g.setPen(Qt::NoPen);
    g.setBrush(rim);
    g.drawEllipse(c, 1.6, 1.6);
}

void electricEL12(QPainter &g, int w, const Look &look)
{
    const QColor blue(0x1f, 0x50, 0xa8);
    pantograph(g, 32, 16, false);
    pantograph(g, w - 32, 16, false);
    g.fillRect(8, 15, w - 16, 4, kRoof);
    body(g, QRectF(3, 18, w - 6, 27), blue, 4);
    g.fillRect(4, 38, w - 8, 2, QColor(0xf0, 0xf0, 0xf0));
    cabWindows(g, w, 6, 22, 10, 8);
    for (int x = 30; x + 10 <= w - 28; x += 14) // louvres
        for (int y = 23; y < 33; y += 2)
            g.fillRect(x, y, 10, 1, blue.darker(140));
    runningGear(g, w, 45, 26, 8, 5.5, 42);
    lamp(g, 6, 41, look.is("W0") ? kLampOn : kLampOff);
    lamp(g, w - 6, 41, look.is("E1") ? kTail : kLampOff);
    if (look.is("W0")) { // the light thrown ahead
        g.setBrush(QColor(0xff, 0xf0, 0xa0, 90));
        g.drawEllipse(QPointF(5, 41), 4, 3);
    }
    if (look.is("N0")) { // the railway's round badge on the first cab
        g.setBrush(Qt::white);
        g.drawEllipse(QPointF(25, 27), 5, 5);
        g.setBrush(blue);
        g.drawPolygon(QPolygonF({QPointF(22, 24), QPointF(29, 27), QPointF(22, 30)}));
    }
    if (look.is("S2")) { // snow ploughs under both cabs
        g.setBrush(QColor(0xd0, 0x30, 0x20));
        g.drawPolygon(QPolygonF({QPointF(1, 47), QPointF(12, 47), QPointF(12, 56), QPointF(5, 56)}));
        g.drawPolygon(QPolygonF({QPointF(w - 1, 47), QPointF(w - 12, 47), QPointF(w - 12, 56), QPointF(w - 5, 56)}));
    }
}

void electricEL7(QPainter &g, int w, const Look &look)
{
    const QColor green(0x2e, 0x7d, 0x32);
    pantograph(g, 34, 16, look.is("SAR"));
    pantograph(g, w - 34, 16, look.is("SAR"));
    g.fillRect(10, 16, w - 20, 3, kRoof);
    body(g, QRectF(3, 19, w - 6, 27), green, 3);
    g.fillRect(4, 34, w - 8, 2, QColor(0xf2, 0xc0, 0x30));
    cabWindows(g, w, 6, 23, 11, 8);
    windows(g, 28, w - 26, 24, 8, 6, 12);
    g.fillRect(3, 46, w - 6, 2, kFrame);
    for (qreal cx : {26.0, w - 26.0}) { // three-axle bogies
        for (int k = -1; k <= 1; ++k)
            wheel(g, cx + 11 * k, 5);
        g.fillRect(QRectF(cx - 16, H - 8, 32, 3), kFrame);
    }
    buffers(g, w, 43);
    lamp(g, 6, 42, kLampOff);
    lamp(g, w - 6, 42, kLampOff);
}

// A 2-6-0 with its tender; the frames turn the wheels a quarter round each.
void steam260(QPainter &g, int w, const Look &look)
{
    const qreal angle = look.frame * std::numbers::pi / 2;
    const QColor black(0x24, 0x24, 0x26);
    const QColor red(0xb0, 0x24, 0x1c);
    // Boiler, smokebox, chimney, domes.
    g.fillRect(12, 22, 50, 17, black);
    g.fillRect(12, 25, 50, 1, QColor(0x50, 0x50, 0x54));
    g.fillRect(5, 21, 8, 19, QColor(0x18, 0x18, 0x18));
    g.fillRect(14, 11, 6, 11, black);
    g.fillRect(13, 10, 8, 2, black);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xb8, 0x90, 0x40));
    g.drawChord(QRectF(33, 15, 10, 14), 0, 180 * 16);
    g.setBrush(black);
    g.drawChord(QRectF(48, 17, 7, 10), 0, 180 * 16);
    // Cab.
    g.fillRect(62, 14, 26, 30, black);
    g.fillRect(60, 12, 30, 3, QColor(0x40, 0x40, 0x44));
    g.fillRect(68, 18, 12, 8, QColor(0xd0, 0x80, 0x30));
    // Running board, frame, buffer beam, cylinder.
    g.fillRect(4, 39, 86, 2, red);
    g.fillRect(8, 41, 82, 5, QColor(0x1c, 0x1c, 0x1c));
    g.fillRect(2, 40, 4, 6, red);
    g.fillRect(0, 42, 2, 3, kBuffer);
    g.fillRect(9, 40, 14, 8, QColor(0x38, 0x38, 0x3c));
    // Tender with its coal.
    g.fillRect(94, 24, 44, 22, black);
    g.fillRect(94, 24, 44, 1, QColor(0x60, 0x60, 0x64));
    g.setBrush(QColor(0x10, 0x10, 0x10));
    g.drawEllipse(QRectF(98, 19, 20, 9));
    g.drawEllipse(QRectF(112, 18, 22, 10));
    g.fillRect(w - 2, 42, 2, 3, kBuffer);
    g.fillRect(90, 43, 4, 2, kFrame);
    for (int cx : {104, 116, 128})
        spokedWheel(g, cx, 5, red, angle);
    // Pony truck and the three coupled drivers, then the rods on top.
    spokedWheel(g, 16, 5, red, angle);
    const qreal r = 8, cy = H - r;
    for (int cx : {34, 52, 70})
        spokedWheel(g, cx, r, red, angle);
    const QPointF pins[3] = {crank(34, cy, 4.5, angle), crank(52, cy, 4.5, angle), crank(70, cy, 4.5, angle)};
    g.setPen(QPen(QColor(0xc8, 0xc8, 0xcc), 2));
    g.drawLine(pins[0], pins[2]);
    const QPointF crosshead(24 + 4.5 * std::sin(angle), 45);
    g.setPen(QPen(QColor(0xa8, 0xa8, 0xb0), 1.6));
    g.drawLine(QPointF(20, 45), crosshead);
    g.drawLine(crosshead, pins[1]);
}

void steamTank(QPainter &g, int w, const Look &)
{
    const QColor green(0x2d, 0x5a, 0x27);
    g.fillRect(8, 24, 34, 14, green);                        // boiler
    g.fillRect(4, 23, 6, 16, QColor(0x20, 0x20, 0x20));      // smokebox
    g.fillRect(7, 12, 5, 12, QColor(0x20, 0x20, 0x20));      // chimney
    g.fillRect(6, 11, 7, 2, QColor(0xb8, 0x90, 0x40));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xb8, 0x90, 0x40));
    g.drawChord(QRectF(22, 17, 9, 14), 0, 180 * 16);        // brass dome
    g.fillRect(14, 30, 26, 12, green.lighter(115));          // side tank
    g.fillRect(16, 32, 22, 8, green);
    g.fillRect(40, 14, 20, 30, green);                       // cab
    g.fillRect(38, 12, 24, 3, QColor(0x30, 0x30, 0x30));
    g.fillRect(44, 18, 10, 8, kGlass);
    g.fillRect(3, 42, w - 6, 4, QColor(0x1c, 0x1c, 0x1c));
    g.fillRect(2, 41, 3, 5, QColor(0xb0, 0x24, 0x1c));
    g.fillRect(w - 5, 41, 3, 5, QColor(0xb0, 0x24, 0x1c));
    buffers(g, w, 42);
    for (int cx : {20, 44})
        spokedWheel(g, cx, 8, QColor(0x8a, 0x1c, 0x18), 0);
    g.setPen(QPen(QColor(0xc8, 0xc8, 0xcc), 2));
    g.drawLine(QPointF(20, 54.5), QPointF(44, 54.5));
}

void dieselDL220(QPainter &g, int w, const Look &)
{
    const QColor red(0xb0, 0x20, 0x20);
    QPainterPath p;
    p.moveTo(3, 45);
    p.lineTo(3, 32);
    p.quadTo(4, 22, 16, 21);
    p.lineTo(w - 16, 21);
    p.quadTo(w - 4, 22, w - 3, 32);
    p.lineTo(w - 3, 45);
    p.closeSubpath();
    g.setPen(QPen(red.darker(150), 1));
    g.setBrush(red);
    g.drawPath(p);
    g.fillRect(18, 18, w - 36, 3, QColor(0x9a, 0x9a, 0x9a)); // roof
    for (int x = 30; x < w - 30; x += 16)
        g.fillRect(x, 16, 8, 2, QColor(0x50, 0x50, 0x50));   // fans
    g.fillRect(4, 39, w - 8, 2, QColor(0xe8, 0xe8, 0xe0));
    g.setPen(Qt::NoPen);
    g.setBrush(kGlass);
    g.drawPolygon(QPolygonF({QPointF(7, 30), QPointF(12, 24), QPointF(20, 24), QPointF(20, 30)}));
    g.drawPolygon(QPolygonF({QPointF(w - 7, 30), QPointF(w - 12, 24), QPointF(w - 20, 24), QPointF(w - 20, 30)}));
    windows(g, 30, w - 28, 25, 7, 5, 11);
    runningGear(g, w, 45, 26, 8, 5.5, 42);
    g.fillRect(w / 2 - 14, 46, 28, 5, QColor(0x40, 0x40, 0x40)); // fuel tank
    lamp(g, 6, 41, kLampOff);
    lamp(g, w - 6, 41, kLampOff);
}

void dieselShunter(QPainter &g, int w, const Look &look)
{
    const QColor yellow(0xe0, 0xb0, 0x20);
    body(g, QRectF(4, 14, 22, 32), yellow, 2);              // cab
    g.fillRect(3, 13, 24, 2, QColor(0x50, 0x50, 0x50));
    g.fillRect(8, 18, 14, 9, kGlass);
    body(g, QRectF(26, 24, w - 30, 22), yellow, 2);         // hood
    for (int x = 32; x + 6 <= w - 6; x += 9)
        for (int y = 28; y < 38; y += 2)
            g.fillRect(x, y, 6, 1, yellow.darker(150));
    g.fillRect(w - 20, 19, 4, 5, QColor(0x30, 0x30, 0x30)); // exhaust
    g.fillRect(2, 44, w - 4, 5, QColor(0x30, 0x30, 0x30));  // frame
    buffers(g, w, 43);
    for (int cx : {18, 36, 54})
        wheel(g, cx, 6);
    g.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 1.5));
    g.drawLine(QPointF(18, 54), QPointF(54, 54));
    if (look.is("N0")) { // orange beacon on the cab roof
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(0xff, 0x90, 0x10, 110));
        g.drawEllipse(QPointF(15, 9), 5, 4);
        g.setBrush(QColor(0xff, 0x80, 0x00));
        g.drawRoundedRect(QRectF(13, 7, 5, 6), 2, 2);
    }
    if (look.is("S9")) { // warning stripes on the frame and the buffer beams
        for (int x = 2; x < w - 2; x += 6) {
            g.setPen(Qt::NoPen);
            g.setBrush(Qt::black);
            g.drawPolygon(QPolygonF({QPointF(x, 49), QPointF(x + 3, 44), QPointF(x + 6, 44), QPointF(x + 3, 49)}));
        }
        g.fillRect(2, 44, w - 4, 1, yellow);
        wheel(g, 18, 6);
        wheel(g, 36, 6);
        wheel(g, 54, 6);
    }
}

void railcarVR1(QPainter &g, int w, const Look &)
{
    const QColor red(0xa8, 0x1c, 0x22), cream(0xee, 0xe2, 0xb8);
    QPainterPath p;
    p.addRoundedRect(QRectF(3, 18, w - 6, 28), 8, 8);
    g.save();
    g.setClipPath(p);
    g.fillRect(0, 18, w, 16, cream);
    g.fillRect(0, 34, w, 12, red);
    g.restore();
    g.setPen(QPen(red.darker(160), 1));
    g.setBrush(Qt::NoBrush);
    g.drawPath(p);
    g.fillRect(14, 16, w - 28, 2, kRoof);
    g.fillRect(w / 2 - 4, 12, 8, 4, QColor(0x40, 0x40, 0x40)); // exhaust
    cabWindows(g, w, 7, 22, 9, 8);
    windows(g, 24, w - 22, 22, 10, 8, 14);
    runningGear(g, w, 46, 24, 7, 5, 42);
}

void railcarER5(QPainter &g, int w, const Look &)
{
    const QColor orange(0xe0, 0x6a, 0x18);
    pantograph(g, w - 40, 17, true);
    g.fillRect(10, 17, w - 20, 2, kRoof);
    body(g, QRectF(3, 19, w - 6, 27), orange, 5);
    g.fillRect(4, 38, w - 8, 3, QColor(0xf4, 0xf4, 0xf0));
    cabWindows(g, w, 6, 23, 10, 8);
    windows(g, 36, w - 34, 23, 9, 8, 13);
    for (int dx : {22, w - 31}) // doors
        g.fillRect(dx, 22, 9, 22, orange.darker(125));
    runningGear(g, w, 46, 26, 7, 5, 43);
}

void thirdRailCar(QPainter &g, int w, const Look &)
{
    const QColor silver(0xb8, 0xbc, 0xc0);
    body(g, QRectF(3, 17, w - 6, 29), silver, 3);
    for (int x = 6; x < w - 6; x += 3)
        g.fillRect(x, 35, 1, 10, silver.darker(118));        // fluted sides
    g.fillRect(4, 32, w - 8, 3, QColor(0x1a, 0x4a, 0xa0));
    windows(g, 19, w / 2 - 6, 21, 11, 8, 15);
    windows(g, w / 2 + 6, w - 19, 21, 11, 8, 15);
    for (int dx : {8, w / 2 - 5, w - 18})
        g.fillRect(dx, 20, 10, 25, silver.darker(112));
    g.fillRect(3, 46, w - 6, 2, kFrame);
    for (int cx : {24, w - 24}) {
        bogie(g, cx, 7, 5);
        g.fillRect(cx - 3, 53, 6, 2, QColor(0x10, 0x10, 0x10)); // contact shoe
    }
}

void coach(QPainter &g, int w, QColor colour, QColor band, bool tailLamp)
{
    g.fillRect(8, 16, w - 16, 3, kRoof);
    body(g, QRectF(3, 18, w - 6, 28), colour, 3);
    g.fillRect(4, 32, w - 8, 2, band);
    windows(g, 18, w - 16, 22, 9, 8, 12);
    for (int dx : {5, w - 13})
        g.fillRect(dx, 21, 8, 24, colour.darker(125));
    runningGear(g, w, 46, 22, 7, 5, 43);
    if (tailLamp)
        lamp(g, w - 5, 41, kTail);
}

void coachFirst(QPainter &g, int w, const Look &)
{
    coach(g, w, QColor(0x23, 0x40, 0x8e), QColor(0xf0, 0xd0, 0x30), false);
}

void coachSecond(QPainter &g, int w, const Look &look)
{
    coach(g, w, QColor(0x3a, 0x6b, 0x35), QColor(0xe8, 0xe8, 0xe0), look.is("E0"));
}

void baggageVan(QPainter &g, int w, const Look &)
{
    const QColor brown(0x6b, 0x3a, 0x1e);
    g.fillRect(8, 17, w - 16, 3, kRoof);
    body(g, QRectF(3, 19, w - 6, 27), brown, 3);
    for (int dx : {20, w - 38})
        g.fillRect(dx, 23, 18, 21, brown.darker(130)); // sliding doors
    windows(g, 8, 18, 23, 8, 6, 10);
    windows(g, w - 16, w - 6, 23, 8, 6, 10);
    runningGear(g, w, 46, 20, 7, 5, 43);
}

void coveredWagon(QPainter &g, int w, const Look &)
{
    const QColor brown(0x7a, 0x3c, 0x22);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x5a, 0x5a, 0x5a));
    g.drawChord(QRectF(3, 18, w - 6, 8), 0, 180 * 16); // curved roof
    g.fillRect(4, 22, w - 8, 23, brown);
    for (int x = 8; x < w - 4; x += 5)
        g.fillRect(x, 22, 1, 23, brown.darker(130));
    g.fillRect(w / 2 - 9, 23, 18, 21, brown.darker(115)); // door
    g.fillRect(3, 45, w - 6, 3, kFrame);
    buffers(g, w, 43);
    wheel(g, 16, 5.5);
    wheel(g, w - 16, 5.5);
}

// Open wagon; its variations are loads: coal, gravel, logs.
void openWagon(QPainter &g, int w, const Look &look)
{
    const QColor side(0x6e, 0x5a, 0x48);
    g.setPen(Qt::NoPen);
    if (look.is("N0") || look.is("N1")) {
        g.setBrush(look.is("N0") ? QColor(0x1a, 0x1a, 0x1c) : QColor(0x9a, 0x96, 0x8c));
        g.drawChord(QRectF(6, 22, w - 12, 22), 0, 180 * 16);
    }
    if (look.is("N2")) { // log ends, stacked two high
        g.setBrush(QColor(0x9a, 0x64, 0x30));
        for (int x = 7; x + 7 <= w - 7; x += 8)
            g.drawEllipse(QRectF(x, 25, 7, 7));
        for (int x = 11; x + 7 <= w - 11; x += 8)
            g.drawEllipse(QRectF(x, 19, 7, 7));
    }
    g.fillRect(4, 31, w - 8, 15, side);
    for (int x = 4; x < w - 4; x += 12)
        g.fillRect(x, 31, 2, 15, side.darker(140));
    g.fillRect(3, 45, w - 6, 3, kFrame);
    buffers(g, w, 43);
    wheel(g, 16, 5.5);
    wheel(g, w - 16, 5.5);
}

void tankWagon(QPainter &g, int w, const Look &)
{
    g.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1));
    g.setBrush(QColor(0xf0, 0xf0, 0xec));
    g.drawRoundedRect(QRectF(5, 24, w - 10, 19), 9, 9);
    g.fillRect(w / 2 - 5, 19, 10, 6, QColor(0xd8, 0xd8, 0xd4)); // dome
    g.fillRect(8, 32, w - 16, 3, QColor(0xe0, 0x60, 0x10));
    g.fillRect(3, 44, w - 6, 3, kFrame);
    buffers(g, w, 42);
    wheel(g, 16, 5.5);
    wheel(g, w - 16, 5.5);
}

void containerFlat(QPainter &g, int w, const Look &)
{
    const QColor blue(0x1e, 0x6e, 0xb4);
    g.fillRect(8, 18, w - 16, 22, blue);
    for (int x = 10; x < w - 8; x += 4)
        g.fillRect(x, 19, 1, 20, blue.darker(130));
    g.fillRect(8, 18, w - 16, 1, blue.lighter(140));
    g.fillRect(2, 40, w - 4, 4, QColor(0x5a, 0x3a, 0x22)); // deck
    g.fillRect(3, 44, w - 6, 3, kFrame);
    buffers(g, w, 41);
    bogie(g, 18, 6, 5);
    bogie(g, w - 18, 6, 5);
}

struct Sample {
    const char *label;
    const char *era;
    const char *country;
    const char *type;
    char ol;       // "Y", "N" or "3"
    int olh;       // overhead-line height, 40 to 90
    char sar;
    char direction;
    char shunting;
    char pushPull;
    char doubleTraction;
    int cycle;     // animation cycle: 0 for a vehicle that is not animated
    const char *file;
    int width;
    Drawing draw;
    QList<QSize> overlaySizes; // per overlay name, in the same order as overlayNames
    QStringList overlayNames;
};

const QList<Sample> &samples()
{
    static const QList<Sample> all = {
        {"Electric locomotive EL 12 blue", "4", "FRG", "E", 'Y', 54, 'N', 'B', 'N', 'Y', 'N', 0, "el12.bmp", 110,
         electricEL12, {QSize(40, 32), QSize(30, 44), QSize(30, 44), QSize(110, 14)},
         {"N0", "E1", "W0", "S2"}},
        {"Electric locomotive EL 7 green", "3", "I", "E", 'Y', 55, 'Y', 'B', 'N', 'N', 'Y', 0, "el7.bmp", 130,
         electricEL7, {}, {}},
        {"Steam locomotive 2-6-0 with tender", "2", "GDR", "D", 'N', 58, 'N', 'L', 'N', 'N', 'N', 3, "steam_0.bmp",
         140, steam260, {}, {}},
        {"Steam tank engine 0-4-0T", "1", "CH", "D", 'N', 58, 'N', 'B', 'Y', 'N', 'N', 0, "tank04.bmp", 64,
         steamTank, {}, {}},
        {"Diesel locomotive DL 220 red", "3", "FRG", "V", 'N', 58, 'N', 'B', 'N', 'N', 'Y', 0, "dl220.bmp", 118,
         dieselDL220, {}, {}},
        {"Diesel shunter DS 3 yellow", "5", "NL", "V", 'N', 58, 'N', 'B', 'Y', 'N', 'N', 0, "ds3.bmp", 72,
         dieselShunter, {QSize(30, 20), QSize(72, 14)}, {"N0", "S9"}},
        {"Diesel railcar VR 1 red and cream", "3", "DK", "VT", 'N', 58, 'N', 'B', 'N', 'Y', 'N', 0, "vr1.bmp", 136,
         railcarVR1, {}, {}},
        {"Electric railcar ER 5 orange", "4-5", "CH", "ET", 'Y', 52, 'N', 'R', 'N', 'Y', 'N', 0, "er5.bmp", 134,
         railcarER5, {}, {}},
        {"Third-rail commuter car silver", "6", "USA", "ET", '3', 58, 'N', 'B', 'N', 'Y', 'N', 0, "tr40.bmp", 128,
         thirdRailCar, {}, {}},
        {"Coach 1st class blue", "3", "F", "PC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "a1blue.bmp", 126,
         coachFirst, {}, {}},
        {"Coach 2nd class green", "3-4", "I", "PC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "b2green.bmp", 126,
         coachSecond, {QSize(24, 44)}, {"E0"}},
        {"Baggage van brown", "2", "A", "PC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "bag.bmp", 92,
         baggageVan, {}, {}},
        {"Covered goods wagon", "3", "FRG", "FC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "gcov.bmp", 74,
         coveredWagon, {}, {}},
        {"Open goods wagon", "2", "PL", "FC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "open.bmp", 68,
         openWagon, {QSize(68, 33), QSize(68, 33), QSize(68, 33)}, {"N0", "N1", "N2"}},
        {"Tank wagon white", "4", "NL", "FC", 'N', 58, 'N', 'B', 'N', 'N', 'N', 0, "tank.bmp", 70,
         tankWagon, {}, {}},
        {"Container flat wagon", "5", "SP", "FC", 'N', 58, 'N', 'R', 'N', 'N', 'N', 0, "flat.bmp", 96,
         containerFlat, {}, {}},
    };
    return all;
}

QImage render(const Sample &s, const Look &look)
{
    QImage img(s.width, H, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    s.draw(g, s.width, look);
    return img;
}

// Where an overlay is copied over its vehicle: N and W at the top left, E at the top right,
// S at the left with its bottom on the vehicle's bottom.
QRect overlayRect(const QString &name, QSize size, int vehicleWidth)
{
    switch (name.at(0).toLatin1()) {
    case 'E':
        return QRect(QPoint(vehicleWidth - size.width(), 0), size);
    case 'S':
        return QRect(QPoint(0, H - size.height()), size);
    default:
        return QRect(QPoint(0, 0), size);
    }
}

QByteArray libraryLine(const Sample &s)
{
    const QByteArray flags = libraryline::flagColumns(s.ol, s.olh, s.sar, s.direction, s.shunting, s.pushPull,
                                                  s.doubleTraction, s.cycle, s.overlayNames.isEmpty() ? 'N' : 'Y');
    return libraryline::libraryLine({s.label, s.era, s.country, s.type, flags, s.file});
}

bool fail(QString *error, const QString &what, const QString &path, const QString &reason)
{
    if (error)
        *error = QStringLiteral("Cannot %1 %2: %3").arg(what, QDir::toNativeSeparators(path), reason);
    return false;
}

bool saveBmp(const QImage &img, const QString &path, QString *error)
{
    QImageWriter writer(path, "bmp");
    return writer.write(img.convertToFormat(QImage::Format_RGB888))
        || fail(error, QStringLiteral("write"), path, writer.errorString());
}

// Makes the folder and its parents; a failure names what stands in the way.
bool makeFolder(const QString &path, QString *error)
{
    if (QDir().mkpath(path))
        return true;
    QFileInfo above(path);
    while (!above.exists() && above.absolutePath() != above.absoluteFilePath())
        above.setFile(above.absolutePath());
    const QString where = QDir::toNativeSeparators(above.absoluteFilePath());
    const QString reason = !above.isDir()      ? QStringLiteral("%1 is a file, not a folder").arg(where)
                           : !above.isWritable() ? QStringLiteral("%1 cannot be written to").arg(where)
                                                 : QStringLiteral("the folder could not be made");
    return fail(error, QStringLiteral("make the folder"), path, reason);
}

// The vehicle's bitmap and everything that lies beside it.
bool writeVehicle(const Sample &s, const QString &folder, QString *error)
{
    const QString file = QString::fromLatin1(s.file);
    const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
    const QDir dir(folder);
    if (s.cycle > 0) {
        // Four frames, named after frame 0: the stem without its "_0".
        const QString base = stem.left(stem.size() - 2);
        for (int f = 0; f < 4; ++f)
            if (!saveBmp(render(s, {QString(), f}), dir.filePath(QStringLiteral("%1_%2.bmp").arg(base).arg(f)), error))
                return false;
    } else if (!saveBmp(render(s, {}), dir.filePath(file), error)) {
        return false;
    }
    if (s.sar == 'Y') {
        const QImage raised = render(s, {QStringLiteral("SAR"), 0});
        // Everything above the roof: the pantographs, raised.
        if (!saveBmp(raised.copy(0, 0, s.width, 16), dir.filePath(stem + QStringLiteral("_SAR.bmp")), error))
            return false;
    }
    for (qsizetype k = 0; k < s.overlayNames.size(); ++k) {
        const QString name = s.overlayNames.at(k);
        const QImage variant = render(s, {name, 0});
        const QRect r = overlayRect(name, s.overlaySizes.at(k), s.width);
        if (!saveBmp(variant.copy(r), dir.filePath(stem + QLatin1Char('_') + name + QStringLiteral(".bmp")), error))
            return false;
    }
    return true;
}

} // namespace

QString writeSampleLibrary(const QString &folder, QString *error)
{
    const QDir root(folder);
    const QString bitmaps = root.filePath(QStringLiteral("Library"));
    if (!makeFolder(QDir(bitmaps).filePath(QLatin1StringView(librarycolumns::kTrainsFolder)), error))
        return QString();

    QByteArray text;
    for (const Sample &s : samples()) {
        const QString typeFolder = QDir(bitmaps).filePath(QString::fromLatin1(s.type));
        if (!makeFolder(typeFolder, error) || !writeVehicle(s, typeFolder, error))
            return QString();
        text += libraryLine(s) + "\r\n";
    }

    const QString library = root.filePath(QStringLiteral("Library.txt"));
    QSaveFile f(library);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit()) {
        fail(error, QStringLiteral("write"), library, f.errorString());
        return QString();
    }
    return library;
}
