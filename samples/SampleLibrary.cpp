// Placeholder until the sample library generator lands.
#include "SampleLibrary.h"

QString writeSampleLibrary(const QString &, QString *error)
{
    if (error)
        *error = QStringLiteral("not yet drawn");
    return QString();
}
