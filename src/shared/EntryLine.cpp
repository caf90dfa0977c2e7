#include "shared/EntryLine.h"
#include "platform/Runtime.h"
#include "shared/mc_Brenvik.h"

namespace entryline {

namespace {

// The screen saver puts the overhead line this many pixels above the rails unless told otherwise.
constexpr int kDefaultLineHeight = 58;

// "{LocoStart}FILE=" is 16 characters; the FILE value starts right after it.
constexpr qsizetype kFileValueStart = 16;

QString trimmedText(const auto &field)
{
    return platform::trimBlanks(field.text());
}

QChar letter(const FixedText<1> &field)
{
    return QChar::fromLatin1(field.first());
}

bool yes(const FixedText<1> &field)
{
    return field.first() == 'Y';
}

} // namespace

QString buildEntry(const EntryValues &v)
{
    QString e = QStringLiteral("{LocoStart}FILE=") + v.file + u';';
    e += QStringLiteral("LABEL=") + v.label + u';';
    e += QStringLiteral("GT=") + v.gt + u';';
    e += QStringLiteral("EPOCHE=") + v.epoche + u';';
    e += QStringLiteral("ULAND=") + v.uland + u';';

    if (v.ol == u'J') {
        e += QStringLiteral("OL=J;");
        if (v.height != kDefaultLineHeight)
            e += QStringLiteral("OLH=") + QString::number(kDefaultLineHeight - v.height) + u';';
    } else if (v.ol == u'N' || v.ol == u'3') {
        // The screen saver knows no three-rail line: it is "no line" plus FLAGS at the end.
        e += QStringLiteral("OL=N;");
    }
    if (v.sar)
        e += QStringLiteral("SAR=J;");
    if (v.richtung == u'L' || v.richtung == u'R')
        e += QStringLiteral("RICHTUNG=") + v.richtung + u';';
    if (v.rangier)
        e += QStringLiteral("RANGIER=J;");
    if (v.wz)
        e += QStringLiteral("WZ=J;");
    if (v.dt)
        e += QStringLiteral("DT=J;");
    if (v.cycle > 0)
        e += QStringLiteral("PHASENLAENGE=") + (v.cycleText.isEmpty() ? QString::number(v.cycle) : v.cycleText) + u';';

    e += v.ol == u'3' ? QStringLiteral("ZG=63;FLAGS=32;SELECTED=1;{LocoEnd}")
                      : QStringLiteral("ZG=63;SELECTED=1;{LocoEnd}");
    return e;
}

std::optional<Refusal> unwritableText(const QString &field, const QString &text)
{
    if (text.contains(u'\r') || text.contains(u'\n'))
        return Refusal{QStringLiteral("%1 must be one line: it holds a line break!").arg(field)};
    for (const char32_t c : text.toUcs4()) {
        if (c > 0xFF)
            return Refusal{QStringLiteral("The library and USER_BMP.INI cannot hold the character \"%1\" of %2 \"%3\"!")
                               .arg(QString::fromUcs4(&c, 1), field, text)};
    }
    return std::nullopt;
}

std::optional<Refusal> unwritableEntry(const EntryValues &v)
{
    const std::pair<const char *, const QString &> parts[] = {
        {"FILE", v.file}, {"LABEL", v.label}, {"GT", v.gt}, {"EPOCHE", v.epoche}, {"ULAND", v.uland}};
    for (const auto &[field, text] : parts) {
        if (auto why = unwritableText(QLatin1String(field), text))
            return why;
    }
    return std::nullopt;
}

EntryValues entryValuesFor(const VehicleRecord &r)
{
    EntryValues v;
    v.file = r.Path;
    v.label = trimmedText(r.Label);
    v.gt = trimmedText(r.GT);
    v.epoche = trimmedText(r.Epoche);
    v.uland = trimmedText(r.Uland);
    v.ol = letter(r.OL);
    v.height = r.OLH;
    v.sar = yes(r.SAR);
    v.richtung = letter(r.Richtung);
    v.rangier = yes(r.Rangier);
    v.wz = yes(r.WZ);
    v.dt = yes(r.DT);
    v.cycle = r.Phasenlaenge;
    return v;
}

QString entryFileValue(const QString &entry)
{
    const qsizetype semicolon = entry.indexOf(u';');
    if (entry.size() <= kFileValueStart || (semicolon >= 0 && semicolon < kFileValueStart))
        return QString();
    if (semicolon < 0)
        return entry.mid(kFileValueStart);
    return entry.mid(kFileValueStart, semicolon - kFileValueStart);
}

} // namespace entryline
