#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace store {

/**
 * The index of a unit's transaction table that finds the latest sale of one medicine without a scan: by medicine
 * name, then by sale year. A transaction table gets it when it is created; an older one gets it from
 * ensureLastSaleIndex() on first use.
 */
bool createLastSaleIndex(platform::Database& database, const QString& table);

/**
 * Gives a transaction table the last-sale index when it lacks it. true when the table has the index afterwards; a
 * table of that name without the medicine and year columns is no transaction table and is left as it is. The
 * last-sale query is right either way, only slower without it.
 */
bool ensureLastSaleIndex(platform::Database& database, const QString& table);

/** The name of a table's last-sale index: never a bare table name, so no unit or user can take it. */
QString lastSaleIndexName(const QString& table);

/**
 * The column that orders a table's records as they were stored, for a query that must tell two records of the same
 * day apart; the caller may qualify it with the table's alias. The engine's own record number on a file, the
 * ordering column on a server (engine_sql.h).
 */
QString storedOrderTerm(const platform::Database& database);

} // namespace store
