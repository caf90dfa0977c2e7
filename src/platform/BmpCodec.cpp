#include "platform/BmpCodec.h"
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace platform {

namespace {

quint32 le32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16
        | quint32(uchar(b[at + 3])) << 24;
}

quint16 le16(const QByteArray &b, int at)
{
    return quint16(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

// Whether run-length coded pixels that start at `from` reach the end-of-bitmap marker or
// the last row before the file ends.
bool rleComplete(QFile &file, qint64 from, bool fourBits, qint64 rows)
{
    if (!file.seek(from))
        return false;
    const QByteArray d = file.readAll();
    qsizetype pos = 0;
    qint64 row = 0;
    while (pos + 1 < d.size()) {
        const uchar count = uchar(d[pos]);
        const uchar code = uchar(d[pos + 1]);
        pos += 2;
        if (count > 0)
            continue;
        if (code == 0) {
            if (++row >= rows)
                return true;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (pos + 1 >= d.size())
                return false;
            row += uchar(d[pos + 1]);
            pos += 2;
            if (row >= rows)
                return true;
        } else {
            const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
            pos += (bytes + 1) & ~qsizetype(1);
        }
    }
    return false;
}

// One row of RGB32 pixels as blue, green, red bytes; four pixels at a time as three words where
// the machine stores words little-endian (the bytes in memory are then blue, green, red, alpha).
void packRowPlain(const QRgb *from, int w, uchar *to)
{
    int x = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    for (; x + 4 <= w; x += 4, to += 12) {
        const quint32 a = from[x], b = from[x + 1], c = from[x + 2], d = from[x + 3];
        const quint32 words[3] = {(a & 0xFFFFFFu) | b << 24, (b >> 8 & 0xFFFFu) | c << 16, (c >> 16 & 0xFFu) | d << 8};
        std::memcpy(to, words, sizeof words);
    }
#endif
    for (; x < w; ++x) {
        *to++ = uchar(qBlue(from[x]));
        *to++ = uchar(qGreen(from[x]));
        *to++ = uchar(qRed(from[x]));
    }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// The same with one byte shuffle per four pixels, six times faster: a train's five bitmaps are
// mostly this. Each store writes 16 bytes of which 12 count, so it stops six pixels short of
// the row's end, which the plain loop finishes.
__attribute__((target("ssse3"))) void packRowShuffled(const QRgb *from, int w, uchar *to)
{
    const __m128i keepBlueGreenRed = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= w; x += 4, to += 12) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to), _mm_shuffle_epi8(four, keepBlueGreenRed));
    }
    packRowPlain(from + x, w - x, to);
}

void packRow(const QRgb *from, int w, uchar *to)
{
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    if (shuffles)
        packRowShuffled(from, w, to);
    else
        packRowPlain(from, w, to);
}
#else
void packRow(const QRgb *from, int w, uchar *to)
{
    packRowPlain(from, w, to);
}
#endif

} // namespace

std::optional<QString> bitmapProblem(QFile &file)
{
    const QByteArray head = file.peek(54);
    if (head.size() < 30 || !head.startsWith("BM"))
        return std::nullopt;
    const qint64 fileSize = file.size();
    const qint64 offset = le32(head, 10);
    const quint32 headerSize = le32(head, 14);
    qint64 width;
    qint64 height;
    int bits;
    quint32 compression = 0;
    quint32 imageSize = 0;
    if (headerSize == 12) {
        width = le16(head, 18);
        height = le16(head, 20);
        bits = le16(head, 24);
    } else {
        if (head.size() < 54)
            return QStringLiteral("The bitmap file is truncated");
        width = qint32(le32(head, 18));
        height = qint32(le32(head, 22));
        bits = le16(head, 28);
        compression = le32(head, 30);
        imageSize = le32(head, 34);
    }
    height = height < 0 ? -height : height;
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return QStringLiteral("The picture is too large to be a vehicle picture");
    if (width <= 0 || height <= 0)
        return std::nullopt;

    bool whole = true;
    if (compression == 0 || compression == 3 || compression == 6) {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        whole = offset + stride * height <= fileSize;
    } else if (compression == 1 || compression == 2) {
        whole = (imageSize > 0 && offset + imageSize <= fileSize)
            || rleComplete(file, offset, compression == 2, height);
        file.seek(0);
    }
    if (!whole)
        return QStringLiteral("The bitmap file is truncated");
    return std::nullopt;
}

// Laid out as Qt's own writer lays it out, but in chunks of many rows: Qt's writer hands the file
// one row at a time, and for a train 20,000 pixels long that costs more than the picture itself.
bool writeBmp(const QImage &rgb, int w, int h, QIODevice &file)
{
    constexpr int kHeaders = 14 + 40;
    const qint64 stride = (qint64(w) * 24 + 31) / 32 * 4;
    const auto le16 = [](uchar *at, quint16 v) { qToLittleEndian(v, at); };
    const auto le32 = [](uchar *at, quint32 v) { qToLittleEndian(v, at); };

    uchar head[kHeaders] = {'B', 'M'};
    le32(head + 2, quint32(kHeaders + stride * h));
    le32(head + 10, kHeaders);
    le32(head + 14, 40);
    le32(head + 18, quint32(w));
    le32(head + 22, quint32(h));
    le16(head + 26, 1);
    le16(head + 28, 24);
    le32(head + 34, quint32(stride * h));
    le32(head + 38, quint32(rgb.dotsPerMeterX() ? rgb.dotsPerMeterX() : 2834));
    le32(head + 42, quint32(rgb.dotsPerMeterY() ? rgb.dotsPerMeterY() : 2834));
    if (file.write(reinterpret_cast<const char *>(head), kHeaders) != kHeaders)
        return false;

    // Rows bottom-up, blue, green, red, each padded to four bytes, in chunks of half a megabyte:
    // few enough writes for a long train, and after the first save the C library hands out a
    // chunk this size from pages it already holds rather than fresh ones.
    const int rowsPerChunk = int(std::clamp<qint64>((512 << 10) / std::max<qint64>(stride, 1), 1, h));
    QByteArray chunk(qsizetype(stride * rowsPerChunk), Qt::Uninitialized);
    for (int first = 0; first < h; first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, h - first);
        for (int r = 0; r < rows; ++r) {
            const QRgb *from = reinterpret_cast<const QRgb *>(rgb.constScanLine(h - 1 - (first + r)));
            uchar *row = reinterpret_cast<uchar *>(chunk.data()) + stride * r;
            packRow(from, w, row);
            std::memset(row + qsizetype(w) * 3, 0, size_t(stride - qsizetype(w) * 3));
        }
        const qint64 bytes = stride * rows;
        if (file.write(chunk.constData(), bytes) != bytes)
            return false;
    }
    return true;
}

} // namespace platform
