#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The runtime rules the program's logic leans on.
namespace platform {

// The leading-number rule: blanks, tabs and line feeds anywhere in the text are ignored; then
// the longest leading part that reads as a number is taken: optional sign, digits, optional "."
// with digits, optional exponent "E" or "D" with optional sign and digits; a leading "&H" or "&O"
// reads a hexadecimal or octal number. Text without such a number reads as 0.
double leadingNumber(QByteArrayView text);
double leadingNumber(QStringView text);

// Rounds to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounded (half to even) into a 16-bit signed value; nothing when it does not fit.
std::optional<int16_t> toInt16(double value);
constexpr bool fitsInt16(long long v) { return v >= -32768 && v <= 32767; }

// Index (from 0) of the first occurrence of `needle` in `hay` at or after `from`, compared
// without regard to case; -1 when there is none.
qsizetype findNoCase(QStringView hay, QStringView needle, qsizetype from = 0);
qsizetype findNoCase(QByteArrayView hay, QByteArrayView needle, qsizetype from = 0);

// Blanks (spaces only) removed from both ends, as the runtime's Trim does.
QString trimBlanks(QStringView text);
QByteArray trimBlanks(QByteArrayView text);
bool isBlank(QStringView text);

// A command line as a program is started from it: the program's name up to the first blank,
// and after that blank its argument exactly as written (a path may begin or end with blanks).
struct CommandLine {
    QString program;
    QString argument;
    bool operator==(const CommandLine &) const = default;
};
CommandLine splitCommandLine(const QString &line);

} // namespace platform
