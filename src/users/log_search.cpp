#include "users/log_search.h"

#include "platform/database.h"
#include "platform/table_rows.h"
#include "store/engine_sql.h"
#include "store/paged_query.h"
#include "store/sql_dialect.h"
#include "store/statements.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

/** The filter's conditions over an alias with the log table's columns. */
QString filterClause(const LogFilter& filter, QVariantList& values)
{
    QStringList terms;
    if (filter.from && filter.to) {
        terms << u"substr(COALESCE(s.\"年月日\", ''), 1, 8) BETWEEN ? AND ?"_s;
        values << filter.from->toString(u"yyyyMMdd"_s) << filter.to->toString(u"yyyyMMdd"_s);
    }
    if (!filter.textPart.isEmpty()) {
        terms << store::containsCondition(u"s.\"备注\""_s);
        values << store::containsPattern(filter.textPart);
    }
    return terms.isEmpty() ? QString() : u" WHERE "_s + terms.join(u" AND "_s);
}

/** The columns every term gives: the user, whether saved (0) or pending (1), the order within, moment and action. */
QString termColumns(const QString& order, int pending)
{
    return u"CAST(? AS TEXT) AS user_name, %1 AS pending, %2 AS stored_order, COALESCE(s.\"年月日\", '') AS moment, "
           u"COALESCE(s.\"备注\", '') AS action"_s.arg(pending)
               .arg(order);
}

// The stored moment with a one-digit hour made two digits, so that moments compare as texts: "200406159:05:33"
// becomes "2004061509:05:33".
const QString momentKey = u"substr(moment, 1, 8) || CASE WHEN length(moment) = 15 THEN '0' ELSE '' END || "
                          u"substr(moment, 9)"_s;

class EntryRows final : public platform::TableRows
{
public:
    EntryRows(std::unique_ptr<store::PagedQuery> read, qint64 count) : m_read(std::move(read)), m_count(count) { }

    QStringList headings() const override { return logHeadings(); }
    qint64 count() const override { return m_count; }
    std::optional<QList<QStringList>> next(int most) override
    {
        if (!m_read)
            return QList<QStringList> {};
        const auto page = m_read->next(most);
        if (!page)
            return std::nullopt;
        QList<QStringList> rows;
        for (const QVariantList& entry : *page)
            rows << QStringList { entry.at(0).toString(), shownMoment(entry.at(1).toString()), entry.at(2).toString() };
        return rows;
    }

private:
    std::unique_ptr<store::PagedQuery> m_read;
    qint64 m_count;
};

bool isLogUser(const QString& name, const QString& wanted)
{
    return wanted.isEmpty() || name.compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace

PendingLog pendingLog()
{
    if (ActivityLog* log = activityLog())
        return { log->table(), log->pending() };
    return {};
}

QStringList logUsers(platform::Database& database, const PendingLog& pending)
{
    QStringList tables = store::tablesWithColumns(database, store::logTableColumns());
    if (!pending.user.isEmpty() && !tables.contains(pending.user, Qt::CaseInsensitive))
        tables << pending.user;
    QStringList users;
    for (const QString& first : { u"super"_s, u"Orsvan"_s }) {
        if (tables.contains(first))
            users << first;
    }
    tables.sort();
    for (const QString& table : std::as_const(tables)) {
        if (!users.contains(table))
            users << table;
    }
    return users;
}

QString shownMoment(const QString& stored)
{
    static const QRegularExpression form(u"^(\\d{4})(\\d{2})(\\d{2})(\\d{1,2}):(\\d{2}):(\\d{2})$"_s);
    const auto match = form.match(stored);
    if (!match.hasMatch())
        return stored;
    return u"%1-%2-%3 %4:%5:%6"_s.arg(match.captured(1), match.captured(2), match.captured(3),
                                      match.captured(4).rightJustified(2, u'0'), match.captured(5), match.captured(6));
}

QStringList logHeadings()
{
    return { u"用户"_s, u"时间"_s, u"操作"_s };
}

LogSearch::LogSearch(platform::Database& database, const LogFilter& filter, const PendingLog& pending)
    : m_database(database), m_filter(filter), m_pending(pending)
{
    for (const QString& table : store::tablesWithColumns(database, store::logTableColumns())) {
        if (isLogUser(table, filter.user))
            m_tables << table;
    }
    if (!isLogUser(m_pending.user, filter.user))
        m_pending.entries.clear();
}

QString LogSearch::source(QVariantList& values) const
{
    QStringList selects;
    for (const QString& table : m_tables) {
        values << table;
        selects << u"SELECT "_s
                + termColumns(store::qualifiedStoredOrder(m_database, u"s"_s, store::logTableColumns()), 0)
                + u" FROM "_s + store::engineTable(m_database, table) + u" AS s"_s + filterClause(m_filter, values);
    }
    if (!m_pending.entries.isEmpty()) {
        QStringList entries;
        qint64 position = 0;
        for (qsizetype i = 0; i < m_pending.entries.size(); ++i)
            entries << u"SELECT CAST(? AS INTEGER) AS position, CAST(? AS TEXT) AS \"年月日\", "
                       u"CAST(? AS TEXT) AS \"备注\""_s;
        values << m_pending.user;
        // the values of the entries follow the user's, in the order of the placeholders
        for (const LogEntry& entry : m_pending.entries)
            values << ++position << entry.timestamp << storedLogMessage(entry.message);
        QVariantList filterValues;
        const QString where = filterClause(m_filter, filterValues);
        values += filterValues;
        selects << u"SELECT "_s + termColumns(u"s.position"_s, 1) + u" FROM ("_s + store::unionAll(entries)
                + u") AS s"_s + where;
    }
    return store::unionAll(selects);
}

std::optional<qint64> LogSearch::count()
{
    QVariantList values;
    const QString select = source(values);
    if (select.isEmpty())
        return 0;
    QSqlQuery query
        = m_database.prepare(u"SELECT count(*), COALESCE(sum(pending), 0) FROM ("_s + select + u") AS entries"_s);
    for (const QVariant& value : std::as_const(values))
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return std::nullopt;
    m_pendingShown = query.value(1).toLongLong();
    return query.value(0).toLongLong();
}

std::unique_ptr<platform::TableRows> LogSearch::rows(qint64 count) const
{
    QVariantList values;
    const QString select = source(values);
    if (select.isEmpty())
        return std::make_unique<EntryRows>(nullptr, 0);
    const QList<store::SortKey> order {
        { momentKey, true }, { u"pending"_s, true }, { u"user_name"_s, true }, { u"stored_order"_s, true }
    };
    return std::make_unique<EntryRows>(
        std::make_unique<store::PagedQuery>(m_database, select, values,
                                            QStringList { u"user_name"_s, u"moment"_s, u"action"_s }, order),
        count);
}

} // namespace users
