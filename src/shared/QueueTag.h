#pragma once
#include <QByteArray>
#include <QString>

// What the queue remembers of each entry, out of sight: whether the add-consist window made
// it, and for which library file and which appended line, so Erase Last undoes only that train.
struct QueueTag {
    QueueTag() = default;
    QueueTag(bool madeByAddConsist, const QString &library, const QByteArray &line)
        : fromAddConsist(madeByAddConsist), libraryFile(library), libraryLine(line)
    {
    }

    bool fromAddConsist = false;
    QString libraryFile;
    QByteArray libraryLine;
    qsizetype iniStart = 0; // where the entry's line starts in the queue's USER_BMP.INI text
};
