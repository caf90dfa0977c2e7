#include "add_consist/PictureSteps.h"
#include "add_consist/TrainChecks.h"
#include "add_consist/TrainRules.h"
#include "platform/Lookup.h"
#include "platform/PictureFiles.h"
#include "platform/Runtime.h"
#include "platform/Surface.h"
#include <QHash>
#include <QRect>
#include <algorithm>

namespace trainrules {

namespace {

PictureStep saveStep(const QString &path)
{
    return {PictureStep::Action::Save, path, 0, false, QString()};
}

PictureStep failStep(const QString &vehiclePath, const QString &what)
{
    return {PictureStep::Action::Fail, vehiclePath, 0, false,
            QStringLiteral("The name holds no \".bmp\", so its %1 has no name.").arg(what)};
}

} // namespace

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

platform::Status runPictureSteps(const QList<PictureStep> &steps, platform::Surface &consist, platform::Surface &scratch)
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
    // A vehicle that stands in the train more than once is read from its file once.
    QHash<QString, QImage> loaded;

    for (const PictureStep &step : steps) {
        switch (step.action) {
        case PictureStep::Action::Save:
            if (const platform::Status s = platform::SavePicture(consist, step.path); !s)
                return s.during(QStringLiteral("save"));
            saved.insert(step.path, covered.size());
            savedSize = QSize(consist.Width(), consist.Height());
            break;
        case PictureStep::Action::Draw: {
            auto picture = loaded.constFind(step.path);
            if (picture == loaded.cend()) {
                QImage read;
                if (const platform::Status s = platform::loadPicture(platform::asOnDisk(step.path), read); !s)
                    return s.during(QStringLiteral("load"));
                picture = loaded.insert(step.path, read);
            }
            platform::showPicture(scratch, *picture);
            const int top = step.standing ? kVehicleHeight - scratch.Height() : 0;
            const QRect area =
                QRect(step.x, top, scratch.Width(), scratch.Height()) & QRect(0, 0, consist.Width(), consist.Height());
            if (!saved.isEmpty() && !area.isEmpty())
                covered.append({area.topLeft(), consist.copyPixels(area)});
            platform::BitBlt(consist, step.x, top, scratch.Width(), scratch.Height(), scratch);
            consist.Refresh(QRect(step.x, top, scratch.Width(), scratch.Height()));
            break;
        }
        case PictureStep::Action::Reload: {
            const auto at = saved.constFind(step.path);
            if (at == saved.cend() || savedSize != QSize(consist.Width(), consist.Height())) {
                if (const platform::Status s = platform::showFile(consist, step.path); !s)
                    return s.during(QStringLiteral("load"));
                // A new picture altogether: nothing kept so far leads back from it.
                covered.clear();
                saved.clear();
                break;
            }
            const qsizetype keep = *at;
            while (covered.size() > keep) {
                consist.putPixels(covered.constLast().at, covered.constLast().pixels);
                covered.removeLast();
            }
            // Pictures saved after that point are no longer what the surface could go back to.
            saved.removeIf([keep](const auto &entry) { return entry.value() > keep; });
            consist.Refresh();
            break;
        }
        case PictureStep::Action::Fail:
            return platform::Status::failure(step.path, step.reason).during(QStringLiteral("load pictures for"));
        }
    }
    return platform::Status::success();
}

} // namespace trainrules
