// Placeholder until the real drawings land.
#include "pictures.h"
#include <QDir>
#include <QImage>

bool writeAboutPictures(const QString &outDir)
{
    const QDir d(outDir);
    QImage train(1655, 58, QImage::Format_RGB888);
    train.fill(Qt::black);
    QImage notice(54, 53, QImage::Format_RGB888);
    notice.fill(Qt::gray);
    return train.save(d.filePath(QStringLiteral("settebello.bmp")), "BMP")
        && notice.save(d.filePath(QStringLiteral("notice.bmp")), "BMP");
}
