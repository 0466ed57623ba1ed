#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace platform {
class Database;
}

namespace store {

/** One key of a paged read's order: an expression over the source's columns. */
struct SortKey
{
    QString expression;
    bool descending = false;
};

/**
 * The rows of a SELECT read a page at a time in an order the database sorts: each page starts after the last row of
 * the page before (by the values of its keys), so a page costs the same however far the reading has got, and rows
 * stored meanwhile never shift it. The keys taken together must tell every row apart; end them with the stored
 * order. Values read as the database gives them; NULL reads as an invalid QVariant.
 */
class PagedQuery final
{
public:
    /**
     * `source` is a SELECT whose placeholders take `sourceValues`; `columns` are expressions over its columns, read
     * for every row.
     */
    PagedQuery(platform::Database& database, const QString& source, const QVariantList& sourceValues,
               const QStringList& columns, const QList<SortKey>& order);

    /** The next rows, at most `most`; fewer only at the end. nullopt when the database could not read them. */
    std::optional<QList<QVariantList>> next(int most);
    bool atEnd() const { return m_atEnd; }

private:
    platform::Database& m_database;
    QString m_source;
    QVariantList m_sourceValues;
    QStringList m_columns;
    QList<SortKey> m_order;
    QVariantList m_lastKeys; // empty before the first page
    bool m_atEnd = false;
};

/**
 * SELECTs joined by UNION ALL, in brackets that keep each compound small enough for any engine's limit on the
 * terms of one compound. The selects must name the same columns in the same order. Empty for no select.
 */
QString unionAll(const QStringList& selects);

/**
 * true when the table can be read with these columns: it exists and has them all. Used to leave out a table that
 * would make a whole combined read fail.
 */
bool hasColumns(platform::Database& database, const QString& table, const QStringList& columns);

} // namespace store
