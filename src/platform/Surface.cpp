#include "platform/Surface.h"
#include <algorithm>
#include <climits>
#include <cstring>

namespace platform {

namespace {

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
    putPixels(QPoint(0, 0), picture);
}

QImage Surface::copyPixels(const QRect &area) const
{
    const QRect inside = area & QRect(0, 0, m_width, m_height);
    // QImage::copy takes an empty rectangle for the whole image.
    if (inside.isEmpty())
        return QImage();
    return m_store.copy(inside);
}

void Surface::putPixels(QPoint at, const QImage &pixels)
{
    const QRect to = QRect(at, pixels.size()) & QRect(0, 0, m_width, m_height);
    if (to.isEmpty())
        return;
    const QImage rgb = pixels.convertToFormat(QImage::Format_RGB32);
    for (int y = to.top(); y <= to.bottom(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(rgb.constScanLine(y - at.y())) + (to.left() - at.x());
        std::memcpy(reinterpret_cast<QRgb *>(m_store.scanLine(y)) + to.left(), from, size_t(to.width()) * sizeof(QRgb));
    }
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
    QImage &to = dst.m_store;
    for (int r = 0; r < ch; ++r) {
        std::memcpy(to.scanLine(int(dy) + r) + dx * 4, from.constScanLine(fy + r) + qsizetype(fx) * 4,
                    size_t(cw) * 4);
    }
}

void showPicture(Surface &box, const QImage &picture)
{
    box.Cls();
    box.setPicture(picture);
    box.Refresh();
}

} // namespace platform
