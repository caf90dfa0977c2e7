#pragma once
#include "shared/Refusal.h"
#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// The add-consist window's checks: the form's attributes, checked in order, become the library
// line and the entry.
namespace trainrules {

// The refusal of a cycle box that does not read 0 to 9.
Refusal cycleRefusal();

// What the add-consist window's controls hold when Add is clicked.
struct TrainForm {
    QString label;              // txtLabel
    std::array<bool, 7> epo{};  // chkEPO(1) .. chkEPO(6) ticked; [0] unused
    QString uland;              // cboUland's text
    QString gt;                 // cboGT's text
    std::array<bool, 3> ol{};   // chkOL(0) "Y", (1) "N", (2) "3rail"
    QString pixels;             // txtPixels
    bool sar0 = false;          // chkSAR(0) "Y"
    std::array<bool, 3> lr{};   // chkLR(0) "L", (1) "R", (2) "Both"
    bool sw0 = false;           // chkSW(0)
    bool pp0 = false;           // chkPP(0)
    bool dt0 = false;           // chkDT(0)
    QString cycle;              // txtCycle
};

// A number box's value: the whole number its digits form, blanks at either end ignored, 0 when
// empty. Nothing when it holds anything else (a sign, a point, a letter) or passes 16 bits.
std::optional<int> numberBoxValue(const QString &text);

// The accepted train: its library line (58 fixed columns and the bitmap name, Latin-1, no line
// end) and its USER_BMP.INI entry; or the first refusal.
struct TrainLine {
    std::optional<Refusal> refusal;
    QByteArray libraryLine;
    QString entry;
};

// The texts that the library line and the entry take whole (label, country, type and the
// train's bitmap path `consistFile`) must each fit one single-byte line; the first that does not
// refuses the Add before any picture is saved.
std::optional<Refusal> unwritableRefusal(const TrainForm &form, const QString &consistFile);

// Runs the checks in order on the form, building the library line as they pass, then the entry.
// `consistFile` is the plan's; `fileExists` answers whether the train's pantograph picture and
// frames are there.
TrainLine checkTrain(const TrainForm &form, const QString &consistFile,
                     const std::function<bool(const QString &)> &fileExists);

} // namespace trainrules
