#pragma once
#include <QByteArray>
#include <QList>

// Lines of the libraries we write ourselves: the sample library, the tests' and the benchmarks'.
namespace libraryline {

// One vehicle's columns as text (see shared/LibraryColumns.h); left out, it is a plain electric
// locomotive of era 5 from FRG.
struct LineColumns {
    QByteArray label;
    QByteArray era = "5";
    QByteArray country = "FRG";
    QByteArray type = "E";
    // The columns from the overhead line to the variations flag: overhead line, its height (two
    // digits), pantograph, direction, shunting, push-pull, double traction, cycle, variations.
    QByteArray flags = "Y58NLNNN0N";
    QByteArray file;           // the bitmap name, to the end of the line
};

// The line without its line end: label, era, country and type cut or padded with blanks to
// their columns, the flags and the name as given.
QByteArray libraryLine(const LineColumns &columns);

// The flag columns from their values: the height as its last digits, the cycle as its last.
QByteArray flagColumns(char ol, int olh, char sar, char direction, char shunting, char pushPull, char doubleTraction,
                       int cycle, char variations);

// The codes of the add-consist window's type list (also the bitmap sub-folders) and country
// list, in list order, so that every vehicle we write can be chosen there.
const QList<QByteArray> &typeCodes();
const QList<QByteArray> &countryCodes();

} // namespace libraryline
