#pragma once
#include <QChar>
#include <QString>

// Paths use the platform's separator: '/' here, '\' on Windows. Wherever the program's rules
// speak of the folder separator they mean sep().
namespace platform {

QChar sep();

// `folder` and `name` joined by exactly one separator.
QString joinPath(const QString &folder, const QString &name);

// The text after the last separator (the whole path when there is none).
QString fileNameOf(const QString &path);

// Native form for messages.
QString nativePath(const QString &path);

} // namespace platform
