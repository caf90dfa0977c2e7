#include "platform/TextRows.h"

namespace platform {

TextRows::TextRows(const QStringList &rows)
{
    qsizetype characters = 0;
    for (const QString &row : rows)
        characters += row.size();
    reserve(rows.size(), characters);
    for (const QString &row : rows)
        append(row);
}

QStringView TextRows::view(qsizetype row) const
{
    const qsizetype start = row == 0 ? 0 : m_ends.at(row - 1);
    return QStringView(m_text).sliced(start, m_ends.at(row) - start);
}

QStringList TextRows::toStringList() const
{
    QStringList rows;
    rows.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        rows.append(at(i));
    return rows;
}

void TextRows::reserve(qsizetype rows, qsizetype characters)
{
    m_ends.reserve(m_ends.size() + rows);
    m_text.reserve(m_text.size() + characters);
}

void TextRows::append(QStringView row)
{
    m_text.append(row);
    m_ends.append(m_text.size());
}

QChar *TextRows::appendRow(qsizetype length)
{
    const qsizetype start = m_text.size();
    m_text.resize(start + length);
    m_ends.append(m_text.size());
    return m_text.data() + start;
}

void TextRows::append(const TextRows &rows)
{
    if (isEmpty()) {
        *this = rows;
        return;
    }
    const qsizetype offset = m_text.size();
    m_text.append(rows.m_text);
    m_ends.reserve(m_ends.size() + rows.size());
    for (qsizetype end : rows.m_ends)
        m_ends.append(offset + end);
}

void TextRows::removeAt(qsizetype row)
{
    const qsizetype start = row == 0 ? 0 : m_ends.at(row - 1);
    const qsizetype length = m_ends.at(row) - start;
    m_text.remove(start, length);
    m_ends.removeAt(row);
    for (qsizetype i = row; i < m_ends.size(); ++i)
        m_ends[i] -= length;
}

void TextRows::clear()
{
    m_text = QString();
    m_ends = QList<qsizetype>();
}

} // namespace platform
