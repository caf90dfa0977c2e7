#include "LibraryLine.h"
#include "add_consist/AddPresets.h"
#include "platform/Runtime.h"

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
    return padded(c.label, 40) + padded(c.era, 3) + padded(c.country, 3) + padded(c.type, 2) + c.flags + c.file;
}

QByteArray flagColumns(char ol, int olh, char sar, char direction, char shunting, char pushPull, char doubleTraction,
                       int cycle, char variations)
{
    QByteArray flags;
    flags += ol;
    flags += QByteArray::number(olh % 100).rightJustified(2, '0');
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
