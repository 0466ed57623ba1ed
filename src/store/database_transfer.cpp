#include "store/database_transfer.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/sql_functions.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

const QString amountColumn = u"金额"_s;
// Records go over in statements of this many, which keeps the round trips to a server few.
constexpr int rowsPerInsert = 200;

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << platform::quoteIdentifier(name);
    return quoted.join(u',');
}

std::optional<qint64> countRows(platform::Database& database, const QString& table)
{
    QSqlQuery query = database.prepare(u"SELECT count(*) FROM "_s + engineTable(database, table));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

std::optional<double> sumAmounts(platform::Database& database, const QString& table)
{
    QSqlQuery query
        = database.prepare(u"SELECT "_s + numValueTotal(database, u"t."_s + platform::quoteIdentifier(amountColumn))
                           + u" FROM "_s + engineTable(database, table) + u" AS t"_s);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toDouble();
}

class Insert
{
public:
    Insert(platform::Database& database, const QString& table, const QStringList& columns)
        : m_database(database)
        , m_head(u"INSERT INTO %1 (%2) VALUES "_s.arg(engineTable(database, table), quotedList(columns)))
        , m_row(u"("_s + QStringList(columns.size(), u"?"_s).join(u',') + u")"_s)
        , m_columns(columns.size())
    { }

    bool add(const QVariantList& row)
    {
        m_values << row;
        ++m_rows;
        return m_rows < rowsPerInsert || flush();
    }

    bool flush()
    {
        if (m_rows == 0)
            return true;
        const bool written = m_database.exec(m_head + QStringList(m_rows, m_row).join(u','), m_values);
        m_values.clear();
        m_rows = 0;
        return written;
    }

private:
    platform::Database& m_database;
    QString m_head;
    QString m_row;
    qsizetype m_columns;
    QVariantList m_values;
    int m_rows = 0;
};

bool copyRows(platform::Database& from, platform::Database& to, const QString& table, const QStringList& columns)
{
    QSqlQuery rows = from.prepare(u"SELECT %1 FROM %2 ORDER BY %3"_s.arg(quotedList(columns), engineTable(from, table),
                                                                         storedOrder(from, columns)));
    if (!rows.exec()) {
        to.noteError(from.lastError());
        return false;
    }
    Insert insert(to, table, columns);
    while (rows.next()) {
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant value = rows.value(i);
            // every value is text; a missing one stays missing
            row << (value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.toString()));
        }
        if (!insert.add(row))
            return false;
    }
    return insert.flush();
}

bool dropEveryTable(platform::Database& database, const QStringList& tables)
{
    for (const QString& table : tables) {
        if (!database.exec(u"DROP TABLE "_s + engineTable(database, table)))
            return false;
    }
    return true;
}

} // namespace

TransferResult copyDatabase(platform::Database& from, platform::Database& to, TargetTables target)
{
    TransferResult result;
    const auto fail = [&](const QString& error) {
        result.error = error;
        result.copied = false;
        return result;
    };
    if (!from.isOpen())
        return fail(from.lastError());
    if (!to.isOpen())
        return fail(to.lastError());

    platform::Transaction reading(from);
    if (!reading.isActive() || !readConsistently(from))
        return fail(from.lastError());
    const auto sourceTables = tableNames(from);
    if (!sourceTables)
        return fail(from.lastError());

    platform::Transaction writing(to);
    if (!writing.isActive())
        return fail(to.lastError());
    const auto targetTables = tableNames(to);
    if (!targetTables)
        return fail(to.lastError());
    if (!targetTables->isEmpty()) {
        if (target == TargetTables::MustBeEmpty)
            return fail(u"the target database is not empty: it holds %1 tables"_s.arg(targetTables->size()));
        if (!dropEveryTable(to, *targetTables))
            return fail(to.lastError());
    }
    if (!ensureNumValueFunction(to))
        return fail(to.lastError());

    for (const QString& table : *sourceTables) {
        const QStringList columns = tableColumns(from, table);
        if (columns.isEmpty())
            return fail(u"the columns of table %1 cannot be read: %2"_s.arg(table, from.lastError()));
        for (const QString& statement : createTableStatements(to, table, columns)) {
            if (!to.exec(statement))
                return fail(u"table %1: %2"_s.arg(table, to.lastError()));
        }
        if (!copyRows(from, to, table, columns))
            return fail(u"table %1: %2"_s.arg(table, to.lastError()));
        CopiedTable copied;
        copied.table = table;
        const auto sourceRows = countRows(from, table);
        const auto targetRows = countRows(to, table);
        if (!sourceRows || !targetRows)
            return fail(u"table %1 cannot be counted"_s.arg(table));
        copied.sourceRows = *sourceRows;
        copied.targetRows = *targetRows;
        if (columns.contains(amountColumn)) {
            if (!ensureNumValueFunction(from))
                return fail(u"numvalue() is not available"_s);
            copied.sourceAmounts = sumAmounts(from, table);
            copied.targetAmounts = sumAmounts(to, table);
            if (!copied.sourceAmounts || !copied.targetAmounts)
                return fail(u"the amounts of table %1 cannot be summed"_s.arg(table));
        }
        result.tables << copied;
        if (!copied.matches())
            return fail(u"table %1 differs after the copy"_s.arg(table));
        if (!ensureSaleDateIndex(to, table) && indexExists(from, saleDateIndexName(table)))
            return fail(u"table %1: %2"_s.arg(table, to.lastError()));
    }
    if (!createLookupIndexes(to) || !markLayoutVersion(to) || !writing.commit())
        return fail(to.lastError());
    reading.rollback();
    result.copied = true;
    return result;
}

} // namespace store
