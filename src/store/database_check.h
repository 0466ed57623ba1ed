#pragma once

#include <QString>

class QSqlDatabase;

namespace store {

/** Why a database is not one this system can run on; None when it is. */
enum class DatabaseFault {
    None,
    Unreadable, ///< the engine cannot read it as a database at all
    EmptyFile, ///< a file of zero bytes
    MissingTable, ///< detail: the fixed table
    MissingColumn, ///< detail: the fixed table and its column, as "table.column"
    NoAdministrator, ///< no record of the administrator in `user`
    NoSuperUser, ///< no record in `password`
    NoSerial, ///< no record in `流水号`
    HoldsCode, ///< it holds triggers or views; detail: their names
};

struct DatabaseCheck
{
    DatabaseFault fault = DatabaseFault::None;
    QString detail;

    bool sound() const { return fault == DatabaseFault::None; }
    /** The fault in words for the user; the empty text for a sound database. */
    QString cause() const;
};

/**
 * Whether the database behind the connection is one of this system, so that someone can sign in and every window
 * finds its tables: the six fixed tables with all their columns, the administrator's record in `user`, a record in
 * `password` and one in `流水号`, and no trigger or view, which would run or show something the program never
 * wrote. Reads only. The first fault found is returned.
 */
DatabaseCheck checkDatabase(const QSqlDatabase& connection);

/**
 * checkDatabase() of an SQLite file, opened for this check alone and left as it was: no setting of the file is
 * changed and nothing is written, so a file that is not this system's keeps its bytes. The file must exist.
 */
DatabaseCheck checkDatabaseFile(const QString& path);

} // namespace store
