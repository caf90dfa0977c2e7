#pragma once
#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>

namespace platform {

// A picture box's persistent image, in pixels. The image is kept in a store that grows by
// doubling, so widening a long train by one vehicle costs no copy of the whole train.
// A size change keeps the pixels inside the new size; a strip gained by growing shows the
// background colour.
class Surface {
public:
    Surface(QColor background, int width, int height);
    // The owner's callbacks capture the owner, so a copy would repaint the wrong box.
    Q_DISABLE_COPY_MOVE(Surface)

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Keeps the pixels inside the new size; a gained strip shows the background colour.
    void setWidth(int width);
    void setHeight(int height);
    void setSize(int width, int height);

    QColor backColor() const { return m_back; }

    // Every pixel back to the background colour.
    void Cls();
    // Asks the box showing this surface to repaint (the changed rectangle, or all of it).
    void Refresh();
    void Refresh(const QRect &changed);

    // The loaded picture becomes the box's picture: the box takes its size (AutoSize) and
    // shows it from its top-left corner.
    void setPicture(const QImage &picture);

    // The persistent image at the current size (a copy).
    QImage Image() const;
    // Pixel colour at (x, y) inside the current size.
    QRgb pixel(int x, int y) const;

    // The pixels of `area` inside the current size, to be put back later with putPixels.
    QImage copyPixels(const QRect &area) const;
    // Pixels put with their top-left corner at `at`, replacing what was there; what falls
    // outside the current size is clipped away.
    void putPixels(QPoint at, const QImage &pixels);

    // For painting and saving only: the store, whose top-left Width() x Height() is the picture.
    const QImage &store() const { return m_store; }

    // Called after Refresh() with the rectangle to repaint, and after a size change.
    std::function<void(const QRect &)> onRefresh;
    std::function<void()> onResize;

private:
    friend void BitBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy);

    void ensureCapacity(int width, int height);
    void clearOutside(int fromX, int fromY);

    QColor m_back;
    int m_width = 0;
    int m_height = 0;
    QImage m_store;
};

// The three painting steps of showing a picture already loaded: Cls; make it the picture;
// Refresh (showFile in PictureFiles.h loads it first).
void showPicture(Surface &box, const QImage &picture);

// Copies w x h pixels from (sx, sy) of `src` to (x, y) of `dst`, replacing them (SRCCOPY).
// What falls outside either surface's current size is clipped away.
void BitBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx = 0, int sy = 0);

} // namespace platform
