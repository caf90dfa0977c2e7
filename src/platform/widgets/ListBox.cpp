#include "platform/widgets/ListBox.h"
#include "platform/widgets/TextRowsModel.h"
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

ListBox::ListBox(const QString &name, QWidget *parent)
    : QListView(parent), m_model(new TextRowsModel(this))
{
    setObjectName(name);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so a long library lays out without measuring each item.
    setUniformItemSizes(true);
}

void ListBox::Clear()
{
    m_byCode = true;
    m_model->clear();
    m_byCode = false;
}

void ListBox::AddItem(const QString &item)
{
    m_byCode = true;
    m_model->appendRow(item);
    m_byCode = false;
}

void ListBox::AddItems(const QStringList &items)
{
    AddItems(TextRows(items));
}

void ListBox::AddItems(const TextRows &items)
{
    m_byCode = true;
    m_model->appendRows(items);
    m_byCode = false;
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= m_model->rowCount())
        return;
    m_byCode = true;
    m_model->removeRow(index);
    m_byCode = false;
    // As in any list box, removing an item leaves none selected (the view would move on to a
    // neighbour).
    setListIndex(-1);
}

int ListBox::ListCount() const
{
    return m_model->rowCount();
}

QString ListBox::List(int index) const
{
    return m_model->row(index);
}

QStringList ListBox::items() const
{
    return m_model->rows().toStringList();
}

int ListBox::ListIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setListIndex(int index)
{
    m_byCode = true;
    if (index < 0 || index >= m_model->rowCount()) {
        selectionModel()->clear();
    } else {
        const QModelIndex item = m_model->index(index);
        setCurrentIndex(item);
        scrollTo(item);
    }
    m_byCode = false;
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    m_pressRow = indexAt(event->position().toPoint()).row();
    QListView::mousePressEvent(event);
}

// The click is reported once the button is up, so a handler that opens a message box does not
// leave the list in the middle of a press; a click on the item already selected counts too.
void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    const bool pressedOnItem = m_pressRow >= 0;
    m_pressRow = -1;
    if (pressedOnItem && !m_byCode && ListIndex() >= 0)
        emit Click();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = ListIndex();
    QListView::keyPressEvent(event);
    const int after = ListIndex();
    if (after >= 0 && after != before && !m_byCode)
        emit Click();
}

} // namespace platform
