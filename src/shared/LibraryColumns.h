#pragma once

// The library line's fixed columns, counted from 1. Each field starts where the one before it
// ends, so changing a width is one edit here; the reader, the writers and the record's field
// widths all take their numbers from this table.
namespace librarycolumns {

struct Column {
    int first; // from 1
    int width;

    constexpr int last() const { return first + width - 1; }
    constexpr int next() const { return first + width; }
};

constexpr Column kLabel{1, 40};
constexpr Column kEra{kLabel.next(), 3};
constexpr Column kCountry{kEra.next(), 3};
constexpr Column kType{kCountry.next(), 2};
constexpr Column kOverheadLine{kType.next(), 1};      // "Y", "N" or "3"
constexpr Column kLineHeight{kOverheadLine.next(), 2}; // the overhead line's height, digits
constexpr Column kPantograph{kLineHeight.next(), 1};
constexpr Column kDirection{kPantograph.next(), 1};    // "L", "R" or "B"
constexpr Column kShunting{kDirection.next(), 1};
constexpr Column kPushPull{kShunting.next(), 1};
constexpr Column kDoubleTraction{kPushPull.next(), 1};
constexpr Column kCycle{kDoubleTraction.next(), 1};    // one digit
constexpr Column kVariations{kCycle.next(), 1};
// The bitmap's file name runs from here to the end of the line.
constexpr int kFileFirst = kVariations.next();
// A file name whose first columns read as a number above 0 is a train's, in kTrainsFolder.
constexpr Column kTrainNumber{kFileFirst, 5};

// The bitmap folder that holds the trains made by the program.
inline constexpr char kTrainsFolder[] = "consists";

} // namespace librarycolumns
