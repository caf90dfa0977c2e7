#include "platform/widgets/TextRowsModel.h"

namespace platform {

QModelIndex TextRowsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || row >= m_rows.size() || column != 0 || parent.isValid())
        return QModelIndex();
    return createIndex(row, column);
}

int TextRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TextRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_rows.at(index.row());
}

QString TextRowsModel::row(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : QString();
}

void TextRowsModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void TextRowsModel::appendRow(QStringView row)
{
    addRows(1, [&] { m_rows.append(row); });
}

void TextRowsModel::appendRows(const TextRows &rows)
{
    addRows(rows.size(), [&] { m_rows.append(rows); });
}

// An empty list is filled in one reset, as a list box filled anew; rows added to a longer one
// are inserted, which keeps the selection where it was.
void TextRowsModel::addRows(qsizetype count, const std::function<void()> &add)
{
    if (count == 0)
        return;
    if (m_rows.isEmpty()) {
        beginResetModel();
        add();
        endResetModel();
        return;
    }
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(count) - 1);
    add();
    endInsertRows();
}

void TextRowsModel::removeRow(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

} // namespace platform
