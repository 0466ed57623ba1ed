#include "maintenance/database_copy.h"

#include "maintenance/backup_file.h"
#include "platform/database.h"
#include "store/statements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

// Waiting this long for a lock is far longer than any write of this program takes.
constexpr int lockWaitMs = 5000;

/** Closes a handle opened with sqlite3_open_v2, which hands out a handle even when the open fails. */
struct SqliteHandle
{
    sqlite3* db = nullptr;
    ~SqliteHandle() { sqlite3_close(db); }
};

/** Copies every page of `from` into `to` in one step; the copy is one write transaction on `to`. */
bool copyPages(sqlite3* from, sqlite3* to)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE && finished == SQLITE_OK;
}

/** Makes a rename inside the folder durable, so a power cut cannot bring back the old file. */
bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

/** A copy of the committed content of the database file, taken on a connection of its own. */
bool takeSnapshot(const QString& databaseFile, const QString& snapshotFile)
{
    SqliteHandle source;
    SqliteHandle copy;
    if (sqlite3_open_v2(QFile::encodeName(databaseFile).constData(), &source.db, SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK
        || sqlite3_open_v2(QFile::encodeName(snapshotFile).constData(), &copy.db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(source.db, lockWaitMs);
    return copyPages(source.db, copy.db);
}

// The tables every database of this system holds from its first start.
const QString fixedTables[] = { u"药品"_s, u"单位"_s, u"user"_s, u"password"_s, u"抬头"_s, u"流水号"_s };

bool isDatabaseOfThisSystem(platform::Database& candidate)
{
    if (!candidate.isOpen())
        return false;
    QSqlQuery check = candidate.prepare(u"PRAGMA quick_check"_s);
    if (!check.exec() || !check.next() || check.value(0).toString() != u"ok"_s || check.next())
        return false;
    check.finish();
    for (const QString& table : fixedTables) {
        if (!store::tableExists(candidate, table))
            return false;
    }
    return true;
}

void removeWithCompanions(const QString& databaseFile)
{
    for (const QString& suffix : { u""_s, u"-journal"_s, u"-wal"_s, u"-shm"_s })
        QFile::remove(databaseFile + suffix);
}

} // namespace

BackupOutcome writeBackup(platform::Database& database, const QString& target)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return BackupOutcome::DatabaseUnreadable;
    const QString snapshotFile = scratch.filePath(u"snapshot.db"_s);
    if (!takeSnapshot(database.path(), snapshotFile))
        return BackupOutcome::DatabaseUnreadable;

    QFile snapshot(snapshotFile);
    if (!snapshot.open(QIODevice::ReadOnly))
        return BackupOutcome::DatabaseUnreadable;

    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return BackupOutcome::TargetUnwritable;
    QSaveFile backup(target);
    if (!backup.open(QIODevice::WriteOnly))
        return BackupOutcome::TargetUnwritable;
    if (!encodeBackup(snapshot, backup)) {
        backup.cancelWriting();
        return snapshot.error() != QFileDevice::NoError ? BackupOutcome::DatabaseUnreadable
                                                        : BackupOutcome::TargetUnwritable;
    }
    if (!backup.commit() || !syncFolder(folder))
        return BackupOutcome::TargetUnwritable;
    return BackupOutcome::Written;
}

RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile)
{
    if (backupFile.isEmpty())
        return RestoreOutcome::NoFile;
    QFile backup(backupFile);
    if (!backup.open(QIODevice::ReadOnly))
        return RestoreOutcome::Failed;

    // Beside the live file, so that a content too large for the disk is found out before anything is replaced.
    QTemporaryFile decoded(QFileInfo(database.path()).absoluteDir().filePath(u"restore-XXXXXX.tmp"_s));
    if (!decoded.open())
        return RestoreOutcome::Failed;
    const QString decodedFile = decoded.fileName();
    switch (decodeBackup(backup, decoded)) {
    case DecodeOutcome::Decoded:
        break;
    case DecodeOutcome::NotABackup:
        return RestoreOutcome::NotABackup;
    case DecodeOutcome::Failed:
        return RestoreOutcome::Failed;
    }
    if (!decoded.flush())
        return RestoreOutcome::Failed;
    // Closed before SQLite opens the file: closing another descriptor of a file drops the locks SQLite holds on it.
    decoded.close();

    RestoreOutcome outcome = RestoreOutcome::Restored;
    {
        platform::Database candidate(decodedFile);
        if (!isDatabaseOfThisSystem(candidate))
            outcome = RestoreOutcome::NotThisSystem;
        else if (!database.handle() || !candidate.handle() || !copyPages(candidate.handle(), database.handle()))
            outcome = RestoreOutcome::Failed;
    }
    decoded.setAutoRemove(false);
    removeWithCompanions(decodedFile);
    return outcome;
}

} // namespace maintenance
