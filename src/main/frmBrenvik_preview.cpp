#include "main/frmBrenvik.h"
#include "main/Variations.h"
#include "platform/Lookup.h"
#include "platform/PictureFiles.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Loads into the box by the four steps; on failure the box keeps its picture and the user is told.
void showLibraryPicture(platform::PictureBox &box, const QString &path, platform::Prompts &prompts)
{
    const platform::Status shown = platform::showFile(box.surface(), platform::asOnDisk(path));
    if (!shown)
        platform::tell(prompts, shown.message(QStringLiteral("load")));
}

} // namespace

void frmBrenvik::lstSource_Click()
{
    const int position = lstSource->ListIndex();
    const VehicleRecord *vehicle = position < 0 ? nullptr : g.vehicle(position + 1);
    if (!vehicle)
        return;

    // Attributes are inherited only when the box is ticked after the vehicle was chosen.
    chkInherit->setChecked(false);

    const int32_t i = position + 1;
    mCurPath = vehicle->Path;

    // A flagged vehicle whose path holds no ".bmp" has no overlay names: it has no variations.
    const std::optional<QString> base =
        vehicle->Variations.is("Y") ? variations::basePath(mCurPath) : std::nullopt;
    if (base) {
        mVarExists = variations::availableSlots(*base, mVarName);
        mCurVar = 0;
        lblVAR->setText(QStringLiteral("Variation: ") + mVarName[0]);
        cmdVarGiu->setEnabled(true);
        cmdVarSu->setEnabled(true);
    } else {
        mVarExists = variations::plainOnly();
        mCurVar = 0;
        lblVAR->setText(QStringLiteral(" "));
        cmdVarGiu->setEnabled(false);
        cmdVarSu->setEnabled(false);
    }
    picVAR->hide();

    g.gSelVehicle = i;
    ShowPreview(mCurPath);
}

void frmBrenvik::ShowPreview(const QString &path)
{
    showLibraryPicture(*picPreview, path, m_prompts);
}

void frmBrenvik::cmdVarSu_Click()
{
    stepVariation(+1);
}

void frmBrenvik::cmdVarGiu_Click()
{
    stepVariation(-1);
}

void frmBrenvik::stepVariation(int step)
{
    mCurVar = int16_t(variations::nextSlot(mVarExists, mCurVar, step));
    lblVAR->setText(QStringLiteral("Variation: ") + mVarName[size_t(mCurVar)]);
    if (mCurVar == 0) {
        picVAR->hide();
        return;
    }

    picVAR->show();
    // Only a selection with a base path marks a slot available, so there is one here.
    const std::optional<QString> base = variations::basePath(mCurPath);
    if (!base)
        return;
    showLibraryPicture(*picVAR, variations::overlayFile(*base, mVarName[size_t(mCurVar)]), m_prompts);
}
