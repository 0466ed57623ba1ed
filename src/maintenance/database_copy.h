#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace maintenance {

/** The folder "backup" in the data folder: backups are proposed there, and a restore keeps its safety copy there. */
QString backupFolder();

enum class BackupOutcome {
    Written,
    DatabaseUnreadable, ///< no consistent copy of the database could be taken
    TargetUnwritable, ///< the backup file could not be written; an older file of that name is kept
};

/**
 * Writes a backup of the database behind the connection to `target`: a copy of what is committed at this moment,
 * taken through SQLite's backup API while the program keeps the database open (from a server: copied table by table
 * into an SQLite file of the same layout, as one consistent moment), then encoded into the file. The file
 * appears complete or not at all, and its folder is created when missing.
 */
BackupOutcome writeBackup(platform::Database& database, const QString& target);

enum class RestoreOutcome {
    Restored,
    NoFile, ///< no backup file was named
    NotABackup, ///< the file is not a backup of this system by its first bytes
    NotThisSystem, ///< the decoded content is not a sound database of this system
    SafetyCopyFailed, ///< the copy of the live database could not be written; the live database is unchanged
    Failed, ///< reading, writing or replacing failed; the live database is unchanged
};

/**
 * Replaces the whole content of the live database with that of a backup file. The decoded content is first written
 * to a temporary file beside the database and accepted only when it is a sound database of this system. Before
 * anything is replaced, the live database is written as a backup into `safetyFolder`, named "恢复前的数据" with the
 * moment of the restore and ".bak" (a number in brackets when that name is taken), so restoring that copy undoes
 * the restore. The content then replaces the live content through the connection itself in one write transaction
 * (on a server: every table dropped and copied anew, so the other desks find the restored tables at their next read),
 * so the program's open record sources stay on the same connection and a failure at any point leaves the live
 * database as it was.
 */
RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile, const QString& safetyFolder);

/** Removes the temporary files that restores cut short by a crash left in the folder. */
void removeRestoreLeftovers(const QString& folder);

} // namespace maintenance
