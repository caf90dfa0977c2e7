// Placeholder until the real drawings land.
#include "pictures.h"
#include <QDir>
#include <QImage>

bool writeWindowPictures(const QString &outDir)
{
    const QDir d(outDir);
    bool ok = true;
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::darkGreen);
    ok &= icon.save(d.filePath(QStringLiteral("brenvik.png")));
    QImage band(760, 70, QImage::Format_RGB32);
    band.fill(Qt::black);
    ok &= band.save(d.filePath(QStringLiteral("consist_band.png")));
    for (const char *n : {"lbegin", "left", "add", "undo", "reset", "makeconsist", "right", "rbegin", "upd", "varsu", "vargiu"}) {
        QImage b(16, 16, QImage::Format_ARGB32);
        b.fill(Qt::transparent);
        ok &= b.save(d.filePath(QString::fromLatin1(n) + QStringLiteral(".png")));
    }
    return ok;
}
