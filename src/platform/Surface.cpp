#include "platform/Surface.h"
#include "platform/FileFaults.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr int kMaxPictureSide = 32767;

// Room for `wanted`: at least double the old capacity, so growing by small steps copies rarely,
// but no more than asked when one step asks for more than that (a picture loaded at once).
int grownCapacity(int capacity, int wanted)
{
    if (wanted <= capacity)
        return capacity;
    return int(std::clamp<long long>(2LL * capacity, wanted, INT_MAX));
}

} // namespace

Surface::Surface(QColor background, int width, int height)
    : m_back(background)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_store = QImage(std::max(m_width, 1), std::max(m_height, 1), QImage::Format_RGB32);
    m_store.fill(m_back);
}

void Surface::ensureCapacity(int width, int height)
{
    const int capW = grownCapacity(m_store.width(), width);
    const int capH = grownCapacity(m_store.height(), height);
    if (capW == m_store.width() && capH == m_store.height())
        return;
    QImage bigger(capW, capH, QImage::Format_RGB32);
    if (bigger.isNull())
        return;
    bigger.fill(m_back);
    const qsizetype rowBytes = qsizetype(m_width) * 4;
    for (int y = 0; y < m_height; ++y)
        std::memcpy(bigger.scanLine(y), m_store.constScanLine(y), size_t(rowBytes));
    m_store = bigger;
}

// Background over the part of the current size that lies right of `fromX` or below `fromY`.
void Surface::clearOutside(int fromX, int fromY)
{
    const QRgb back = m_back.rgb();
    for (int y = 0; y < m_height; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(m_store.scanLine(y));
        if (y >= fromY)
            std::fill(row, row + m_width, back);
        else if (fromX < m_width)
            std::fill(row + fromX, row + m_width, back);
    }
}

void Surface::setWidth(int width)
{
    setSize(width, m_height);
}

void Surface::setHeight(int height)
{
    setSize(m_width, height);
}

void Surface::setSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    ensureCapacity(width, height);
    if (width > m_store.width() || height > m_store.height())
        return; // no memory for the larger store: the box keeps its size
    // The lost strips go back to background, and so do the gained ones, so a box that
    // shrinks and grows again shows background there.
    clearOutside(width, height);
    const int oldW = m_width;
    const int oldH = m_height;
    m_width = width;
    m_height = height;
    clearOutside(oldW, oldH);
    if (onResize)
        onResize();
}

void Surface::Cls()
{
    m_store.fill(m_back);
}

void Surface::Refresh()
{
    Refresh(QRect(0, 0, m_width, m_height));
}

void Surface::Refresh(const QRect &changed)
{
    if (onRefresh)
        onRefresh(changed);
}

void Surface::setPicture(const QImage &picture)
{
    setSize(picture.width(), picture.height());
    if (picture.isNull())
        return;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(m_width, rgb.width());
    const int h = std::min(m_height, rgb.height());
    for (int y = 0; y < h; ++y)
        std::memcpy(m_store.scanLine(y), rgb.constScanLine(y), size_t(w) * 4);
}

QImage Surface::Image() const
{
    if (m_width == 0 || m_height == 0)
        return QImage();
    return m_store.copy(0, 0, m_width, m_height);
}

QRgb Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return m_back.rgb();
    return m_store.pixel(x, y);
}

void BitBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy)
{
    long long dx = x, dy = y, cx = sx, cy = sy, cw = w, ch = h;
    if (cw <= 0 || ch <= 0)
        return;
    // Clip against the source's size, then the destination's, moving both corners together.
    if (cx < 0) { dx -= cx; cw += cx; cx = 0; }
    if (cy < 0) { dy -= cy; ch += cy; cy = 0; }
    if (dx < 0) { cx -= dx; cw += dx; dx = 0; }
    if (dy < 0) { cy -= dy; ch += dy; dy = 0; }
    cw = std::min({cw, src.Width() - cx, dst.Width() - dx});
    ch = std::min({ch, src.Height() - cy, dst.Height() - dy});
    if (cw <= 0 || ch <= 0)
        return;
    // A copy within one surface may overlap itself; take the source apart first.
    const QImage from = &dst == &src ? src.store().copy(int(cx), int(cy), int(cw), int(ch)) : src.store();
    const int fx = &dst == &src ? 0 : int(cx);
    const int fy = &dst == &src ? 0 : int(cy);
    QImage &to = dst.store();
    for (int r = 0; r < ch; ++r) {
        std::memcpy(to.scanLine(int(dy) + r) + dx * 4, from.constScanLine(fy + r) + qsizetype(fx) * 4,
                    size_t(cw) * 4);
    }
}

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

// Qt shows a bitmap whose pixel data is cut short as if it were whole, so a short file is
// caught here from its own header. Nothing when the file is no bitmap or looks whole.
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

} // namespace

Status loadPicture(const QString &path, QImage &picture)
{
    if (const auto reason = FileFaults::check(FileOp::LoadPicture, path))
        return Status::failure(path, *reason);
    if (QFileInfo(path).isDir())
        return Status::failure(path, qt_error_string(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(path, file.errorString());
    if (const auto problem = bitmapProblem(file))
        return Status::failure(path, *problem);
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
        return Status::failure(path, QStringLiteral("The picture is too large to be a vehicle picture"));
    QImage image;
    if (!reader.read(&image))
        return Status::failure(path, reader.errorString());
    picture = image.convertToFormat(QImage::Format_RGB32);
    return Status::success();
}

Status showFile(Surface &box, const QString &path)
{
    QImage picture;
    const Status status = loadPicture(path, picture);
    if (!status)
        return status;
    box.Cls();
    box.setPicture(picture);
    box.Refresh();
    return status;
}

namespace {

// One row of RGB32 pixels as blue, green, red bytes; four pixels at a time as three words where
// the machine stores words little-endian (the bytes in memory are then blue, green, red, alpha).
void packRow(const QRgb *from, int w, uchar *to)
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

// Writes the top-left w x h pixels of an RGB32 picture as an uncompressed 24-bit bitmap laid
// out as Qt's own writer lays it out, but in chunks of many rows: Qt's writer hands the file one
// row at a time, and for a train 20,000 pixels long that costs more than the picture itself.
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

    // Rows bottom-up, blue, green, red, each padded to four bytes. The chunk stays small enough
    // to come from the heap already mapped, not from fresh pages at every save.
    const int rowsPerChunk = int(std::clamp<qint64>((96 << 10) / std::max<qint64>(stride, 1), 1, h));
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

// The permissions a file made by this program gets: everything the umask leaves of rw-rw-rw-.
QFileDevice::Permissions newFilePermissions()
{
    static const QFileDevice::Permissions permissions = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const mode_t mode = 0666 & ~mask;
        QFileDevice::Permissions p;
        const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
            {S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser},
            {S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser},
            {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
            {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther}};
        for (const auto &[bit, permission] : bits)
            if (mode & bit)
                p |= permission;
        return p;
    }();
    return permissions;
}

// A picture under a name not yet taken (every train bitmap): written to a temporary file in the
// same folder and renamed to its name once complete, so no half-written bitmap is ever seen
// there. With no older file to protect, the picture is not forced to disk as QSaveFile would
// do for each file; a long train's Add writes five of them. The rename refuses to replace a file
// that appeared meanwhile.
Status saveNewRgb32(const QImage &rgb, int w, int h, const QString &path)
{
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return Status::failure(path, file.errorString());
    if (!writeBmp(rgb, w, h, file) || !file.flush())
        return Status::failure(path, file.errorString());
    if (const auto reason = FileFaults::check(FileOp::Rename, path))
        return Status::failure(path, *reason);
    file.setPermissions(newFilePermissions());
    if (!file.rename(path))
        return Status::failure(path, file.errorString());
    file.setAutoRemove(false);
    return Status::success();
}

// Saves the top-left w x h pixels of an RGB32 picture.
Status saveRgb32(const QImage &rgb, int w, int h, const QString &path)
{
    if (const auto reason = FileFaults::check(FileOp::SavePicture, path))
        return Status::failure(path, *reason);
    if (rgb.isNull() || w <= 0 || h <= 0)
        return Status::failure(path, QStringLiteral("There is no picture to save"));
    if (!QFileInfo::exists(path))
        return saveNewRgb32(rgb, w, h, path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(path, file.errorString());
    if (!writeBmp(rgb, w, h, file)) {
        file.cancelWriting();
        return Status::failure(path, file.errorString());
    }
    if (const auto reason = FileFaults::check(FileOp::Rename, path)) {
        file.cancelWriting();
        return Status::failure(path, *reason);
    }
    if (!file.commit())
        return Status::failure(path, file.errorString());
    return Status::success();
}

Status saveBmp(const QImage &image, const QString &path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    return saveRgb32(rgb, rgb.width(), rgb.height(), path);
}

} // namespace

Status SavePicture(const Surface &box, const QString &path)
{
    // Straight from the store: a copy of a long train's picture per save is not needed.
    if (box.store().format() == QImage::Format_RGB32)
        return saveRgb32(box.store(), box.Width(), box.Height(), path);
    return saveBmp(box.Image(), path);
}

} // namespace platform
