#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace store {

/**
 * Creates a unit's transaction table (its columns as transactionTableColumns()) together with the index on the sale
 * date that lets a year's or a month's sales be read without a scan, and the last-sale index (last_sale_index.h). Fails
 * as createTable() does, creating nothing.
 */
bool createTransactionTable(platform::Database& database, const QString& unit);

/**
 * Gives a transaction table the sale-date index when it lacks it (a table made before the index existed, or one of
 * a restored older database). true when the table has the index afterwards; the sums are right either way, only
 * slower without it.
 */
bool ensureSaleDateIndex(platform::Database& database, const QString& table);

/** ensureSaleDateIndex() for each of the tables, looking at the schema once for all of them. */
void ensureSaleDateIndexes(platform::Database& database, const QStringList& tables);

/** The name of a table's sale-date index: never a bare table name, so no unit or user can take it. */
QString saleDateIndexName(const QString& table);

} // namespace store
