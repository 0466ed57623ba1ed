#pragma once

#include <QList>
#include <QStringList>
#include <optional>

namespace platform {

/**
 * The rows a window shows, as texts, read from the start a part at a time, so that an export or a print of a
 * million lines never holds them all at once. Each reader reads once; a window makes a new one for every run.
 */
class TableRows
{
public:
    virtual ~TableRows() = default;

    virtual QStringList headings() const = 0;
    /** How many rows there are, for the progress shown; -1 when not known. */
    virtual qint64 count() const = 0;
    /** The next rows in order, at most `most`; empty at the end; nullopt when they could not be read. */
    virtual std::optional<QList<QStringList>> next(int most) = 0;
};

/** Rows already in memory, such as the bars of a chart. */
class ListRows final : public TableRows
{
public:
    ListRows(const QStringList& headings, const QList<QStringList>& rows) : m_headings(headings), m_rows(rows) { }

    QStringList headings() const override { return m_headings; }
    qint64 count() const override { return m_rows.size(); }
    std::optional<QList<QStringList>> next(int most) override
    {
        const QList<QStringList> part = m_rows.mid(m_read, most);
        m_read += part.size();
        return part;
    }

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
    qsizetype m_read = 0;
};

} // namespace platform
