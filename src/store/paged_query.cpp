#include "store/paged_query.h"

#include "platform/database.h"
#include "store/engine_sql.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

// SQLite refuses a compound of more than 500 terms; nested compounds count apart.
constexpr qsizetype termsPerCompound = 200;

QString compound(const QStringList& selects)
{
    return selects.join(u" UNION ALL "_s);
}

} // namespace

PagedQuery::PagedQuery(platform::Database& database, const QString& source, const QVariantList& sourceValues,
                       const QStringList& columns, const QList<SortKey>& order)
    : m_database(database), m_source(source), m_sourceValues(sourceValues), m_columns(columns), m_order(order)
{ }

std::optional<QList<QVariantList>> PagedQuery::next(int most)
{
    if (m_atEnd || most <= 0)
        return QList<QVariantList> {};
    QStringList selected = m_columns;
    QStringList ordering;
    for (const SortKey& key : std::as_const(m_order)) {
        selected << key.expression;
        ordering << key.expression + (key.descending ? u" DESC"_s : u" ASC"_s);
    }
    QString sql = u"SELECT "_s + selected.join(u", "_s) + u" FROM ("_s + m_source + u") AS paged"_s;
    QVariantList values = m_sourceValues;
    if (!m_lastKeys.isEmpty()) {
        // After the last row read: greater in the first key that differs, all keys before it equal.
        QStringList alternatives;
        for (qsizetype i = 0; i < m_order.size(); ++i) {
            QStringList terms;
            for (qsizetype j = 0; j < i; ++j) {
                terms << m_order.at(j).expression + u" = ?"_s;
                values << m_lastKeys.at(j);
            }
            terms << m_order.at(i).expression + (m_order.at(i).descending ? u" < ?"_s : u" > ?"_s);
            values << m_lastKeys.at(i);
            alternatives << u"("_s + terms.join(u" AND "_s) + u")"_s;
        }
        sql += u" WHERE "_s + alternatives.join(u" OR "_s);
    }
    sql += u" ORDER BY "_s + ordering.join(u", "_s) + u" LIMIT ?"_s;
    values << most;

    QSqlQuery query = m_database.prepare(sql);
    for (const QVariant& value : std::as_const(values))
        query.addBindValue(value);
    if (!query.exec()) {
        m_database.noteError(query.lastError().text());
        return std::nullopt;
    }
    QList<QVariantList> rows;
    const qsizetype columnCount = m_columns.size();
    QVariantList keys;
    while (query.next()) {
        QVariantList row;
        row.reserve(columnCount);
        for (qsizetype i = 0; i < columnCount; ++i)
            row << query.value(int(i));
        keys.clear();
        for (qsizetype i = 0; i < m_order.size(); ++i)
            keys << query.value(int(columnCount + i));
        rows << row;
    }
    if (query.lastError().isValid()) {
        m_database.noteError(query.lastError().text());
        return std::nullopt;
    }
    if (rows.size() < most)
        m_atEnd = true;
    if (!rows.isEmpty())
        m_lastKeys = keys;
    return rows;
}

QString unionAll(const QStringList& selects)
{
    if (selects.size() <= termsPerCompound)
        return compound(selects);
    QStringList groups;
    for (qsizetype start = 0; start < selects.size(); start += termsPerCompound)
        groups << u"SELECT * FROM ("_s + unionAll(selects.mid(start, termsPerCompound)) + u") AS part"_s
                + QString::number(start / termsPerCompound);
    return unionAll(groups);
}

bool hasColumns(platform::Database& database, const QString& table, const QStringList& columns)
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted << u"t."_s + platform::quoteIdentifier(column);
    QSqlQuery query = database.prepare(u"SELECT "_s + quoted.join(u", "_s) + u" FROM "_s + engineTable(database, table)
                                       + u" AS t WHERE 1 = 0"_s);
    return query.exec();
}

} // namespace store
