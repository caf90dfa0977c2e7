#pragma once
#include "shared/LibraryColumns.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

// Library text is single-byte: fixed-width fields keep their bytes, padded with blanks on the
// right or cut to the width, and are shown as Latin-1.
template <int N>
struct FixedText {
    std::array<char, N> c;

    FixedText() { c.fill(' '); }
    FixedText(QByteArrayView v) { set(v); } // NOLINT: assignment from text is the natural use

    void set(QByteArrayView v)
    {
        c.fill(' ');
        for (qsizetype i = 0; i < v.size() && i < N; ++i)
            c[size_t(i)] = v[i];
    }
    QByteArray bytes() const { return QByteArray(c.data(), N); }
    QString text() const { return QString::fromLatin1(c.data(), N); }
    char first() const { return c[0]; }
    // Exact, case-sensitive comparison with a value padded to the width.
    bool operator==(const FixedText &o) const { return c == o.c; }
    bool is(QByteArrayView v) const { return *this == FixedText(v); }
};

// Vehicle pictures are this many pixels high: animation frames and "S" overlays stand on its
// last row whatever the vehicle's own height.
constexpr int kVehicleHeight = 58;

// One library vehicle: one line of the library file, each text field as wide as its column.
struct VehicleRecord {
    FixedText<librarycolumns::kLabel.width> Label;
    FixedText<librarycolumns::kEra.width> Epoche;
    FixedText<librarycolumns::kCountry.width> Uland;
    FixedText<librarycolumns::kType.width> GT;
    FixedText<librarycolumns::kOverheadLine.width> OL; // "J" (the file's "Y"), "N" or "3"
    int16_t OLH = 0;
    FixedText<librarycolumns::kPantograph.width> SAR;
    FixedText<librarycolumns::kDirection.width> Richtung;
    FixedText<librarycolumns::kShunting.width> Rangier;
    FixedText<librarycolumns::kPushPull.width> WZ;
    FixedText<librarycolumns::kDoubleTraction.width> DT;
    int16_t Phasenlaenge = 0;
    FixedText<librarycolumns::kVariations.width> Variations;
    QString Path;            // full path of the vehicle's bitmap
};

// An animated or pantograph vehicle inside the consist being composed.
struct SpecialItem {
    int32_t XPos = 0;
    QString Path;
    QString Kind; // "S" pantograph (wins over animation), "P" animated
};

// The state the windows share. One instance is made in main() and handed to every window.
struct mc_Brenvik {
    QString gIniPath;
    int32_t gSelVehicle = 0;
    QList<VehicleRecord> gVehicles; // record k (from 1) is gVehicles[k - 1]
    VehicleRecord gInherited;
    QString gLibBase;
    int16_t gConsistCount = 0;
    QString gLibraryFile;
    QString gLibFolder;
    QList<SpecialItem> gSpecials;   // elements 1 .. gSpecialCount are gSpecials[0 .. count - 1]
    int16_t gSpecialCount = 0;

    // Record k counted from 1, or nullptr when k names no record.
    VehicleRecord *vehicle(int32_t k)
    {
        return (k >= 1 && k <= gVehicles.size()) ? &gVehicles[k - 1] : nullptr;
    }
};
