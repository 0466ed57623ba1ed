#include "store/sale_date_index.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/last_sale_index.h"
#include "store/statements.h"
#include "store/table_names.h"

#include <QSet>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

// Year first: a year's sales are one range of the index and a month's a narrower one. Within equal dates the
// entries keep the stored order, so sums visit the records in the order they were stored.
bool createIndex(platform::Database& database, const QString& table)
{
    return database.exec(u"CREATE INDEX %1 ON %2 (\"交易年\", \"交易月\"%3)"_s.arg(
        engineIndex(database, saleDateIndexName(table)), engineTable(database, table), saleDateIndexTail(database)));
}

// Names as the engine compares them: Latin letters without their case.
QString foldedName(const QString& name)
{
    QString folded = name;
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return folded;
}

} // namespace

QString saleDateIndexName(const QString& table)
{
    // The space keeps it out of the names units and clerks can have: index and table names share one name space.
    return table + u" 交易日期"_s;
}

bool createTransactionTable(platform::Database& database, const QString& unit)
{
    platform::Transaction transaction(database);
    return transaction.isActive() && createTable(database, unit, transactionTableColumns())
        && createIndex(database, unit) && createLastSaleIndex(database, unit) && transaction.commit();
}

bool ensureSaleDateIndex(platform::Database& database, const QString& table)
{
    if (!isBareTableName(table))
        return false;
    if (indexExists(database, saleDateIndexName(table)))
        return true;
    if (!tableExists(database, table))
        return false;
    const QStringList columns = transactionTableColumns();
    int dateColumns = 0;
    for (const QString& name : tableColumns(database, table)) {
        if (name == columns.at(0) || name == columns.at(1))
            ++dateColumns;
    }
    // A table of that name without the date columns is no transaction table; it is left as it is.
    return dateColumns == 2 && createIndex(database, table);
}

void ensureSaleDateIndexes(platform::Database& database, const QStringList& tables)
{
    // One look at the schema for all tables: a lookup a table costs more than a month's sum of it.
    QSet<QString> indexed;
    for (const QString& index : indexNames(database))
        indexed.insert(foldedName(index));
    for (const QString& table : tables) {
        if (!indexed.contains(foldedName(engineIndex(database, saleDateIndexName(table)))))
            ensureSaleDateIndex(database, table);
    }
}

} // namespace store
