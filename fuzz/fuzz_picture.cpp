// Any bytes as a picture file: a load either fails naming the file and a reason, leaving the box
// as it was, or gives a picture within the size limit. A loaded picture is then inserted into a
// consist the way the insert button does it, copied once more with a rectangle and a resize that
// the input's last bytes pick (negative and oversized ones included), saved and read back.
#include "FuzzSupport.h"
#include "platform/PictureFiles.h"
#include "platform/Surface.h"
#include <QFile>
#include <cstdint>
#include <cstring>

namespace {

const QColor kGreen(0x00, 0x48, 0x00);

// Pictures up to this many pixels (a consist of the longest train is 32767 x 58) go on to the
// copy, the save and the read-back; bigger ones only load, or each run would take seconds.
constexpr qint64 kMaxCopiedPixels = 4 << 20;
// Up to this many, every pixel of a copy and a resize is compared with what it must be.
constexpr qint64 kMaxComparedPixels = 1 << 18;

// The copy and resize that follow the insert, taken from the end of the input: bitmap readers
// ignore bytes after the pixels, so the fuzzer can change these freely.
struct Moves {
    int16_t x = 0, y = 0, w = 0, h = 0, sx = 0, sy = 0;
    uint8_t newWidth = 0, newHeight = 0, flags = 0;
};

Moves movesFrom(const uint8_t *bytes, size_t size)
{
    Moves m;
    const size_t n = std::min(size, sizeof(Moves));
    std::memcpy(&m, bytes + size - n, n);
    return m;
}

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

bool inside(const QImage &image, long long x, long long y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

// SRCCOPY with clipping: inside the destination rectangle, where the source point exists, the
// source's pixel; everywhere else the destination as it was.
void checkCopy(const QImage &before, const QImage &source, const QImage &after, const Moves &m)
{
    FUZZ_CHECK(after.size() == before.size());
    for (int py = 0; py < after.height(); ++py) {
        for (int px = 0; px < after.width(); ++px) {
            const long long fromX = m.sx + (px - m.x);
            const long long fromY = m.sy + (py - m.y);
            const bool copied = px >= m.x && px < m.x + m.w && py >= m.y && py < m.y + m.h && inside(source, fromX, fromY);
            const QRgb expected = copied ? rgb(source, int(fromX), int(fromY)) : rgb(before, px, py);
            FUZZ_CHECK(rgb(after, px, py) == expected);
        }
    }
}

// A resize keeps what lies inside both sizes; the rest shows the background.
void checkResize(const QImage &before, const QImage &after, QRgb background)
{
    for (int py = 0; py < after.height(); ++py) {
        for (int px = 0; px < after.width(); ++px)
            FUZZ_CHECK(rgb(after, px, py) == (inside(before, px, py) ? rgb(before, px, py) : (background & 0xFFFFFF)));
    }
}

bool small(const platform::Surface &s)
{
    return qint64(s.Width()) * s.Height() <= kMaxComparedPixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString input = fuzzTempFile(QStringLiteral("vehicle.bmp"));
    const QString output = fuzzTempFile(QStringLiteral("00001.bmp"));
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(bytes), qint64(size)) == qint64(size));
    }

    // A failed show leaves the box as it was.
    platform::Surface preview(kGreen, 13, 13);
    const platform::Status shown = platform::showFile(preview, input);
    if (!shown) {
        FUZZ_CHECK(shown.path() == input);
        FUZZ_CHECK(!shown.reason().isEmpty());
        FUZZ_CHECK(preview.Width() == 13 && preview.Height() == 13);
        FUZZ_CHECK(preview.pixel(6, 6) == kGreen.rgb());
        QImage picture;
        FUZZ_CHECK(!platform::loadPicture(input, picture).ok());
        return 0;
    }

    // The box took the picture's size, which is within the limit.
    FUZZ_CHECK(preview.Width() >= 1 && preview.Width() <= 32767);
    FUZZ_CHECK(preview.Height() >= 1 && preview.Height() <= 32767);
    if (qint64(preview.Width() + 39) * preview.Height() > kMaxCopiedPixels)
        return 0;

    // Inserted at the right end of a consist that already holds one vehicle: the consist grows
    // by the picture's width and takes its height.
    platform::Surface consist(Qt::black, 39, 38);
    const int left = consist.Width();
    consist.setSize(left + preview.Width(), preview.Height());
    FUZZ_CHECK(consist.Width() == left + preview.Width() && consist.Height() == preview.Height());
    platform::BitBlt(consist, left, 0, preview.Width(), preview.Height(), preview, 0, 0);
    FUZZ_CHECK(consist.pixel(left, 0) == preview.pixel(0, 0));

    // One more copy with any rectangle, from the preview or from the consist onto itself.
    const Moves m = movesFrom(bytes, size);
    const bool self = m.flags & 1;
    const QImage before = small(consist) ? consist.Image() : QImage();
    const QImage source = self ? before : preview.Image();
    platform::BitBlt(consist, m.x, m.y, m.w, m.h, self ? consist : preview, m.sx, m.sy);
    if (!before.isNull())
        checkCopy(before, source, consist.Image(), m);

    // A resize to any size up to 1 KB square, and back to the consist's width.
    if (m.flags & 2) {
        const int width = consist.Width();
        const QImage kept = small(consist) ? consist.Image() : QImage();
        consist.setSize(m.newWidth * 4, m.newHeight * 4);
        FUZZ_CHECK(consist.Width() == m.newWidth * 4 && consist.Height() == m.newHeight * 4);
        consist.setWidth(width);
        if (!kept.isNull() && small(consist)) {
            QImage shrunk(kept.copy(0, 0, std::min(width, m.newWidth * 4), std::min(kept.height(), m.newHeight * 4)));
            checkResize(shrunk, consist.Image(), consist.backColor().rgb());
        }
        if (consist.Width() == 0 || consist.Height() == 0)
            return 0; // nothing left to save
    }

    const platform::Status saved = platform::SavePicture(consist, output);
    FUZZ_CHECK(saved.ok());
    QImage back;
    FUZZ_CHECK(platform::loadPicture(output, back).ok());
    const QImage image = consist.Image();
    FUZZ_CHECK(image.size() == back.size());
    if (small(consist)) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                FUZZ_CHECK(rgb(image, x, y) == rgb(back, x, y));
        }
    }
    return 0;
}
