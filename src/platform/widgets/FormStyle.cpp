#include "platform/widgets/FormStyle.h"
#include <QIcon>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace platform::formstyle {

int px(double twips)
{
    return qRound(twips / kTwipsPerPixel);
}

QRect twips(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QColor green()
{
    return QColor(0x00, 0x48, 0x00);
}

QPalette whiteOnGreen(QPalette base)
{
    base.setColor(QPalette::Window, green());
    base.setColor(QPalette::WindowText, Qt::white);
    base.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    return base;
}

void paintWhiteOnGreen(QWidget &widget)
{
    widget.setPalette(whiteOnGreen(widget.palette()));
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
}

QFont sansSerif(bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

QFont fixedPitch()
{
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(8.25);
    return font;
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry())
                        .topLeft());
}

void setUpForm(QWidget &form, const char *name, const QString &title)
{
    form.setObjectName(QLatin1String(name));
    if (!title.isEmpty())
        form.setWindowTitle(title);
    form.setWindowIcon(brenvikIcon());
}

Qt::WindowFlags closeBoxOnly()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}

} // namespace platform::formstyle

// Q_INIT_RESOURCE must stand outside any namespace.
static void initResourcesOnce()
{
    Q_INIT_RESOURCE(brenvik);
}

void platform::initBrenvikResources()
{
    static const bool done = (initResourcesOnce(), true);
    Q_UNUSED(done);
}

QIcon platform::brenvikIcon()
{
    initBrenvikResources();
    return QIcon(QStringLiteral(":/brenvik/brenvik.png"));
}
