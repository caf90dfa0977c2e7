#pragma once
#include <QListView>
#include <QStringList>


namespace platform {

class TextRows;
class TextRowsModel;

// A list box: unsorted items shown one per row, one selectable, with the list box's own
// operations. Click() follows every selection by mouse (also of the item already selected)
// or by keyboard, never a selection made by code. Backed by a model, so a list of 100,000
// items fills at once.
class ListBox : public QListView {
    Q_OBJECT
public:
    ListBox(const QString &name, QWidget *parent);
    Q_DISABLE_COPY_MOVE(ListBox)

    void Clear();
    void AddItem(const QString &item);
    void AddItems(const QStringList &items);
    void AddItems(const TextRows &items);
    void RemoveItem(int index);
    int ListCount() const;
    QString List(int index) const;
    QStringList items() const;
    // Selected position from 0, or -1 when nothing is selected.
    int ListIndex() const;
    // Selects (and scrolls to) the item; -1 selects nothing. Raises no Click.
    void setListIndex(int index);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TextRowsModel *m_model;
    bool m_byCode = false;
    int m_pressRow = -1;
};

} // namespace platform
