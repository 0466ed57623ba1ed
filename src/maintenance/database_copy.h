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
 * What a backup or a restore's safety copy is read from: the database file itself, or for a server a copy of its
 * tables into an SQLite file of the same layout, taken as one consistent moment when this is made. It is made on the
 * connection's thread (a server connection is used on its own thread only), so the work that reads it may run off it.
 */
class BackupSource final
{
public:
    /** The database behind the connection; for a server the copy is taken here, and a failed one is unreadable(). */
    explicit BackupSource(platform::Database& database);
    /** A database file of this system's engine, read when the backup is written. */
    explicit BackupSource(const QString& databaseFile);
    ~BackupSource();
    BackupSource(const BackupSource&) = delete;
    BackupSource& operator=(const BackupSource&) = delete;

    bool unreadable() const { return m_file.isEmpty(); }
    /** The SQLite file to read. */
    QString file() const { return m_file; }
    /** The live database file, or empty for a server. */
    QString databaseFile() const { return m_isCopy ? QString() : m_file; }

private:
    QString m_file;
    QString m_scratchFolder; ///< holds the copy of a server's tables; removed with it
    bool m_isCopy = false;
};

/**
 * Writes a backup of the database behind the connection to `target`: a copy of what is committed at this moment,
 * taken through SQLite's backup API while the program keeps the database open (from a server: copied table by table
 * into an SQLite file of the same layout, as one consistent moment), then encoded into the file. The file appears
 * complete or not at all, and its folder is created when missing. The work reports to `progress` and stops when it
 * says so.
 */
BackupOutcome writeBackup(platform::Database& database, const QString& target,
                          platform::Progress& progress = platform::unwatchedProgress());
/** The same from a source made before; it reads only the source's file, so it may run off the connection's thread. */
BackupOutcome writeBackup(const BackupSource& source, const QString& target,
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
 * the restore. The content then replaces the live content through the connection itself in one write transaction
 * (on a server: every table dropped and copied anew, so the other desks find the restored tables at their next read),
 * so the program's open record sources stay on the same connection and a failure at any point leaves the live
 * database as it was.
 */
RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile, const QString& safetyFolder);

/**
 * The restore in its two parts. The first decodes and checks the backup and writes the safety copy from `live`,
 * reporting to `progress` and stopping when it says so; it uses no Qt connection of the caller, so it may run off the
 * connection's thread. The decoded content is written beside the live file, or for a server into `safetyFolder`. The
 * second replaces the live content and must run on the connection's thread; it cannot be stopped. A prepared restore
 * that is not finished is removed when it goes.
 */
class PreparedRestore final
{
public:
    PreparedRestore();
    ~PreparedRestore();
    PreparedRestore(const PreparedRestore&) = delete;
    PreparedRestore& operator=(const PreparedRestore&) = delete;

    /** Anything but Restored ends the restore with the live database unchanged. */
    RestoreOutcome prepare(const BackupSource& live, const QString& backupFile, const QString& safetyFolder,
                           platform::Progress& progress);
    /** prepare() for a live database file. */
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
