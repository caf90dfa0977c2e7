#include "TestSupport.h"
#include "platform/FileFaults.h"
#include "platform/PictureFiles.h"
#include "platform/Surface.h"
#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <vector>

using namespace platform;

namespace {

const QColor kBack(0x00, 0x48, 0x00);

// A picture whose every pixel is different, so a shifted or mirrored copy shows.
QImage numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(10 + x * 7, 20 + y * 11, (x * 31 + y * 17) & 0xff));
    return img;
}

void put16(QByteArray &b, int at, quint16 v)
{
    qToLittleEndian(v, b.data() + at);
}

void put32(QByteArray &b, int at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

// The six colours the hand-made bitmaps use; the 16-bit one can hold them exactly.
const QRgb kPalette[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                         qRgb(255, 255, 0)};

// Indices into kPalette, three wide and two high, top row first.
using Grid = std::vector<std::vector<int>>;
const Grid kGrid = {{1, 2, 3}, {4, 0, 5}};
const Grid kTwoColours = {{1, 0, 1}, {0, 1, 1}};

QImage expected(const Grid &grid)
{
    QImage img(int(grid[0].size()), int(grid.size()), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, kPalette[grid[size_t(y)][size_t(x)]]);
    return img;
}

// One row of pixels as the bitmap stores it, padded to four bytes.
QByteArray row(const std::vector<int> &indices, int bits)
{
    QByteArray out;
    if (bits < 8) {
        QByteArray packed((int(indices.size()) * bits + 7) / 8, '\0');
        for (size_t x = 0; x < indices.size(); ++x) {
            const int bit = int(x) * bits;
            packed[bit / 8] = char(uchar(packed[bit / 8]) | indices[x] << (8 - bits - bit % 8));
        }
        out = packed;
    } else {
        for (int i : indices) {
            const QRgb c = kPalette[i];
            if (bits == 8) {
                out += char(i);
            } else if (bits == 16) {
                const quint16 v = quint16((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3);
                out += char(v & 0xff);
                out += char(v >> 8);
            } else {
                out += char(qBlue(c));
                out += char(qGreen(c));
                out += char(qRed(c));
                if (bits == 32)
                    out += '\0';
            }
        }
    }
    while (out.size() % 4)
        out += '\0';
    return out;
}

// A bitmap file written field by field: the depths and layouts Qt does not write itself.
QByteArray bitmap(int bits, int compression, int width, int height, const QByteArray &pixels,
                  int headerSize = 40)
{
    const int colours = bits <= 8 ? (1 << bits) : 0;
    const int offset = 14 + headerSize + colours * 4;
    QByteArray b(offset, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, quint32(offset + pixels.size()));
    put32(b, 10, quint32(offset));
    put32(b, 14, quint32(headerSize));
    put32(b, 18, quint32(width));
    put32(b, 22, quint32(height));
    put16(b, 26, 1);
    put16(b, 28, quint16(bits));
    put32(b, 30, quint32(compression));
    put32(b, 34, compression ? quint32(pixels.size()) : 0);
    for (int i = 0; i < colours && i < 6; ++i)
        put32(b, 14 + headerSize + i * 4, kPalette[i] & 0xffffff);
    return b + pixels;
}

QByteArray uncompressed(const Grid &grid, int bits, bool topDown = false, int headerSize = 40)
{
    QByteArray pixels;
    for (size_t r = 0; r < grid.size(); ++r)
        pixels += row(grid[topDown ? r : grid.size() - 1 - r], bits);
    const int h = int(grid.size());
    return bitmap(bits, 0, int(grid[0].size()), topDown ? -h : h, pixels, headerSize);
}

// Run-length coded 8-bit rows, bottom row first: runs, an absolute run, line ends and the end mark.
QByteArray rle8(const Grid &grid)
{
    QByteArray pixels;
    const std::vector<int> &bottom = grid[1];
    pixels += QByteArray::fromRawData("\x00\x03", 2) + char(bottom[0]) + char(bottom[1]) + char(bottom[2]) + '\0';
    pixels += QByteArray("\x00\x00", 2);
    const std::vector<int> &top = grid[0];
    for (int i : top)
        pixels += QByteArray("\x01", 1) + char(i);
    pixels += QByteArray("\x00\x00\x00\x01", 4);
    return bitmap(8, 1, 3, 2, pixels);
}

// Five bits a channel: the low three bits of each colour come back as zero.
QImage fiveBitChannels(QImage img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, img.pixel(x, y) & 0xfff8f8f8);
    return img;
}

class SurfaceTest : public TempDirTest {};

} // namespace

TEST_F(SurfaceTest, growingKeepsPixelsAndShowsBackgroundInTheNewStrip)
{
    Surface s(kBack, 4, 3);
    s.setPicture(numbered(4, 3));
    int resized = 0;
    s.onResize = [&] { ++resized; };
    s.setSize(9, 5);
    EXPECT_EQ(resized, 1);
    ASSERT_EQ(s.Image().size(), QSize(9, 5));
    EXPECT_EQ(s.Image().copy(0, 0, 4, 3), numbered(4, 3));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            if (x >= 4 || y >= 3) {
                EXPECT_EQ(s.pixel(x, y), kBack.rgb()) << x << "," << y;
            }
}

TEST_F(SurfaceTest, shrinkingThenGrowingShowsBackground)
{
    Surface s(kBack, 6, 4);
    s.setPicture(numbered(6, 4));
    s.setWidth(2);
    s.setHeight(1);
    EXPECT_EQ(s.Image(), numbered(2, 1));
    s.setSize(6, 4);
    QImage want(6, 4, QImage::Format_RGB32);
    want.fill(kBack);
    want.setPixel(0, 0, numbered(1, 1).pixel(0, 0));
    want.setPixel(1, 0, numbered(2, 1).pixel(1, 0));
    EXPECT_EQ(s.Image(), want);
}

TEST_F(SurfaceTest, wideningATrainVehicleByVehicleSeldomCopiesIt)
{
    // 200 inserts of 120 pixels: the store doubles, so the train is copied a handful of times in
    // all, not once per insert.
    Surface s(kBack, 39, 38);
    s.setHeight(58);
    int copies = 0;
    for (int i = 1; i <= 200; ++i) {
        const uchar *bits = s.store().constBits();
        s.setWidth(120 * i);
        copies += s.store().constBits() != bits;
    }
    EXPECT_EQ(s.Width(), 24000);
    EXPECT_LE(copies, 10);
}

TEST_F(SurfaceTest, aLoadedPictureTakesNoMoreRoomThanItNeeds)
{
    Surface s(kBack, 13, 13);
    s.setPicture(numbered(4000, 60));
    EXPECT_EQ(s.store().width(), 4000);
    EXPECT_EQ(s.store().height(), 60);
}

TEST_F(SurfaceTest, negativeSizesAreEmpty)
{
    Surface s(kBack, -5, 3);
    EXPECT_EQ(s.Width(), 0);
    s.setHeight(-1);
    EXPECT_EQ(s.Height(), 0);
    EXPECT_TRUE(s.Image().isNull());
    EXPECT_EQ(s.pixel(0, 0), kBack.rgb());
}

TEST_F(SurfaceTest, clsAndRefresh)
{
    Surface s(kBack, 3, 2);
    s.setPicture(numbered(3, 2));
    QList<QRect> repainted;
    s.onRefresh = [&](const QRect &r) { repainted.append(r); };
    s.Cls();
    s.Refresh();
    s.Refresh(QRect(1, 1, 1, 1));
    QImage back(3, 2, QImage::Format_RGB32);
    back.fill(kBack);
    EXPECT_EQ(s.Image(), back);
    EXPECT_EQ(repainted, QList<QRect>({QRect(0, 0, 3, 2), QRect(1, 1, 1, 1)}));
}

TEST_F(SurfaceTest, bitBltClipsAgainstBothSurfaces)
{
    struct Case {
        int x, y, w, h, sx, sy;
    };
    const Case cases[] = {
        {2, 1, 4, 3, 0, 0},  {-2, -1, 4, 3, 0, 0}, {6, 4, 4, 3, 0, 0},  {8, 0, 4, 3, 0, 0},   {0, 6, 4, 3, 0, 0},
        {-4, 0, 4, 3, 0, 0}, {1, 1, 9, 9, 0, 0},   {1, 1, 4, 3, -2, -1}, {1, 1, 4, 3, 3, 2},  {0, 0, 4, 3, 4, 0},
        {0, 0, 0, 3, 0, 0},  {0, 0, -4, 3, 0, 0},  {-100000, 0, 4, 3, 0, 0},
        {2147483000, 0, 4, 3, 0, 0},
    };
    const QImage source = numbered(4, 3);
    for (const Case &c : cases) {
        Surface dst(kBack, 8, 6);
        Surface src(Qt::black, 4, 3);
        src.setPicture(source);
        BitBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy);
        QImage want(8, 6, QImage::Format_RGB32);
        want.fill(kBack);
        for (int r = 0; r < c.h; ++r)
            for (int k = 0; k < c.w; ++k) {
                const int fx = c.sx + k, fy = c.sy + r, tx = c.x + k, ty = c.y + r;
                if (fx >= 0 && fy >= 0 && fx < 4 && fy < 3 && tx >= 0 && ty >= 0 && tx < 8 && ty < 6)
                    want.setPixel(tx, ty, source.pixel(fx, fy));
            }
        EXPECT_EQ(dst.Image(), want) << c.x << "," << c.y << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy;
    }
}

TEST_F(SurfaceTest, bitBltWithinOneSurfaceCopiesTheOldPixels)
{
    Surface s(kBack, 6, 1);
    s.setPicture(numbered(6, 1));
    BitBlt(s, 2, 0, 4, 1, s, 0, 0);
    const QImage n = numbered(6, 1);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(s.pixel(x, 0), n.pixel(x < 2 ? x : x - 2, 0)) << x;
}

TEST_F(SurfaceTest, pixelsCopiedOutGoBackWhereTheyWereClippedToTheSize)
{
    Surface s(kBack, 6, 4);
    s.setPicture(numbered(6, 4));
    const QImage kept = s.copyPixels(QRect(4, 2, 5, 5));
    EXPECT_EQ(kept, numbered(6, 4).copy(4, 2, 2, 2));
    EXPECT_TRUE(s.copyPixels(QRect(6, 0, 2, 2)).isNull());

    s.Cls();
    s.putPixels(QPoint(4, 2), kept);
    s.putPixels(QPoint(-1, 3), kept);
    QImage want(6, 4, QImage::Format_RGB32);
    want.fill(kBack);
    for (int y = 2; y < 4; ++y)
        for (int x = 4; x < 6; ++x)
            want.setPixel(x, y, numbered(6, 4).pixel(x, y));
    want.setPixel(0, 3, kept.pixel(1, 0));
    EXPECT_EQ(s.Image(), want);
}

TEST_F(SurfaceTest, savedBitmapIsUncompressed24BitAndReadsBackTheSame)
{
    Surface s(kBack, 7, 3); // an odd width, so rows carry padding
    s.setPicture(numbered(7, 3));
    const QString file = writeFile(QStringLiteral("train.bmp"), "old");
    ASSERT_TRUE(SavePicture(s, file));
    const QByteArray bytes = readFile(file);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 14), 40u);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 18), 7);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 22), 3);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u);
    EXPECT_EQ(bytes.size(), qFromLittleEndian<quint32>(bytes.constData() + 10) + 3 * 24);
    QImage back;
    ASSERT_TRUE(loadPicture(file, back));
    EXPECT_EQ(back, numbered(7, 3));

    // Rows are packed four pixels at a time: every width of the last few reads back the same.
    for (int w : {1, 2, 3, 4, 5, 6, 9, 13, 50}) {
        Surface narrow(kBack, w, 2);
        narrow.setPicture(numbered(w, 2));
        const QString name = path(QStringLiteral("w%1.bmp").arg(w));
        ASSERT_TRUE(SavePicture(narrow, name));
        ASSERT_TRUE(loadPicture(name, back));
        EXPECT_EQ(back, numbered(w, 2)) << "width " << w;
    }
}

TEST_F(SurfaceTest, failedSaveLeavesTheOldFile)
{
    Surface s(kBack, 2, 2);
    const QString file = writeFile(QStringLiteral("train.bmp"), "old");
    Status status;
    const auto check = [&](int, bool failed) {
        if (!failed)
            return;
        EXPECT_EQ(status.reason(), QStringLiteral("Injected"));
        EXPECT_EQ(readFile(file), QByteArray("old"));
    };
    EXPECT_GE(failEachOperation([] {}, [&] { status = SavePicture(s, file); }, check, QStringLiteral("Injected")), 2);
    EXPECT_FALSE(SavePicture(s, path(QStringLiteral("none/train.bmp"))));
}

TEST_F(SurfaceTest, aNewPictureAppearsWholeUnderItsName_orNotAtAll)
{
    Surface s(kBack, 5, 2);
    s.setPicture(numbered(5, 2));
    const QString file = path(QStringLiteral("consists/00001.bmp"));
    makeDir(QStringLiteral("consists"));
    Status status;
    const auto check = [&](int, bool failed) {
        if (!failed) {
            ASSERT_TRUE(status);
            return;
        }
        EXPECT_EQ(status.reason(), QStringLiteral("Injected"));
        EXPECT_EQ(QDir(path(QStringLiteral("consists"))).entryList(QDir::Files | QDir::Hidden), QStringList());
    };
    EXPECT_GE(failEachOperation([] {}, [&] { status = SavePicture(s, file); }, check, QStringLiteral("Injected")), 2);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(QDir(path(QStringLiteral("consists"))).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("00001.bmp")});
    QImage back;
    ASSERT_TRUE(loadPicture(file, back));
    EXPECT_EQ(back, numbered(5, 2));
    // Readable as any file this user makes, not only by its owner as a temporary file is.
    EXPECT_TRUE(QFileInfo(file).permissions() & QFileDevice::ReadOwner);
    EXPECT_EQ(QFileInfo(file).permissions() & QFileDevice::ReadOther,
              QFileInfo(writeFile(QStringLiteral("plain.txt"), "x")).permissions() & QFileDevice::ReadOther);
}

TEST_F(SurfaceTest, loadsBitmapsOfEveryDepthAndLayout)
{
    struct Case {
        const char *name;
        QByteArray file;
        QImage picture;
    };
    const Case cases[] = {
        {"1 bit", uncompressed(kTwoColours, 1), expected(kTwoColours)},
        {"4 bits", uncompressed(kGrid, 4), expected(kGrid)},
        {"8 bits", uncompressed(kGrid, 8), expected(kGrid)},
        {"16 bits", uncompressed(kGrid, 16), fiveBitChannels(expected(kGrid))},
        {"24 bits", uncompressed(kGrid, 24), expected(kGrid)},
        {"32 bits", uncompressed(kGrid, 32), expected(kGrid)},
        {"top-down", uncompressed(kGrid, 24, true), expected(kGrid)},
        {"v5 header", uncompressed(kGrid, 24, false, 124), expected(kGrid)},
        {"RLE8", rle8(kGrid), expected(kGrid)},
    };
    for (const Case &c : cases) {
        const QString file = writeFile(QStringLiteral("v.bmp"), c.file);
        QImage picture;
        const Status status = loadPicture(file, picture);
        ASSERT_TRUE(status) << c.name << ": " << status.reason().toStdString();
        EXPECT_EQ(picture.format(), QImage::Format_RGB32) << c.name;
        EXPECT_EQ(picture, c.picture) << c.name;
    }
}

TEST_F(SurfaceTest, refusesBrokenPicturesAndLeavesTheBoxAlone)
{
    const QByteArray whole = uncompressed(kGrid, 24);
    const QByteArray rle = rle8(kGrid);
    QByteArray huge = uncompressed(kGrid, 24);
    put32(huge, 18, 40000);
    QByteArray high = uncompressed(kGrid, 24, true);
    put32(high, 22, quint32(-40000));
    QByteArray rleNoSize = rle;
    put32(rleNoSize, 34, 0);
    struct Case {
        const char *name;
        QString file;
        QString reason;
    };
    const Case cases[] = {
        {"missing", path(QStringLiteral("none.bmp")), QStringLiteral("No such file or directory")},
        {"folder", makeDir(QStringLiteral("dir.bmp")), QStringLiteral("Is a directory")},
        {"not a picture", writeFile(QStringLiteral("text.bmp"), "LABEL=Loco\r\n"), QStringLiteral("Unsupported image format")},
        {"empty", writeFile(QStringLiteral("empty.bmp"), ""), QString()},
        {"truncated", writeFile(QStringLiteral("cut.bmp"), whole.left(whole.size() - 1)), QStringLiteral("truncated")},
        {"header only", writeFile(QStringLiteral("head.bmp"), whole.left(54)), QStringLiteral("truncated")},
        {"truncated RLE", writeFile(QStringLiteral("cut_rle.bmp"), rleNoSize.left(rleNoSize.size() - 4)), QStringLiteral("truncated")},
        {"RLE cut before its size", writeFile(QStringLiteral("cut_rle2.bmp"), rle.left(rle.size() - 4)), QStringLiteral("truncated")},
        {"40000 wide", writeFile(QStringLiteral("huge.bmp"), huge), QStringLiteral("too large")},
        {"40000 high", writeFile(QStringLiteral("high.bmp"), high), QStringLiteral("too large")},
    };
    for (const Case &c : cases) {
        Surface box(kBack, 3, 2);
        box.setPicture(numbered(3, 2));
        int repaints = 0;
        box.onRefresh = [&](const QRect &) { ++repaints; };
        const Status status = showFile(box, c.file);
        EXPECT_FALSE(status) << c.name;
        EXPECT_EQ(status.path(), c.file) << c.name;
        EXPECT_FALSE(status.reason().isEmpty()) << c.name;
        EXPECT_TRUE(status.reason().contains(c.reason)) << c.name << ": " << status.reason().toStdString();
        EXPECT_EQ(box.Image(), numbered(3, 2)) << c.name;
        EXPECT_EQ(repaints, 0) << c.name;

        QImage untouched = numbered(1, 1);
        EXPECT_FALSE(loadPicture(c.file, untouched));
        EXPECT_EQ(untouched, numbered(1, 1)) << c.name;
    }
}

TEST_F(SurfaceTest, showFileTakesThePictureAndItsSize)
{
    Surface box(kBack, 40, 40);
    box.setPicture(numbered(40, 40));
    QList<QRect> repainted;
    box.onRefresh = [&](const QRect &r) { repainted.append(r); };
    const QString file = writeBmp(QStringLiteral("loco.bmp"), numbered(5, 2));
    ASSERT_TRUE(showFile(box, file));
    EXPECT_EQ(box.Image(), numbered(5, 2));
    EXPECT_EQ(repainted, QList<QRect>{QRect(0, 0, 5, 2)});
    // Growing again shows background, not the old picture.
    box.setWidth(6);
    EXPECT_EQ(box.pixel(5, 0), kBack.rgb());

    FileFaults::failAt(1, QStringLiteral("Injected"));
    EXPECT_EQ(showFile(box, file).reason(), QStringLiteral("Injected"));
}
