#pragma once
#include "shared/Refusal.h"
#include <QChar>
#include <QString>
#include <optional>

struct VehicleRecord;

// The USER_BMP.INI entry line, one format for single vehicles and for trains.
namespace entryline {

// The values an entry is made of, already in the form they are written.
struct EntryValues {
    QString file;      // full path of the bitmap
    QString label;
    QString gt;        // vehicle-type code
    QString epoche;    // "3", "3-5"
    QString uland;     // country code
    QChar ol;          // 'J' yes, 'N' no, '3' three-rail; anything else writes no OL part
    int height = 0;    // overhead-line height in pixels above the rails
    bool sar = false;  // pantograph animation
    QChar richtung;    // 'L' or 'R' write a direction; anything else ("B" both) writes none
    bool rangier = false;
    bool wz = false;
    bool dt = false;
    int cycle = 0;     // animation cycle; written only when above 0
    QString cycleText; // how the cycle is written; empty means the cycle in decimal
};

// The whole entry, "{LocoStart}FILE=...;...{LocoEnd}", without a line end.
QString buildEntry(const EntryValues &values);

// Library lines and USER_BMP.INI entries are single-byte lines: why `text`, the value of the
// part `field` ("LABEL", "FILE"), cannot stand in one (it holds a CR or LF, or a character
// outside Latin-1), as the message box says it; nothing when it can.
std::optional<Refusal> unwritableText(const QString &field, const QString &text);
// The first value of the entry that cannot be written, as unwritableText says it.
std::optional<Refusal> unwritableEntry(const EntryValues &values);

// The entry values of a library vehicle. Letter fields count only as the exact upper-case
// letter; a lower-case or blank letter is neither yes nor a direction.
EntryValues entryValuesFor(const VehicleRecord &vehicle);

// The FILE value read back from an entry: from character 17 (just after "{LocoStart}FILE=") up
// to the first ";" of the line. Empty when the line is shorter or its first ";" comes earlier;
// the rest of the line when it holds no ";".
QString entryFileValue(const QString &entry);

} // namespace entryline
