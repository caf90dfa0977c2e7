#pragma once
#include "platform/Status.h"
#include <QListWidget>
#include <QStringList>

namespace platform {

// A folder list box: the chain of folders from the root down to its path, then the path's
// sub-folders. A double click or Enter on a folder opens it. Change follows every setting of the
// path, by the user opening a folder or by the program.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    DirListBox(const QString &name, QWidget *parent);
    Q_DISABLE_COPY_MOVE(DirListBox)

    QString Path() const { return m_path; }
    // Shows the folder (made absolute and clean). A folder that cannot be listed is not
    // entered: the list stays as it was and the failure comes back.
    platform::Status setPath(const QString &path);

    // As the folder list box numbers them: 0 .. ListCount() - 1 the sub-folders, -1 the path
    // itself, -2 its parent and so on up to the root; full paths, empty past the root.
    int ListCount() const { return int(m_subFolders.size()); }
    QString List(int index) const;

signals:
    void Change();
    // The user opened a folder that could not be listed.
    void OpenFailed(const platform::Status &status);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void open(QListWidgetItem *item);

    QString m_path;
    QStringList m_chain;      // root first, the path last
    QStringList m_subFolders; // full paths
};

} // namespace platform
