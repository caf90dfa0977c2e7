#include "platform/Paths.h"
#include <QDir>

namespace platform {

QChar sep()
{
    return QDir::separator();
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    QString left = folder;
    while (left.size() > 1 && left.endsWith(sep()))
        left.chop(1);
    qsizetype start = 0;
    while (start < name.size() && name.at(start) == sep())
        ++start;
    if (left.endsWith(sep()))
        return left + name.mid(start);
    return left + sep() + name.mid(start);
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(sep()) + 1);
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace platform
