#include "maintenance/database_copy.h"

#include "maintenance/backup_file.h"
#include "platform/clock.h"
#include "platform/data_folder.h"
#include "platform/database.h"
#include "platform/progress.h"
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

// Pages copied at a time while a backup is watched: a few megabytes, so a request to stop is heard at once.
constexpr int pagesPerStep = 1024;

/**
 * Copies the pages of `from` into `to` a few at a time, telling `watch` the pages done and in all; false when it
 * fails or the watch stops it. Between the steps the source is not locked, and a write to it in the meantime makes
 * the copy start again, so the copy is of one committed state.
 */
bool copyPagesWatched(sqlite3* from, sqlite3* to, const std::function<bool(qint64, qint64)>& watch)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return false;
    int stepped = SQLITE_OK;
    bool goOn = true;
    while (stepped == SQLITE_OK && goOn) {
        stepped = sqlite3_backup_step(backup, pagesPerStep);
        const int all = sqlite3_backup_pagecount(backup);
        goOn = watch(all - sqlite3_backup_remaining(backup), all);
    }
    const int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE && finished == SQLITE_OK;
}

/** A copy of the committed content of the database file, taken on a connection of its own. */
bool takeSnapshot(const QString& databaseFile, const QString& snapshotFile,
                  const std::function<bool(qint64, qint64)>& watch)
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
    return copyPagesWatched(source.db, copy.db, watch);
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

/**
 * Writes the backup format of what is committed in the database file to `out`, in two parts of `parts` from
 * `firstPart` on: the snapshot, then the encoding.
 */
BackupOutcome encodeDatabase(const QString& databaseFile, QIODevice& out, platform::ProgressParts& parts, int firstPart)
{
    bool stopped = false;
    const auto watch = [&parts, &stopped](int part) {
        return [&parts, &stopped, part](qint64 done, qint64 total) {
            stopped = stopped || !parts.advance(part, done, total);
            return !stopped;
        };
    };
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return BackupOutcome::DatabaseUnreadable;
    const QString snapshotFile = scratch.filePath(u"snapshot.db"_s);
    if (!takeSnapshot(databaseFile, snapshotFile, watch(firstPart)))
        return stopped ? BackupOutcome::Stopped : BackupOutcome::DatabaseUnreadable;
    QFile snapshot(snapshotFile);
    if (!snapshot.open(QIODevice::ReadOnly))
        return BackupOutcome::DatabaseUnreadable;
    const qint64 size = snapshot.size();
    const auto encodingWatch = watch(firstPart + 1);
    if (!encodeBackup(snapshot, out, [&encodingWatch, size](qint64 copied) { return encodingWatch(copied, size); })) {
        if (stopped)
            return BackupOutcome::Stopped;
        return snapshot.error() != QFileDevice::NoError ? BackupOutcome::DatabaseUnreadable
                                                        : BackupOutcome::TargetUnwritable;
    }
    return BackupOutcome::Written;
}

/**
 * Writes a backup of the live database into the folder under a name of its own, which no other file has; the path
 * of the copy, or the empty text when it could not be written whole.
 */
QString writeSafetyCopy(const QString& databaseFile, const QString& folder, const QDateTime& moment,
                        platform::ProgressParts& parts, int firstPart, bool& stopped)
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
    const BackupOutcome encoded = encodeDatabase(databaseFile, file, parts, firstPart);
    stopped = encoded == BackupOutcome::Stopped;
    if (encoded != BackupOutcome::Written || !file.flush() || ::fsync(file.handle()) != 0)
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

BackupSource::BackupSource(const QString& databaseFile) : m_file(databaseFile) { }

BackupSource::BackupSource(platform::Database& database)
{
    if (database.engine() == platform::Engine::SQLite) {
        m_file = database.path();
        return;
    }
    // A server's backup is an SQLite file of the same tables, so it restores onto a single desk as well.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return;
    const QString copyFile = scratch.filePath(u"server.db"_s);
    bool copied = false;
    {
        platform::Database copy(copyFile);
        copied = copy.isOpen() && store::copyDatabase(database, copy, store::TargetTables::MustBeEmpty).copied;
    }
    if (!copied)
        return;
    scratch.setAutoRemove(false);
    m_scratchFolder = scratch.path();
    m_file = copyFile;
    m_isCopy = true;
}

BackupSource::~BackupSource()
{
    if (!m_scratchFolder.isEmpty())
        QDir(m_scratchFolder).removeRecursively();
}

BackupOutcome writeBackup(platform::Database& database, const QString& target, platform::Progress& progress)
{
    const BackupSource source(database);
    return writeBackup(source, target, progress);
}

BackupOutcome writeBackup(const BackupSource& source, const QString& target, platform::Progress& progress)
{
    if (source.unreadable())
        return BackupOutcome::DatabaseUnreadable;
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return BackupOutcome::TargetUnwritable;
    QSaveFile backup(target);
    if (!backup.open(QIODevice::WriteOnly))
        return BackupOutcome::TargetUnwritable;
    platform::ProgressParts parts(progress, 2);
    const BackupOutcome encoded = encodeDatabase(source.file(), backup, parts, 0);
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
    PreparedRestore restore;
    const BackupSource live(database);
    const RestoreOutcome prepared = restore.prepare(live, backupFile, safetyFolder, platform::unwatchedProgress());
    return prepared == RestoreOutcome::Restored ? restore.finish(database) : prepared;
}

PreparedRestore::PreparedRestore() = default;

PreparedRestore::~PreparedRestore()
{
    discard();
}

void PreparedRestore::discard()
{
    if (!m_safetyCopy.isEmpty()) {
        // a copy of a database that stayed as it was would only stand beside the older backups
        QFile::remove(m_safetyCopy);
        m_safetyCopy.clear();
    }
    if (!m_decodedFile.isEmpty()) {
        removeWithCompanions(m_decodedFile);
        m_decodedFile.clear();
    }
}

RestoreOutcome PreparedRestore::prepare(const QString& databaseFile, const QString& backupFile,
                                        const QString& safetyFolder, platform::Progress& progress)
{
    return prepare(BackupSource(databaseFile), backupFile, safetyFolder, progress);
}

RestoreOutcome PreparedRestore::prepare(const BackupSource& live, const QString& backupFile,
                                        const QString& safetyFolder, platform::Progress& progress)
{
    discard();
    if (live.unreadable())
        return RestoreOutcome::SafetyCopyFailed;
    if (backupFile.isEmpty())
        return RestoreOutcome::NoFile;
    QFile backup(backupFile);
    if (!backup.open(QIODevice::ReadOnly))
        return RestoreOutcome::Failed;

    // Beside the live file, so that a content too large for the disk is found out before anything is replaced; for a
    // server, in the backup folder.
    const QString decodedFolder
        = live.databaseFile().isEmpty() ? safetyFolder : QFileInfo(live.databaseFile()).absolutePath();
    if (!QDir().mkpath(decodedFolder))
        return RestoreOutcome::Failed;
    QTemporaryFile decoded(QDir(decodedFolder).filePath(leftoverPattern));
    if (!decoded.open())
        return RestoreOutcome::Failed;
    decoded.setAutoRemove(false);
    m_decodedFile = decoded.fileName();
    // Decoding, checking, and the safety copy's snapshot and encoding.
    platform::ProgressParts parts(progress, 4);
    bool stopped = false;
    const qint64 size = backup.size();
    const auto watch = [&parts, &stopped, size](qint64 copied) {
        stopped = stopped || !parts.advance(0, copied, size);
        return !stopped;
    };
    switch (decodeBackup(backup, decoded, watch)) {
    case DecodeOutcome::Decoded:
        break;
    case DecodeOutcome::NotABackup:
        discard();
        return RestoreOutcome::NotABackup;
    case DecodeOutcome::Failed:
        discard();
        return stopped ? RestoreOutcome::Stopped : RestoreOutcome::Failed;
    }
    if (!decoded.flush()) {
        discard();
        return RestoreOutcome::Failed;
    }
    // Closed before SQLite opens the file: closing another descriptor of a file drops the locks SQLite holds on it.
    decoded.close();

    bool sound = false;
    {
        platform::Database candidate(m_decodedFile);
        sound = isDatabaseOfThisSystem(candidate);
    }
    if (!sound) {
        discard();
        return RestoreOutcome::NotThisSystem;
    }
    if (!parts.advance(1, 1, 1)) {
        discard();
        return RestoreOutcome::Stopped;
    }
    m_safetyCopy = writeSafetyCopy(live.file(), safetyFolder, platform::clock().now(), parts, 2, stopped);
    if (m_safetyCopy.isEmpty()) {
        discard();
        return stopped ? RestoreOutcome::Stopped : RestoreOutcome::SafetyCopyFailed;
    }
    return RestoreOutcome::Restored;
}

RestoreOutcome PreparedRestore::finish(platform::Database& database)
{
    if (m_decodedFile.isEmpty() || m_safetyCopy.isEmpty())
        return RestoreOutcome::Failed;
    bool replaced = false;
    {
        platform::Database candidate(m_decodedFile);
        replaced = replaceContent(candidate, database);
    }
    if (replaced)
        m_safetyCopy.clear(); // it is now the way back
    discard();
    return replaced ? RestoreOutcome::Restored : RestoreOutcome::Failed;
}

void removeRestoreLeftovers(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({ leftoverFilter }, QDir::Files | QDir::Hidden))
        removeWithCompanions(dir.filePath(name));
}

} // namespace maintenance
