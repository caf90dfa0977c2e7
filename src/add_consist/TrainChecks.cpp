// The add-consist window's checks: the form's attributes, checked in order, become the library
// line and the entry.
#include "add_consist/TrainChecks.h"
#include "add_consist/TrainRules.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Runtime.h"
#include "shared/EntryLine.h"
#include "shared/LibraryColumns.h"

namespace trainrules {

namespace {

using platform::kTitle;

constexpr int kLabelWidth = librarycolumns::kLabel.width;
constexpr int kEraWidth = librarycolumns::kEra.width;
constexpr int kCountryWidth = librarycolumns::kCountry.width;
constexpr int kTypeWidth = librarycolumns::kType.width;
constexpr int kLowestLine = 40;
constexpr int kHighestLine = 90;
constexpr int kLongestCycle = 9;
// After the type the line is written a letter or a number at a time: each must fill its column.
static_assert(librarycolumns::kLineHeight.width == 2 && kLowestLine >= 10 && kHighestLine <= 99 &&
              librarycolumns::kCycle.width == 1 && kLongestCycle <= 9);
static_assert(librarycolumns::kOverheadLine.width == 1 && librarycolumns::kPantograph.width == 1 &&
              librarycolumns::kDirection.width == 1 && librarycolumns::kShunting.width == 1 &&
              librarycolumns::kPushPull.width == 1 && librarycolumns::kDoubleTraction.width == 1 &&
              librarycolumns::kVariations.width == 1);

// The text cut or padded with blanks to exactly `width` Latin-1 characters, so later columns
// never shift.
QByteArray column(const QString &text, int width)
{
    QByteArray bytes = text.left(width).toLatin1();
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

QString missing(const QString &path)
{
    return platform::nativePath(path) + QStringLiteral(" doesn't exist!");
}

// The index of the one ticked box, -1 when none is, -2 when several are.
int onlyTicked(const std::array<bool, 3> &boxes)
{
    int found = -1;
    for (int i = 0; i < 3; ++i) {
        if (boxes[size_t(i)])
            found = found == -1 ? i : -2;
    }
    return found;
}

// A three-way group (see onlyTicked) must hold exactly one ticked box; `code` names it.
std::optional<Refusal> threeWayRefusal(int ticked, const QString &code, Refusal::Focus focus)
{
    if (ticked == -1)
        return Refusal{QStringLiteral("Select almost one value for %1!").arg(code), QString(), focus};
    if (ticked == -2)
        return Refusal{QStringLiteral("Select one value for %1!").arg(code), kTitle, focus};
    return std::nullopt;
}

} // namespace

Refusal cycleRefusal()
{
    return {QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"), kTitle,
            Refusal::Focus::txtCycle};
}

std::optional<int> numberBoxValue(const QString &text)
{
    const QString digits = platform::trimBlanks(text);
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (!platform::fitsInt16(value))
            return std::nullopt;
    }
    return value;
}

std::optional<Refusal> unwritableRefusal(const TrainForm &form, const QString &consistFile)
{
    using Focus = Refusal::Focus;
    const struct {
        const char *field;
        const QString &text;
        Focus focus;
    } parts[] = {{"LABEL", form.label, Focus::txtLabel},
                 {"ULAND", form.uland, Focus::cboUland},
                 {"GT", form.gt, Focus::cboGT},
                 {"FILE", consistFile, Focus::none}};
    for (const auto &part : parts) {
        if (auto why = entryline::unwritableText(QLatin1String(part.field), part.text)) {
            why->focus = part.focus;
            return why;
        }
    }
    return std::nullopt;
}

TrainLine checkTrain(const TrainForm &form, const QString &consistFile,
                     const std::function<bool(const QString &)> &fileExists)
{
    using Focus = Refusal::Focus;
    TrainLine out;
    const auto refuse = [&out](Refusal refusal) {
        out.refusal = std::move(refusal);
        return out;
    };
    QByteArray line;

    // Label: a long label keeps what was typed, leading blanks included, up to the column's end.
    const QString label = platform::trimBlanks(form.label);
    line += column(label.size() <= kLabelWidth ? label : form.label, kLabelWidth);

    int eras = 0;
    QString era;
    for (int i = 1; i <= 6; ++i) {
        if (!form.epo[size_t(i)])
            continue;
        if (++eras > 1)
            era += u'-';
        era += QChar(u'0' + i);
    }
    if (eras == 0)
        return refuse({QStringLiteral("Select almost one value for EPOCHE!"), kTitle, Focus::chkEPO1});
    if (eras >= 3)
        return refuse({QStringLiteral("Select one or two values for EPOCHE!"), kTitle, Focus::chkEPO1});
    line += column(era, kEraWidth);

    if (platform::isBlank(form.uland))
        return refuse({QStringLiteral("Select the country ULAND!"), kTitle, Focus::cboUland});
    line += column(form.uland, kCountryWidth);

    if (platform::isBlank(form.gt))
        return refuse({QStringLiteral("Select the type GT!"), kTitle, Focus::cboGT});
    line += column(form.gt, kTypeWidth);

    const int ol = onlyTicked(form.ol);
    if (auto refusal = threeWayRefusal(ol, QStringLiteral("OL"), Focus::chkOL1))
        return refuse(*refusal);
    line += "YN3"[ol];

    const std::optional<int> height = numberBoxValue(form.pixels);
    if (!height || *height > kHighestLine || *height < kLowestLine)
        return refuse(
            {QStringLiteral("Select the height OLH or set to correct value [40-90]!"), kTitle, Focus::txtPixels});
    line += QByteArray::number(*height);

    if (form.sar0) {
        const std::optional<QString> pantographs = pantographPath(consistFile);
        if (!pantographs || !fileExists(*pantographs))
            return refuse({missing(pantographs.value_or(consistFile)), kTitle, Focus::chkSAR0});
    }
    line += form.sar0 ? 'Y' : 'N';

    const int lr = onlyTicked(form.lr);
    if (auto refusal = threeWayRefusal(lr, QStringLiteral("RICHTUNG"), Focus::chkLR1))
        return refuse(*refusal);
    line += "LRB"[lr];

    line += form.sw0 ? 'Y' : 'N';
    line += form.pp0 ? 'Y' : 'N';
    line += form.dt0 ? 'Y' : 'N';

    const std::optional<int> cycle = numberBoxValue(form.cycle);
    if (!cycle || *cycle > kLongestCycle)
        return refuse(cycleRefusal());
    if (*cycle > 0) {
        const qsizetype frame0 = findInFileName(consistFile, u"_0.bmp");
        if (frame0 < 0)
            return refuse({QStringLiteral("The engine hasn't animation!"), kTitle, Focus::txtCycle});
        for (int k = 1; k <= 3; ++k) {
            const QString frame = framePath(consistFile.left(frame0), k);
            if (!fileExists(frame))
                return refuse({missing(frame), kTitle, Focus::txtCycle});
        }
    }
    line += char('0' + *cycle);
    line += 'N'; // a train has no variation overlays
    line += consistFileName(consistFile).toLatin1();

    entryline::EntryValues v;
    v.file = platform::trimBlanks(consistFile);
    v.label = label;
    v.gt = platform::trimBlanks(form.gt.left(kTypeWidth));
    v.epoche = era;
    v.uland = platform::trimBlanks(form.uland.left(kCountryWidth));
    v.ol = QChar(u"JN3"[ol]);
    v.height = *height;
    v.sar = form.sar0;
    v.richtung = QChar(u"LRB"[lr]);
    v.rangier = form.sw0;
    v.wz = form.pp0;
    v.dt = form.dt0;
    v.cycle = *cycle;
    v.cycleText = platform::trimBlanks(form.cycle);

    out.libraryLine = line;
    out.entry = entryline::buildEntry(v);
    return out;
}

} // namespace trainrules
