#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace maintenance {

enum class BackupOutcome {
    Written,
    DatabaseUnreadable, ///< no consistent copy of the database could be taken
    TargetUnwritable, ///< the backup file could not be written; an older file of that name is kept
};

/**
 * Writes a backup of the database behind the connection to `target`: a copy of what is committed at this moment,
 * taken through SQLite's backup API while the program keeps the database open, then encoded into the file. The file
 * appears complete or not at all, and its folder is created when missing.
 */
BackupOutcome writeBackup(platform::Database& database, const QString& target);

enum class RestoreOutcome {
    Restored,
    NoFile, ///< no backup file was named
    NotABackup, ///< the file is not a backup of this system by its first bytes
    NotThisSystem, ///< the decoded content is not a sound database of this system
    Failed, ///< reading, writing or replacing failed; the live database is unchanged
};

/**
 * Replaces the whole content of the live database with that of a backup file. The decoded content is first written
 * to a temporary file beside the database and accepted only when it is a sound database of this system; it then
 * replaces the live content through the connection itself in one write transaction, so the program's open record
 * sources stay on the same connection and a failure at any point leaves the live database as it was.
 */
RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile);

} // namespace maintenance
