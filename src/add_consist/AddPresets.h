#pragma once
#include "shared/mc_Brenvik.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The add-consist window's code lists and the presets it takes from the inherited vehicle.
namespace addconsist {

// Each list item is the code padded to its library column's width, " - " and a description; the
// code is read back from the item's first characters.
constexpr int kTypeCodeWidth = librarycolumns::kType.width;
constexpr int kCountryCodeWidth = librarycolumns::kCountry.width;

const QStringList &typeItems();    // the 13 items of cboGT, in list order
const QStringList &countryItems(); // the 15 items of cboUland, in list order

// Index of the first item whose code equals `code` exactly (case-sensitive), or -1.
int typeIndex(QByteArrayView code);
int countryIndex(QByteArrayView code);

// What loading the window puts in each control; -1 where a group gets no tick.
struct Presets {
    QString label;
    QList<int> eras;
    int country = -1;
    int type = -1;
    int overheadLine = -1; // "J", "N", "3"
    QString pixels;
    int pantograph = 1;    // "Y" ticks 0; every other value ticks "N"
    int direction = -1;    // "L", "R", "B"
    int switching = -1;    // "Y", "N"
    int pushPull = -1;
    int doubleTraction = -1;
    QString cycle;
};
Presets presetsFor(const VehicleRecord &inherited);

// Ticking box k of a three-way group clears the other two in this order.
constexpr std::optional<std::array<int, 2>> threeWayClearOrder(int k)
{
    switch (k) {
    case 0: return std::array<int, 2>{1, 2};
    case 1: return std::array<int, 2>{2, 0};
    case 2: return std::array<int, 2>{1, 0};
    default: return std::nullopt;
    }
}

} // namespace addconsist
