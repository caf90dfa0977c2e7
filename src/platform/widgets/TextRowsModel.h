#pragma once
#include "platform/TextRows.h"
#include <QAbstractListModel>
#include <functional>

namespace platform {

// A list box's rows as a model: the rows live in one TextRows, so emptying a long list is one
// reset and two frees, and filling it makes no string per row.
class TextRowsModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TextRowsModel(QObject *parent) : QAbstractListModel(parent) {}
    Q_DISABLE_COPY_MOVE(TextRowsModel)

    // Without the general checks' calls back into the model: the view asks for every row's
    // index when it lays out a long list.
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const TextRows &rows() const { return m_rows; }
    QString row(int row) const;
    void clear();
    void appendRow(QStringView row);
    void appendRows(const TextRows &rows);
    void removeRow(int row);

private:
    void addRows(qsizetype count, const std::function<void()> &add);

    TextRows m_rows;
};

} // namespace platform
