#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace store {

/** What the delivered database holds before anyone has used it; the README documents these. */
namespace delivered {
inline constexpr char16_t letterhead[] = u"华康医药有限公司";
inline constexpr char16_t firstSerial[] = u"1";
inline constexpr char16_t superUserPassword[] = u"888888";
inline constexpr char16_t administratorPassword[] = u"123456";
} // namespace delivered

/** A table and its columns, all of them text. */
struct TableColumns
{
    QString name;
    QStringList columns;
};

/** The six tables every database of this system holds, with their columns (the log tables not included). */
QList<TableColumns> fixedTableColumns();

/**
 * Writes the delivered database to a file that does not exist yet: the six fixed tables, the log tables of the super
 * user and the administrator, and their first records. The file appears complete or not at all.
 */
bool createDeliveredDatabase(const QString& path, QString* error = nullptr);

/**
 * Writes the delivered tables, their first records and (on a server) the functions the program uses into the empty
 * database behind the connection, in one transaction: all of it or nothing.
 */
bool createDeliveredContent(platform::Database& db);

/** Creates the lookup indexes of the fixed tables that are there and lack them. */
bool createLookupIndexes(platform::Database& db);

/** Creates the delivered database when the file is missing; an existing file is left as it is. */
bool ensureDatabase(const QString& path, QString* error = nullptr);

/**
 * Moves the lookup indexes of a database made by an earlier version off the names "lookup_1" to "lookup_4", which a
 * unit or a clerk may take, onto the names the program gives them now; all of them in one transaction (a savepoint
 * within the caller's). An index of an old name on a table it does not index is not the program's and stays. true
 * when there was nothing to move or all of it moved.
 */
bool renameOldLookupIndexes(platform::Database& db);

} // namespace store
