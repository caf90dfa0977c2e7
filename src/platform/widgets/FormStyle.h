#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QIcon;
class QWidget;

// What every window of the program shares: its green, its fonts, its twips, its place on the
// screen and the program's icon.
namespace platform::formstyle {

// The forms were laid out in twips, 15 to a pixel.
inline constexpr double kTwipsPerPixel = 15.0;

// A length in twips as whole pixels; a length between two pixels takes the nearer one.
int px(double twips);
QRect twips(double left, double top, double width, double height);

// The windows' dark green, &H004800&.
QColor green();

// White text on the green; a disabled caption greys as the desktop greys it.
QPalette whiteOnGreen(QPalette base);
// The widget writes white and fills its background with the green, buttons (check boxes too)
// included, which would otherwise fill with the button colour.
void paintWhiteOnGreen(QWidget &widget);

// The windows' small sans-serif 8.25, in which the captions fit the controls as they were laid out.
QFont sansSerif(bool bold);
// The fixed-pitch 8.25 in which fixed columns line up.
QFont fixedPitch();

// What every form sets first: its object name, its caption (none when `title` is empty) and
// the program's icon, which also makes the program's pictures available.
void setUpForm(QWidget &form, const char *name, const QString &title = QString());
// A dialog's title bar with its close box only.
Qt::WindowFlags closeBoxOnly();

// Places a top-level window in the middle of its screen's free area.
void centreOnScreen(QWidget &window);

} // namespace platform::formstyle

namespace platform {

// Loads the program's compiled-in pictures (once) and gives the program icon.
void initBrenvikResources();
QIcon brenvikIcon();

} // namespace platform
