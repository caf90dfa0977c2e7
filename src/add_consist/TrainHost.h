#pragma once

namespace platform {
class PictureBox;
}
class QString;
struct QueueTag;

// What the add-consist window needs of the main window: the composed train and the scratch
// picture it draws through, and the steps that take a new train in.
class TrainHost {
public:
    virtual platform::PictureBox &consistPicture() = 0; // picConsist
    virtual platform::PictureBox &scratchPicture() = 0; // picAppo, drawn on but never shown
    virtual void LoadList() = 0;
    virtual void addEntry(const QString &entry, const QueueTag &tag) = 0;
    // The consist area empty and at its left end; the specials and the inherited vehicle stay.
    virtual void emptyConsistArea() = 0;

protected:
    ~TrainHost() = default;
};
