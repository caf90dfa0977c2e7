#include "platform/widgets/PictureBox.h"
#include <QPaintEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(const QString &name, QColor background, int left, int top, int width, int height, QWidget *parent)
    : QWidget(parent), m_surface(background, width, height)
{
    setObjectName(name);
    // Every pixel comes from the surface: nothing to erase first, and a size change keeps the
    // pixels, so only a gained strip needs painting (a train may be thousands of pixels wide).
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setGeometry(left, top, width, height);
    m_surface.onResize = [this] { resize(m_surface.Width(), m_surface.Height()); };
    m_surface.onRefresh = [this](const QRect &changed) { update(changed); };
}

void PictureBox::setLeft(int left)
{
    move(left, y());
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    const QRect exposed = event->rect() & QRect(0, 0, m_surface.Width(), m_surface.Height());
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), m_surface.store(), exposed);
}

} // namespace platform
