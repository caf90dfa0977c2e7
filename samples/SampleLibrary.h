#pragma once
#include <QString>

// Writes our own small vehicle library into `folder`: Library.txt and the bitmap folder
// Library/ (type sub-folders, variation overlays, animation frames, pantograph pictures and an
// empty consists folder). Returns the library file's path, or an empty string with `error` set.
QString writeSampleLibrary(const QString &folder, QString *error = nullptr);
