#include "store/last_sale_index.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/statements.h"
#include "store/table_names.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

const QString medicineColumn = u"交易药品名"_s;
const QString yearColumn = u"交易年"_s;

/** true when the table has both indexed columns. */
bool hasIndexedColumns(platform::Database& database, const QString& table)
{
    // Not a query naming them: SQLite takes a quoted name that is no column for a text.
    const QStringList columns = tableColumns(database, table);
    return columns.contains(medicineColumn, Qt::CaseInsensitive) && columns.contains(yearColumn, Qt::CaseInsensitive);
}

} // namespace

QString lastSaleIndexName(const QString& table)
{
    // The space keeps it out of the names units and clerks can have: index and table names share one name space.
    return table + u" 上次销售"_s;
}

QString storedOrderTerm(const platform::Database& database)
{
    return storedOrder(database, transactionTableColumns());
}

bool createLastSaleIndex(platform::Database& database, const QString& table)
{
    return database.exec(u"CREATE INDEX %1 ON %2 (%3, %4)"_s.arg(
        engineIndex(database, lastSaleIndexName(table)), engineTable(database, table),
        platform::quoteIdentifier(medicineColumn), platform::quoteIdentifier(yearColumn)));
}

bool ensureLastSaleIndex(platform::Database& database, const QString& table)
{
    if (!isBareTableName(table))
        return false;
    if (indexExists(database, lastSaleIndexName(table)))
        return true;
    if (!tableExists(database, table) || !hasIndexedColumns(database, table))
        return false;
    platform::Transaction transaction(database);
    return transaction.isActive() && createLastSaleIndex(database, table) && transaction.commit();
}

} // namespace store
