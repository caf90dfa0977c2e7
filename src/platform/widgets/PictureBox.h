#pragma once
#include "platform/Surface.h"
#include <QWidget>

namespace platform {

// A picture box: shows a Surface at its Left/Top in the parent's pixels, no border, repainting
// only the part that Refresh() names and that is visible. Width and Height are the surface's.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString &name, QColor background, int left, int top, int width, int height, QWidget *parent);
    Q_DISABLE_COPY_MOVE(PictureBox)

    platform::Surface &surface() { return m_surface; }
    const platform::Surface &surface() const { return m_surface; }

    int Left() const { return x(); }
    int Top() const { return y(); }
    void setLeft(int left);
    int Width() const { return m_surface.Width(); }
    int Height() const { return m_surface.Height(); }
    void setWidth(int w) { m_surface.setWidth(w); }
    void Cls() { m_surface.Cls(); }
    void Refresh() { m_surface.Refresh(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    platform::Surface m_surface;
};

} // namespace platform
