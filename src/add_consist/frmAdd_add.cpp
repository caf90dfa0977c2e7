// "Add": the composed train becomes numbered bitmaps in the library's consists folder, a library
// line and a queued USER_BMP.INI entry; then the consist area is emptied and the window closes.
#include "add_consist/PictureSteps.h"
#include "add_consist/TrainChecks.h"
#include "add_consist/TrainHost.h"
#include "add_consist/TrainRules.h"
#include "add_consist/frmAdd.h"
#include "platform/Files.h"
#include "platform/Lookup.h"
#include "platform/widgets/PictureBox.h"
#include "shared/QueueTag.h"
#include "shared/Refusal.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

// What the checks read, taken from the controls as they stand at the click.
trainrules::TrainForm formOf(const frmAdd &w)
{
    trainrules::TrainForm f;
    f.label = w.txtLabel->text();
    for (size_t i = 1; i <= 6; ++i)
        f.epo[i] = w.chkEPO[i]->isChecked();
    f.uland = w.cboUland->currentText();
    f.gt = w.cboGT->currentText();
    for (size_t i = 0; i < 3; ++i) {
        f.ol[i] = w.chkOL[i]->isChecked();
        f.lr[i] = w.chkLR[i]->isChecked();
    }
    f.pixels = w.txtPixels->text();
    f.sar0 = w.chkSAR[0]->isChecked();
    f.sw0 = w.chkSW[0]->isChecked();
    f.pp0 = w.chkPP[0]->isChecked();
    f.dt0 = w.chkDT[0]->isChecked();
    f.cycle = w.txtCycle->text();
    return f;
}

QWidget *focusTarget(const frmAdd &w, Refusal::Focus focus)
{
    switch (focus) {
    case Refusal::Focus::chkEPO1:
        return w.chkEPO[1];
    case Refusal::Focus::cboUland:
        return w.cboUland;
    case Refusal::Focus::cboGT:
        return w.cboGT;
    case Refusal::Focus::chkOL1:
        return w.chkOL[1];
    case Refusal::Focus::txtPixels:
        return w.txtPixels;
    case Refusal::Focus::chkSAR0:
        return w.chkSAR[0];
    case Refusal::Focus::chkLR1:
        return w.chkLR[1];
    case Refusal::Focus::txtCycle:
        return w.txtCycle;
    case Refusal::Focus::txtLabel:
        return w.txtLabel;
    case Refusal::Focus::none:
        break;
    }
    return nullptr;
}

} // namespace

void frmAdd::cmdAdd_Click()
{
    // The window stays open with everything entered; the user corrects the field and adds again.
    const auto refuse = [this](const Refusal &refusal) {
        tell(m_prompts, refusal);
        if (QWidget *target = focusTarget(*this, refusal.focus))
            target->setFocus();
    };

    // Frames and pantograph pictures are drawn over the composed train. Should the Add stop short
    // of the end, the train goes back to what was composed, so the next Add does not save a plain
    // picture with raised pantographs or animation frames in it.
    platform::Surface &consist = m_main.consistPicture().surface();
    const QImage composed = consist.Image();
    const auto restoreComposed = [&] {
        consist.setPicture(composed);
        consist.Refresh();
    };

    // 1. The new train's number: one above every bitmap already in consists.
    const QString consists = trainrules::consistsFolder(g.gLibBase);
    int32_t number = 0;
    if (const platform::Status numbered = trainrules::numberConsist(consists, number); !numbered) {
        platform::tell(m_prompts, numbered.message(QStringLiteral("number a new train in")));
        return;
    }

    // 2. The train's pictures, drawn on the consist picture and saved before any check: a
    // refused Add leaves them, and the next Add numbers above them.
    const trainrules::PicturePlan plan =
        trainrules::planPictures(trainrules::consistStem(consists, number), chkSAR[0]->isChecked(),
                                 txtCycle->text(), g.gSpecials, g.gSpecialCount);
    if (plan.refusal) {
        refuse(*plan.refusal);
        return;
    }
    if (const auto refusal = trainrules::unwritableRefusal(formOf(*this), plan.consistFile)) {
        refuse(*refusal);
        return;
    }
    platform::Status drawn = platform::Status::success();
    {
        const platform::BusyPointer busy(m_prompts);
        drawn = trainrules::runPictureSteps(plan.steps, consist, m_main.scratchPicture().surface());
        m_main.consistPicture().Refresh();
    }
    if (!drawn) {
        restoreComposed();
        platform::tell(m_prompts, drawn.message());
        return;
    }

    // 3. The attributes, checked in order while the library line is built.
    const trainrules::TrainLine train = trainrules::checkTrain(formOf(*this), plan.consistFile, platform::fileExists);
    if (train.refusal) {
        restoreComposed();
        refuse(*train.refusal);
        return;
    }

    // 4. The library gets the train's line and is read again, so the train is the list's last item.
    if (const platform::Status appended = platform::appendLines(g.gLibraryFile, {train.libraryLine}); !appended) {
        restoreComposed();
        platform::tell(m_prompts, appended.message(QStringLiteral("append to")));
        return;
    }
    m_main.LoadList();

    // 5. The entry, tagged with the line just appended so that Erase Last undoes exactly this train.
    m_main.addEntry(train.entry, QueueTag{true, g.gLibraryFile, train.libraryLine});

    // 6. The consist area is empty again; the specials and the inherited vehicle stay.
    m_main.emptyConsistArea();

    accept();
}
