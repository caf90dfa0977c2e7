#pragma once
#include <QString>

// Each writes its pictures into `outDir`; false when a file cannot be written.
bool writeWindowPictures(const QString &outDir); // program icon, consist band, button pictures
bool writeAboutPictures(const QString &outDir);  // settebello.bmp (the About train), notice.bmp
