#include "main/Library.h"
#include "main/QueueFiles.h"
#include "main/frmBrenvik.h"
#include "platform/Paths.h"
#include "platform/Runtime.h"
#include "platform/widgets/ListBox.h"
#include "shared/EntryLine.h"

using platform::MsgIcon;
using platform::ask;
using platform::tell;

void frmBrenvik::addEntry(const QString &entry, const QueueTag &tag)
{
    lstOriginalFile->AddItem(entry);
    mQueueTags.append(tag);
    mQueueTags.last().iniStart = mIniText.size();
    queuefiles::appendIniLine(mIniText, entry);
    lstOriginalFile->setListIndex(lstOriginalFile->ListCount() - 1);
}

void frmBrenvik::cmdUpd_Click()
{
    if (g.gConsistCount > 0) {
        tell(m_prompts, QStringLiteral("To add a single vehicle, before reset the current consist!"));
        return;
    }
    // No library yet, no vehicle clicked, or one beyond the end of a shorter library read since.
    const VehicleRecord *vehicle = g.vehicle(g.gSelVehicle);
    if (!vehicle)
        return;

    if (platform::isBlank(g.gLibBase)) {
        const QString base = library::libBaseFromPath(vehicle->Path);
        if (!base.isEmpty())
            g.gLibBase = base;
    }
    const entryline::EntryValues values = entryline::entryValuesFor(*vehicle);
    if (const auto why = entryline::unwritableEntry(values)) {
        tell(m_prompts, *why);
        return;
    }
    addEntry(entryline::buildEntry(values));
}

void frmBrenvik::Command1_Click()
{
    const int last = lstOriginalFile->ListCount() - 1;
    if (last < 0)
        return;
    const QString trainFile = entryline::entryFileValue(lstOriginalFile->List(last));
    const QueueTag tag = mQueueTags.value(last);

    // Only a train this window's add-consist step made, in the library still open, is undone;
    // undoTrainAddition further checks that the library still ends with the train's line.
    using queuefiles::TrainUndo;
    TrainUndo undo = TrainUndo::NotATrain;
    platform::Status failure = platform::Status::success();
    if (queuefiles::mayUndoTrain(tag, g.gLibraryFile, trainFile))
        undo = queuefiles::undoTrainAddition(g.gLibraryFile, tag.libraryLine, trainFile, failure);
    else if (queuefiles::isAddConsistTrain(tag, trainFile))
        undo = TrainUndo::OtherLibrary;

    // The library could not be rewritten: it is as it was, so the entry stays queued.
    if (undo == TrainUndo::LibraryKept) {
        tell(m_prompts, failure.message(QStringLiteral("rewrite")));
        return;
    }

    lstOriginalFile->RemoveItem(last);
    if (last < mQueueTags.size()) {
        mIniText.truncate(mQueueTags.at(last).iniStart);
        mQueueTags.removeAt(last);
    }
    lstOriginalFile->setListIndex(lstOriginalFile->ListCount() - 1);
    if (undo == TrainUndo::Undone || undo == TrainUndo::BitmapKept) {
        lstSource->RemoveItem(lstSource->ListCount() - 1);
        // The train's record stays in the table until the library is read again, but it is no
        // longer a vehicle to insert or queue.
        if (g.gSelVehicle > lstSource->ListCount())
            g.gSelVehicle = 0;
    }

    // The entry is gone; a train that stays on disk is said, so the user does not believe it gone.
    const auto stays = [&](const QString &why) {
        tell(m_prompts, QStringLiteral("The train's bitmap %1 and its line in the library %2 stay because %3.")
                            .arg(platform::nativePath(trainFile), platform::nativePath(tag.libraryFile), why));
    };
    if (undo == TrainUndo::BitmapKept)
        tell(m_prompts, failure.message(QStringLiteral("delete")));
    else if (undo == TrainUndo::LibraryGone)
        tell(m_prompts, QStringLiteral("The train's bitmap %1 stays in consists because the library %2 was not found.")
                            .arg(platform::nativePath(trainFile), platform::nativePath(g.gLibraryFile)));
    else if (undo == TrainUndo::OtherLibrary)
        stays(QStringLiteral("another library was opened since"));
    else if (undo == TrainUndo::NotLast)
        stays(QStringLiteral("the library no longer ends with the train's line"));
}

void frmBrenvik::Command3_Click()
{
    writeIni(true);
}

void frmBrenvik::Command4_Click()
{
    writeIni(false);
}

void frmBrenvik::menuExit_Click()
{
    if (ask(m_prompts, QStringLiteral("This will end the program's session")))
        close();
}

void frmBrenvik::writeIni(bool append)
{
    if (lstOriginalFile->ListCount() == 0) {
        tell(m_prompts, append ? QStringLiteral("Add vehicles and Palvenor before append to USER_BMP.INI!")
                               : QStringLiteral("Add vehicles and Palvenor before replace USER_BMP.INI!"));
        return;
    }
    if (platform::isBlank(g.gIniPath)) {
        tell(m_prompts, QStringLiteral("Find USER_BMP.INI! (See Menu File)"));
        return;
    }
    const QString question = append
        ? QStringLiteral("Are you sure to append new entries to the existing USER_BMP.INI file?")
        : QStringLiteral("Are you sure to replace existing USER_BMP.INI file?");
    if (!ask(m_prompts, question))
        return;

    platform::Status written = platform::Status::success();
    {
        const platform::BusyPointer busy(m_prompts);
        written = queuefiles::writeIniText(g.gIniPath, mIniText, append);
        // A failed write leaves the file as it was, so the entries stay queued for another try.
        if (written) {
            lstOriginalFile->Clear();
            mQueueTags.clear();
            // The text keeps its room for the next entries: handing megabytes back to the
            // system at once can take longer than the write itself.
            mIniText.truncate(0);
        }
    }
    // Either answer comes once the pointer is back to the arrow.
    if (!written)
        tell(m_prompts, written.message(QStringLiteral("write")));
    else
        tell(m_prompts, QStringLiteral("Procedure completed!"), MsgIcon::Information);
}
