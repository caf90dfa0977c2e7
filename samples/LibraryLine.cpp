#include "LibraryLine.h"
#include "add_consist/AddPresets.h"
#include "platform/Runtime.h"
#include "shared/LibraryColumns.h"

namespace libraryline {

namespace {

QByteArray padded(const QByteArray &text, int width)
{
    return text.leftJustified(width, ' ', true);
}

// Each list item starts with its code, padded to `width`.
QList<QByteArray> codesOf(const QStringList &items, int width)
{
    QList<QByteArray> codes;
    for (const QString &item : items)
        codes.append(platform::trimBlanks(QStringView(item).left(width)).toLatin1());
    return codes;
}

} // namespace

QByteArray libraryLine(const LineColumns &c)
{
    using namespace librarycolumns;
    return padded(c.label, kLabel.width) + padded(c.era, kEra.width) + padded(c.country, kCountry.width) +
           padded(c.type, kType.width) + c.flags + c.file;
}

QByteArray flagColumns(char ol, int olh, char sar, char direction, char shunting, char pushPull, char doubleTraction,
                       int cycle, char variations)
{
    using namespace librarycolumns;
    static_assert(kCycle.width == 1, "the cycle is written as one digit");
    QByteArray flags;
    flags += ol;
    flags += QByteArray::number(olh).rightJustified(kLineHeight.width, '0').right(kLineHeight.width);
    for (char c : {sar, direction, shunting, pushPull, doubleTraction})
        flags += c;
    flags += char('0' + cycle % 10);
    flags += variations;
    return flags;
}

const QList<QByteArray> &typeCodes()
{
    static const QList<QByteArray> codes = codesOf(addconsist::typeItems(), addconsist::kTypeCodeWidth);
    return codes;
}

const QList<QByteArray> &countryCodes()
{
    static const QList<QByteArray> codes = codesOf(addconsist::countryItems(), addconsist::kCountryCodeWidth);
    return codes;
}

} // namespace libraryline
