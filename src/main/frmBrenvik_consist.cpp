#include "main/ConsistRules.h"
#include "main/frmBrenvik.h"
#include "platform/widgets/PictureBox.h"
#include <QCheckBox>
#include <QLabel>

void frmBrenvik::cmdAdd_Click()
{
    // Checked before anything changes: the vehicle's record is needed further down.
    const VehicleRecord *vehicle = g.vehicle(g.gSelVehicle);
    if (!vehicle)
        return;
    const int vehicleWidth = picPreview->Width();
    const int vehicleHeight = picPreview->Height();
    const consist::InsertPlan plan = consist::planInsert({g.gConsistCount, picConsist->Width(), g.gSpecialCount},
                                                         vehicleWidth, consist::specialKind(*vehicle).has_value());
    if (plan.refusal) {
        tell(m_prompts, *plan.refusal);
        return;
    }

    // The picture is sized first: when there is no memory for it, nothing else has changed.
    const int oldWidth = picConsist->Width();
    const int oldHeight = picConsist->Height();
    picConsist->surface().setSize(plan.after.width, vehicleHeight);
    if (picConsist->Width() != plan.after.width || picConsist->Height() != vehicleHeight) {
        picConsist->surface().setSize(oldWidth, oldHeight);
        platform::tell(m_prompts, QStringLiteral("There is not enough memory to make the consist %1 x %2 pixels.")
                                      .arg(plan.after.width)
                                      .arg(vehicleHeight));
        return;
    }

    g.gConsistCount = plan.after.count;
    consist::recordSpecials(g.gSpecials, g.gSpecialCount, plan, *vehicle);
    const int x = plan.x;

    if (chkInherit->isChecked())
        g.gInherited = *vehicle;

    platform::Surface &train = picConsist->surface();
    BitBlt(train, x, 0, vehicleWidth, vehicleHeight, picPreview->surface());
    QRect changed(x, 0, vehicleWidth, vehicleHeight);

    if (mCurVar > 0 && mVarExists[size_t(mCurVar)] == QLatin1String("Y")) {
        const QString &slotName = mVarName[size_t(mCurVar)];
        const QChar side = slotName.isEmpty() ? QChar() : slotName.front();
        if (const std::optional<QPoint> at =
                consist::overlayPlace(side, x, vehicleWidth, picVAR->Width(), picVAR->Height())) {
            BitBlt(train, at->x(), at->y(), picVAR->Width(), picVAR->Height(), picVAR->surface());
            changed |= QRect(*at, QSize(picVAR->Width(), picVAR->Height()));
        }
        // The same vehicle can go in again, plain or with another variation.
        mCurVar = 0;
        lblVAR->setText(QStringLiteral("Variation: ") + mVarName[0]);
        picVAR->hide();
    }

    // Only the new vehicle is repainted, however long the train is.
    train.Refresh(changed & QRect(0, 0, train.Width(), train.Height()));
    mLastWidth = plan.lastWidth;
}

void frmBrenvik::cmdUndo_Click()
{
    const consist::UndoResult undone = consist::undoInsert(picConsist->Width(), mLastWidth);
    picConsist->setWidth(undone.width);
    mLastWidth = 0;
    consist::dropSpecialsFrom(g.gSpecials, g.gSpecialCount, undone.width);
    if (undone.clear) {
        picConsist->Cls();
        picConsist->Refresh();
    }
}

void frmBrenvik::cmdReset_Click()
{
    picConsist->setWidth(0);
    picConsist->Cls();
    picConsist->Refresh();
    g.gConsistCount = 0;
    g.gInherited.Path.clear();
}

void frmBrenvik::emptyConsistArea()
{
    picConsist->setWidth(0);
    picConsist->Cls();
    picConsist->setLeft(0);
    picConsist->Refresh();
    g.gConsistCount = 0;
}

void frmBrenvik::cmdLBegin_Click()
{
    picConsist->setLeft(0);
}

void frmBrenvik::cmdLeft_Click()
{
    picConsist->setLeft(picConsist->Left() + 10);
}

void frmBrenvik::cmdRight_Click()
{
    picConsist->setLeft(picConsist->Left() - 10);
}

void frmBrenvik::cmdRBegin_Click()
{
    picConsist->setLeft(consist::kBandWidth - picConsist->Width());
}
