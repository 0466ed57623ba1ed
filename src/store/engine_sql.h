#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QSqlQuery;

namespace platform {
class Database;
}

namespace store {

/*
 * The statements that differ between the engines, in one place. Everything else the program runs is plain SQL with
 * bound values that both engines take unchanged. Table and index names are those the program and its users give
 * (logical names); the name the engine knows a table by is worked out here (engineTableName()).
 */

/** The longest identifier in bytes a server keeps; a longer one it would cut short without a word. */
inline constexpr int serverIdentifierBytes = 63;

/**
 * The identifier a server gives a table or index of that name: the name itself when it fits, otherwise its first
 * characters, "~" and a hash of the whole name with its Latin letters folded to lower case. No unit or clerk name
 * holds "~", so a made name never meets a given one, and names that differ anywhere get identifiers of their own.
 */
QString serverIdentifier(const QString& name);

/**
 * The name the engine knows the table by, quoted for a statement. On a server a name that fits is kept as it is
 * (or as an existing table spells it in another letter case); a longer one becomes serverIdentifier(). An SQLite
 * file takes every name as it is.
 */
QString engineTable(platform::Database& database, const QString& table);
/** An index's name for a statement, quoted. */
QString engineIndex(const platform::Database& database, const QString& index);

/** true when a table of that name exists, in any Latin letter case. */
bool tableExists(platform::Database& database, const QString& table);
/** The table's columns in their order (the engine's own ordering column left out); empty when there is no table. */
QStringList tableColumns(platform::Database& database, const QString& table);
/** Every table of the database by the names the program gave them, sorted. */
std::optional<QStringList> tableNames(platform::Database& database);
/** true when an index of that name exists. */
bool indexExists(platform::Database& database, const QString& index);
/** Every index of the database, quoted as engineIndex() gives them. */
QStringList indexNames(platform::Database& database);
/** The table an index of that name belongs to, or the empty text. */
QString indexedTable(platform::Database& database, const QString& index);

/**
 * CREATE TABLE for text columns (statement text only). On a server the table also gets the column that keeps the
 * stored order; a name that had to be shortened is kept in the table's comment.
 */
QStringList createTableStatements(platform::Database& database, const QString& table, const QStringList& columns);

/**
 * The expression that orders a table's records as they were stored: "rowid" on a file (or a name of it no column
 * hides; empty when every name is hidden), the ordering column on a server. `columns` are the table's own.
 */
QString storedOrder(const platform::Database& database, const QStringList& columns);
/** What an INSERT ends with to give the new record's place in the stored order (empty on a file). */
QString returningStoredOrder(const platform::Database& database);
/** The new record's place in the stored order after an INSERT ended with returningStoredOrder(). */
std::optional<qint64> insertedOrder(const platform::Database& database, QSqlQuery& insert);

/**
 * A condition: the quoted column's text equals the bound value, Latin letter case ignored and nothing else; it is
 * answered from a lookup index (createLookupIndexStatement()).
 */
QString equalsIgnoringLatinCase(const platform::Database& database, const QString& quotedColumn);
/** CREATE INDEX IF NOT EXISTS for lookups with equalsIgnoringLatinCase() (statement text only). */
QString createLookupIndexStatement(const platform::Database& database, const QString& index, const QString& table,
                                   const QString& column);
/** The columns of a sale-date index after the two date columns: the stored order where the engine needs it. */
QString saleDateIndexTail(const platform::Database& database);

/** The sum of numvalue(expression) over the rows as a double; 0 over no rows, row order as stored. */
QString numValueTotal(const platform::Database& database, const QString& expression);

/** Marks a database the program made as being of this version of its layout; true on an engine without a mark. */
bool markLayoutVersion(platform::Database& database);

/**
 * Within a transaction, keeps every other connection from writing the table until the transaction ends, so that
 * what is read from it stays true (the serial number). A file is locked whole by the transaction already.
 */
bool lockTableForWrite(platform::Database& database, const QString& table);

/**
 * Right after a transaction began: every read of the transaction sees the database as it was at its first read,
 * whatever other connections commit meanwhile. A file's transaction keeps writers out already.
 */
bool readConsistently(platform::Database& database);

/** The functions a server database needs, created with its tables: numvalue() and its helper. */
bool createServerFunctions(platform::Database& database);

} // namespace store
