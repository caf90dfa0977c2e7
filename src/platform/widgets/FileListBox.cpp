#include "platform/widgets/FileListBox.h"
#include "platform/Files.h"

namespace platform {

FileListBox::FileListBox(const QString &name, QWidget *parent) : ListBox(name, parent) {}

platform::Status FileListBox::setPath(const QString &folder)
{
    m_path = folder;
    Clear();
    QStringList names;
    const platform::Status listed = platform::listFiles(folder, m_pattern, names);
    if (listed)
        AddItems(names);
    return listed;
}

} // namespace platform
