#include "maintenance/database_copy.h"

#include "maintenance/backup_file.h"
#include "platform/clock.h"
#include "platform/data_folder.h"
#include "platform/database.h"
#include "store/database_check.h"
#include "store/database_transfer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

// The temporary files of a restore; one left behind was cut short by a crash.
const QString leftoverPattern = u"restore-XXXXXX.tmp"_s;
const QString leftoverFilter = u"restore-??????.tmp"_s;
// Says what the copy of the live database taken before a restore is, in the list of backups.
const QString safetyCopyPrefix = u"恢复前的数据"_s;

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

bool isDatabaseOfThisSystem(platform::Database& candidate)
{
    if (!candidate.isOpen())
        return false;
    QSqlQuery check = candidate.prepare(u"PRAGMA quick_check"_s);
    if (!check.exec() || !check.next() || check.value(0).toString() != u"ok"_s || check.next())
        return false;
    check.finish();
    return store::checkDatabase(candidate.connection()).sound();
}

/** The live database takes the candidate's content in one write transaction; false leaves it as it was. */
bool replaceContent(platform::Database& candidate, platform::Database& live)
{
    if (live.engine() != platform::Engine::SQLite)
        return store::copyDatabase(candidate, live, store::TargetTables::Replace).copied;
    return live.handle() && candidate.handle() && copyPages(candidate.handle(), live.handle());
}

void removeWithCompanions(const QString& databaseFile)
{
    for (const QString& suffix : { u""_s, u"-journal"_s, u"-wal"_s, u"-shm"_s })
        QFile::remove(databaseFile + suffix);
}

/** Writes the backup format of what is committed in the database to `out`. */
BackupOutcome encodeDatabase(platform::Database& database, QIODevice& out)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return BackupOutcome::DatabaseUnreadable;
    const QString snapshotFile = scratch.filePath(u"snapshot.db"_s);
    if (database.engine() == platform::Engine::SQLite) {
        if (!takeSnapshot(database.path(), snapshotFile))
            return BackupOutcome::DatabaseUnreadable;
    } else {
        // A server's backup is an SQLite file of the same tables, so it restores onto a single desk as well.
        platform::Database snapshot(snapshotFile);
        if (!store::copyDatabase(database, snapshot, store::TargetTables::MustBeEmpty).copied)
            return BackupOutcome::DatabaseUnreadable;
    }
    QFile snapshot(snapshotFile);
    if (!snapshot.open(QIODevice::ReadOnly))
        return BackupOutcome::DatabaseUnreadable;
    if (!encodeBackup(snapshot, out)) {
        return snapshot.error() != QFileDevice::NoError ? BackupOutcome::DatabaseUnreadable
                                                        : BackupOutcome::TargetUnwritable;
    }
    return BackupOutcome::Written;
}

/**
 * Writes a backup of the live database into the folder under a name of its own, which no other file has; the path
 * of the copy, or the empty text when it could not be written whole.
 */
QString writeSafetyCopy(platform::Database& database, const QString& folder, const QDateTime& moment)
{
    if (!QDir().mkpath(folder))
        return {};
    QTemporaryFile file(QDir(folder).filePath(leftoverPattern));
    if (!file.open())
        return {};
    // removed here unless it was renamed, since a renamed temporary file would be removed under its new name
    file.setAutoRemove(false);
    const QString written = file.fileName();
    auto removeWritten = qScopeGuard([&written] { QFile::remove(written); });
    if (encodeDatabase(database, file) != BackupOutcome::Written || !file.flush() || ::fsync(file.handle()) != 0)
        return {};
    file.close();

    const QString stem = safetyCopyPrefix + moment.toString(u"yyyy-MM-dd-HHmmss"_s);
    for (int n = 1; n <= 100; ++n) {
        const QString name = n == 1 ? stem + u".bak"_s : u"%1(%2).bak"_s.arg(stem).arg(n);
        const QString path = QDir(folder).filePath(name);
        // QFile::rename() never replaces an existing file
        if (QFile::rename(written, path)) {
            removeWritten.dismiss();
            return syncFolder(folder) ? path : QString();
        }
        if (!QFileInfo::exists(path))
            return {};
    }
    return {};
}

} // namespace

QString backupFolder()
{
    return QDir(platform::dataFolder()).filePath(u"backup"_s);
}

BackupOutcome writeBackup(platform::Database& database, const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return BackupOutcome::TargetUnwritable;
    QSaveFile backup(target);
    if (!backup.open(QIODevice::WriteOnly))
        return BackupOutcome::TargetUnwritable;
    const BackupOutcome encoded = encodeDatabase(database, backup);
    if (encoded != BackupOutcome::Written) {
        backup.cancelWriting();
        return encoded;
    }
    if (!backup.flush() || !backup.commit() || !syncFolder(folder))
        return BackupOutcome::TargetUnwritable;
    return BackupOutcome::Written;
}

RestoreOutcome restoreBackup(platform::Database& database, const QString& backupFile, const QString& safetyFolder)
{
    if (backupFile.isEmpty())
        return RestoreOutcome::NoFile;
    QFile backup(backupFile);
    if (!backup.open(QIODevice::ReadOnly))
        return RestoreOutcome::Failed;

    // Beside the live file, so that a content too large for the disk is found out before anything is replaced; for a
    // server, in the backup folder.
    const QString decodedFolder
        = database.engine() == platform::Engine::SQLite ? QFileInfo(database.path()).absolutePath() : safetyFolder;
    if (!QDir().mkpath(decodedFolder))
        return RestoreOutcome::Failed;
    QTemporaryFile decoded(QDir(decodedFolder).filePath(leftoverPattern));
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
        if (!isDatabaseOfThisSystem(candidate)) {
            outcome = RestoreOutcome::NotThisSystem;
        } else if (const QString safetyCopy = writeSafetyCopy(database, safetyFolder, platform::clock().now());
                   safetyCopy.isEmpty()) {
            outcome = RestoreOutcome::SafetyCopyFailed;
        } else if (!replaceContent(candidate, database)) {
            outcome = RestoreOutcome::Failed;
            // a copy of a database that stayed as it was would only stand beside the older backups
            QFile::remove(safetyCopy);
        }
    }
    decoded.setAutoRemove(false);
    removeWithCompanions(decodedFile);
    return outcome;
}

void removeRestoreLeftovers(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({ leftoverFilter }, QDir::Files | QDir::Hidden))
        removeWithCompanions(dir.filePath(name));
}

} // namespace maintenance
