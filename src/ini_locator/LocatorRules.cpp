#include "ini_locator/LocatorRules.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"

namespace inilocator {

namespace {
const QChar CR(13); // the questions break their lines with carriage returns alone

QString shown(const QString &iniPath)
{
    return platform::trimBlanks(iniPath).toUpper();
}
} // namespace

QString withTrailingSep(const QString &folder)
{
    return platform::joinPath(folder.isEmpty() ? QString(platform::sep()) : folder, QString());
}

QString okQuestion(const QString &iniPath)
{
    return QStringLiteral("The full path is: ") + CR + shown(iniPath) + CR + QStringLiteral("is it ok?");
}

QString editQuestion(const QString &iniPath)
{
    return QStringLiteral("Do you want edit ") + CR + shown(iniPath) + QStringLiteral(" ?");
}

QString editorCommand(const QString &iniPath)
{
    return QStringLiteral("WRITE ") + iniPath;
}

} // namespace inilocator
