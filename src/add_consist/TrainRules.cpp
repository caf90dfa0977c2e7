#include "add_consist/TrainRules.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Runtime.h"
#include "platform/Surface.h"
#include "shared/EntryLine.h"
#include <QHash>
#include <QRect>
#include <algorithm>
#include <cstring>

namespace trainrules {

namespace {

using platform::kTitle;

// Only the first five characters of a bitmap's name can hold its train number.
constexpr qsizetype kNumberWidth = 5;

constexpr int kLabelWidth = 40;
constexpr int kCountryWidth = 3;
constexpr int kTypeWidth = 2;
constexpr int kLowestLine = 40;
constexpr int kHighestLine = 90;
constexpr int kLongestCycle = 9;

QString consistsWord()
{
    return QStringLiteral("consists");
}

// Searches start in the file name: a folder whose name holds ".bmp" must neither send the
// train's pictures out of its folder nor hide a vehicle's pictures.
qsizetype findInFileName(const QString &path, QStringView needle)
{
    return platform::findNoCase(path, needle, path.lastIndexOf(platform::sep()) + 1);
}

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

Refusal cycleRefusal()
{
    return {QStringLiteral("The maximum value of cycle frequency is 9 [0-9] PHASENLAENGE!"), kTitle,
            Refusal::Focus::txtCycle};
}

PictureStep saveStep(const QString &path)
{
    return {PictureStep::Action::Save, path, 0, false, QString()};
}

PictureStep failStep(const QString &vehiclePath, const QString &what)
{
    return {PictureStep::Action::Fail, vehiclePath, 0, false,
            QStringLiteral("The name holds no \".bmp\", so its %1 has no name.").arg(what)};
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

std::optional<int32_t> nextConsistNumber(const QStringList &bmpNames)
{
    double largest = 0;
    for (const QString &name : bmpNames) {
        const double value = platform::leadingNumber(QStringView(name).left(kNumberWidth));
        if (value >= largest)
            largest = platform::roundHalfEven(value);
    }
    if (largest >= kLastConsistNumber)
        return std::nullopt;
    return int32_t(largest) + 1;
}

QString consistsFolder(const QString &libBase)
{
    // A library copied from Windows may call it "Consists" or "CONSISTS".
    const QString named = libBase + platform::sep() + consistsWord();
    const QString onDisk = platform::findFolderAnyCase(named);
    return onDisk.isEmpty() ? named : onDisk;
}

platform::Status numberConsist(const QString &folder, int32_t &number)
{
    QStringList names;
    const platform::Status listed = platform::listFiles(folder, QStringLiteral("*.bmp"), names);
    if (!listed)
        return listed;
    const std::optional<int32_t> next = nextConsistNumber(names);
    if (!next)
        return platform::Status::failure(folder, QStringLiteral("A train numbered %1 exists: no number is left.")
                                                     .arg(kLastConsistNumber));
    number = *next;
    return listed;
}

QString consistStem(const QString &consists, int32_t number)
{
    return consists + platform::sep() + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

QString plainPicturePath(const QString &stem)
{
    return stem + QStringLiteral(".bmp");
}

QString framePath(const QString &stem, int k)
{
    return stem + QStringLiteral("_%1.bmp").arg(k);
}

std::optional<QString> vehicleFramePath(const QString &vehiclePath, int k)
{
    const qsizetype at = findInFileName(vehiclePath, u".bmp");
    if (at < 0)
        return std::nullopt;
    const qsizetype nameStart = vehiclePath.lastIndexOf(platform::sep()) + 1;
    return framePath(vehiclePath.left(std::max(nameStart, at - 2)), k);
}

std::optional<QString> pantographPath(const QString &bitmapPath)
{
    const qsizetype at = findInFileName(bitmapPath, u".bmp");
    if (at < 0)
        return std::nullopt;
    return bitmapPath.left(at) + QStringLiteral("_SAR.bmp");
}

QString consistFileName(const QString &consistFile)
{
    return platform::fileNameOf(consistFile);
}

PicturePlan planPictures(const QString &stem, bool pantograph, const QString &cycleText,
                         const QList<SpecialItem> &specials, int specialCount)
{
    PicturePlan plan;
    // Only pasted text can make the cycle negative; it would name no picture at all.
    const double cycle = platform::leadingNumber(cycleText);
    if (cycle < 0) {
        plan.refusal = cycleRefusal();
        return plan;
    }
    const qsizetype count = std::clamp<qsizetype>(specialCount, 0, specials.size());

    if (cycle == 0) {
        plan.consistFile = plainPicturePath(stem);
        plan.steps.append(saveStep(plan.consistFile));
    } else {
        // Each frame is drawn over the one before: the animated vehicles step on together.
        for (int k = 0; k <= 3; ++k) {
            const QString frame = framePath(stem, k);
            if (k == 0)
                plan.consistFile = frame;
            for (qsizetype j = 0; k > 0 && j < count; ++j) {
                const SpecialItem &item = specials.at(j);
                if (item.Kind != QStringLiteral("P"))
                    continue;
                const std::optional<QString> picture = vehicleFramePath(item.Path, k);
                if (!picture) {
                    plan.steps.append(failStep(item.Path, QStringLiteral("animation frame %1").arg(k)));
                    return plan;
                }
                plan.steps.append({PictureStep::Action::Draw, *picture, item.XPos, true, QString()});
            }
            plan.steps.append(saveStep(frame));
        }
    }

    if (pantograph) {
        // Pantographs go over the plain train (frame 0), not over frame 3's animation.
        if (cycle > 0)
            plan.steps.append({PictureStep::Action::Reload, plan.consistFile, 0, false, QString()});
        // Saved once, when every pantograph vehicle is drawn: the file that stays is the same as
        // after saving it anew for each vehicle, at a fraction of the writing for a long train.
        bool drawn = false;
        for (qsizetype j = 0; j < count; ++j) {
            const SpecialItem &item = specials.at(j);
            if (item.Kind != QStringLiteral("S"))
                continue;
            const std::optional<QString> picture = pantographPath(item.Path);
            if (!picture) {
                plan.steps.append(failStep(item.Path, QStringLiteral("pantograph picture")));
                return plan;
            }
            plan.steps.append({PictureStep::Action::Draw, *picture, item.XPos, false, QString()});
            drawn = true;
        }
        if (drawn)
            plan.steps.append(saveStep(pantographPath(plan.consistFile).value_or(QString())));
    }
    return plan;
}

QString runPictureSteps(const QList<PictureStep> &steps, platform::Surface &consist, platform::Surface &scratch)
{
    // A picture saved by these steps is brought back from memory rather than decoded again from
    // its file: the pixels each draw covers are kept, and a Reload puts them back, last first.
    struct Covered {
        QPoint at;
        QImage pixels;
    };
    QList<Covered> covered;
    QHash<QString, qsizetype> saved; // path -> how many draws had been made when it was saved
    QSize savedSize;

    for (const PictureStep &step : steps) {
        switch (step.action) {
        case PictureStep::Action::Save:
            if (const platform::Status s = platform::SavePicture(consist, step.path); !s)
                return s.message(QStringLiteral("save"));
            saved.insert(step.path, covered.size());
            savedSize = QSize(consist.Width(), consist.Height());
            break;
        case PictureStep::Action::Draw: {
            if (const platform::Status s = platform::showFile(scratch, platform::asOnDisk(step.path)); !s)
                return s.message(QStringLiteral("load"));
            const int top = step.standing ? kVehicleHeight - scratch.Height() : 0;
            const QRect area =
                QRect(step.x, top, scratch.Width(), scratch.Height()) & QRect(0, 0, consist.Width(), consist.Height());
            if (!saved.isEmpty() && !area.isEmpty())
                covered.append({area.topLeft(), consist.store().copy(area)});
            platform::BitBlt(consist, step.x, top, scratch.Width(), scratch.Height(), scratch);
            consist.Refresh(QRect(step.x, top, scratch.Width(), scratch.Height()));
            break;
        }
        case PictureStep::Action::Reload: {
            const auto at = saved.constFind(step.path);
            if (at == saved.cend() || savedSize != QSize(consist.Width(), consist.Height())) {
                if (const platform::Status s = platform::showFile(consist, step.path); !s)
                    return s.message(QStringLiteral("load"));
                // A new picture altogether: nothing kept so far leads back from it.
                covered.clear();
                saved.clear();
                break;
            }
            const qsizetype keep = *at;
            QImage &store = consist.store();
            while (covered.size() > keep) {
                const Covered &c = covered.constLast();
                for (int r = 0; r < c.pixels.height(); ++r)
                    std::memcpy(store.scanLine(c.at.y() + r) + qsizetype(c.at.x()) * 4, c.pixels.constScanLine(r),
                                size_t(c.pixels.width()) * 4);
                covered.removeLast();
            }
            // Pictures saved after that point are no longer what the surface could go back to.
            saved.removeIf([keep](const auto &entry) { return entry.value() > keep; });
            consist.Refresh();
            break;
        }
        case PictureStep::Action::Fail:
            return platform::Status::failure(step.path, step.reason).message(QStringLiteral("load pictures for"));
        }
    }
    return QString();
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
    line += column(era, 3);

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
