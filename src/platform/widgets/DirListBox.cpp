#include "platform/widgets/DirListBox.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace platform {

namespace {
constexpr int PathRole = Qt::UserRole;

QStringList chainTo(const QString &folder)
{
    QStringList chain;
    QString current = folder;
    for (;;) {
        chain.prepend(current);
        const QString parent = QFileInfo(current).path();
        if (parent == current || parent.isEmpty())
            break;
        current = parent;
    }
    return chain;
}
} // namespace

DirListBox::DirListBox(const QString &name, QWidget *parent) : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::open);
}

platform::Status DirListBox::setPath(const QString &path)
{
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    QStringList names;
    if (const platform::Status listed = platform::listFolders(folder, names); !listed)
        return listed;

    m_path = folder;
    m_chain = chainTo(folder);
    m_subFolders.clear();
    for (const QString &n : names)
        m_subFolders.append(platform::joinPath(folder, n));

    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString indent(2, QLatin1Char(' '));
    for (int depth = 0; depth < m_chain.size(); ++depth) {
        const QString &p = m_chain.at(depth);
        const QString shown = depth == 0 ? platform::nativePath(p) : platform::fileNameOf(p);
        auto *item = new QListWidgetItem(openIcon, indent.repeated(depth) + shown, this);
        item->setData(PathRole, p);
    }
    QListWidgetItem *current = item(count() - 1);
    for (int i = 0; i < m_subFolders.size(); ++i) {
        auto *item = new QListWidgetItem(closedIcon, indent.repeated(int(m_chain.size())) + names.at(i), this);
        item->setData(PathRole, m_subFolders.at(i));
    }
    setCurrentItem(current);
    scrollToItem(current);

    emit Change();
    return platform::Status::success();
}

QString DirListBox::List(int index) const
{
    if (index >= 0)
        return index < m_subFolders.size() ? m_subFolders.at(index) : QString();
    const qsizetype fromTop = m_chain.size() + index; // -1 is the last of the chain
    return fromTop >= 0 ? m_chain.at(fromTop) : QString();
}

void DirListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirListBox::open(QListWidgetItem *item)
{
    if (!item)
        return;
    if (const platform::Status opened = setPath(item->data(PathRole).toString()); !opened)
        emit OpenFailed(opened);
}

} // namespace platform
