#pragma once
#include "platform/Status.h"
#include "platform/widgets/ListBox.h"

namespace platform {

// A file list box: the names of one folder's ordinary files that match its pattern, sorted,
// none selected. Click (from ListBox) follows a selection by the user.
class FileListBox : public ListBox {
    Q_OBJECT
public:
    FileListBox(const QString &name, QWidget *parent);
    Q_DISABLE_COPY_MOVE(FileListBox)

    QString Pattern() const { return m_pattern; }
    // Applies from the next setPath().
    void setPattern(const QString &pattern) { m_pattern = pattern; }

    QString Path() const { return m_path; }
    // Lists the folder's matching files. When the folder cannot be listed the list stays empty
    // and the failure comes back.
    platform::Status setPath(const QString &folder);

private:
    QString m_pattern = QStringLiteral("*");
    QString m_path;
};

} // namespace platform
