#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace store {

/**
 * Creates a table whose columns all hold text. Fails, running nothing, when the name is not a bare table name or
 * is already taken by a table in any letter case.
 */
bool createTable(platform::Database& database, const QString& name, const QStringList& columns);

/** Drops a table; fails, running nothing, for a name that is not a bare table name or names no table. */
bool dropTable(platform::Database& database, const QString& name);

/** true when a table of that name exists, in any letter case. */
bool tableExists(platform::Database& database, const QString& name);

/** The columns of a unit's transaction table, in stored order. */
QStringList transactionTableColumns();
/** The columns of a unit's companion table (named after the unit with "1" appended). */
QStringList companionTableColumns();
/** The columns of a user's activity-log table. */
QStringList logTableColumns();

} // namespace store
