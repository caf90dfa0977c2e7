#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace platform {

// Rows of text kept in one text, each row known by where it ends. A list of a hundred thousand
// rows then costs two allocations instead of one per row, and is freed in one step.
class TextRows {
public:
    TextRows() = default;
    explicit TextRows(const QStringList &rows);

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    QStringView view(qsizetype row) const;
    QString at(qsizetype row) const { return view(row).toString(); }
    QStringList toStringList() const;

    void reserve(qsizetype rows, qsizetype characters);
    void append(QStringView row);
    // Adds a row of `length` characters, written by the caller where the result points.
    QChar *appendRow(qsizetype length);
    void append(const TextRows &rows);
    void removeAt(qsizetype row);
    void clear();

private:
    QString m_text;
    QList<qsizetype> m_ends; // where each row ends in m_text
};

} // namespace platform
