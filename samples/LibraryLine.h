#pragma once
#include <QByteArray>
#include <QList>

// Lines of the libraries we write ourselves: the sample library, the tests' and the benchmarks'.
namespace libraryline {

// One vehicle's columns as text; left out, it is a plain electric locomotive of era 5 from FRG.
struct LineColumns {
    QByteArray label;          // columns 1 to 40
    QByteArray era = "5";      // 41 to 43
    QByteArray country = "FRG"; // 44 to 46
    QByteArray type = "E";     // 47 and 48
    // Columns 49 to 58: overhead line, its height (two digits), pantograph, direction, shunting,
    // push-pull, double traction, cycle, variations.
    QByteArray flags = "Y58NLNNN0N";
    QByteArray file;           // the bitmap name, from column 59
};

// The line without its line end: label, era, country and type cut or padded with blanks to
// their columns, the flags and the name as given.
QByteArray libraryLine(const LineColumns &columns);

// Columns 49 to 58 from their values: the height as its last two digits, the cycle as its last.
QByteArray flagColumns(char ol, int olh, char sar, char direction, char shunting, char pushPull, char doubleTraction,
                       int cycle, char variations);

// The codes of the add-consist window's type list (also the bitmap sub-folders) and country
// list, in list order, so that every vehicle we write can be chosen there.
const QList<QByteArray> &typeCodes();
const QList<QByteArray> &countryCodes();

} // namespace libraryline
