#pragma once

#include "platform/progress.h"

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
    Stopped, ///< the user stopped it; nothing was written and an older file of that name is kept
};

/**
 * Writes a backup of the database behind the connection to `target`: a copy of what is committed at this moment,
 * taken through SQLite's backup API while the program keeps the database open, then encoded into the file. The file
 * appears complete or not at all, and its folder is created when missing. The work reports to `progress` and stops
 * when it says so. It reads only the connection's path, so it may run off the connection's thread.
 */
BackupOutcome writeBackup(platform::Database& database, const QString& target,
                          platform::Progress& progress = platform::unwatchedProgress());

enum class RestoreOutcome {
    Restored,
    NoFile, ///< no backup file was named
    NotABackup, ///< the file is not a backup of this system by its first bytes
    NotThisSystem, ///< the decoded content is not a sound database of this system
    SafetyCopyFailed, ///< the copy of the live database could not be written; the live database is unchanged
    Failed, ///< reading, writing or replacing failed; the live database is unchanged
    Stopped, ///< the user stopped it before the replacement; the live database is unchanged, no copy is left
};

/**
 * Replaces the whole content of the live database with that of a backup file. The decoded content is first written
 * to a temporary file beside the database and accepted only when it is a sound database of this system. Before
 * anything is replaced, the live database is written as a backup into `safetyFolder`, named "恢复前的数据" with the
 * moment of the restore and ".bak" (a number in brackets when that name is taken), so restoring that copy undoes
 * the restore. The content then replaces the live content through the connection itself in one write transaction,
 * so the program's open record sources stay on the same connection and a failure at any point leaves the live
 * database as it was.
 */
RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile, const QString& safetyFolder);

/**
 * The restore in its two parts. The first decodes and checks the backup and writes the safety copy, reporting to
 * `progress` and stopping when it says so; it uses no Qt connection of the caller, so it may run off the
 * connection's thread. The second replaces the live content and must run on the connection's thread; it cannot be
 * stopped. A prepared restore that is not finished is removed when it goes.
 */
class PreparedRestore final
{
public:
    PreparedRestore();
    ~PreparedRestore();
    PreparedRestore(const PreparedRestore&) = delete;
    PreparedRestore& operator=(const PreparedRestore&) = delete;

    /** Anything but Restored ends the restore with the live database unchanged. */
    RestoreOutcome prepare(const QString& databaseFile, const QString& backupFile, const QString& safetyFolder,
                           platform::Progress& progress);
    /** After a prepare() that gave Restored. */
    RestoreOutcome finish(platform::Database& database);

private:
    void discard();

    QString m_decodedFile;
    QString m_safetyCopy;
};

/** Removes the temporary files that restores cut short by a crash left in the folder. */
void removeRestoreLeftovers(const QString& folder);

} // namespace maintenance
