#include "maintenance/backup_file.h"
#include "maintenance/database_copy.h"
#include "store/bound_recordset.h"
#include "support/fake_platform.h"
#include "support/file_size_limit.h"
#include "support/scratch_database.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using maintenance::BackupOutcome;
using maintenance::RestoreOutcome;

Q_DECLARE_METATYPE(maintenance::BackupOutcome)
Q_DECLARE_METATYPE(maintenance::RestoreOutcome)

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray encoded(const QByteArray& database)
{
    QByteArray source = database;
    QBuffer in(&source);
    QByteArray result;
    QBuffer out(&result);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    maintenance::encodeBackup(in, out);
    return result;
}

QByteArray decodedBackup(const QString& path)
{
    QFile backup(path);
    QByteArray result;
    QBuffer out(&result);
    if (!backup.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)
        || maintenance::decodeBackup(backup, out) != maintenance::DecodeOutcome::Decoded)
        return {};
    return result;
}

/** Adds medicines numbered from `first`, each with a long name so that they fill many pages. */
void addMedicines(platform::Database& db, int first, int count)
{
    platform::Transaction transaction(db);
    for (int n = first; n < first + count; ++n) {
        QVERIFY(db.exec(u"INSERT INTO 药品 (名称, 代号, 单价) VALUES (?, ?, ?)"_s,
                        { u"药品%1"_s.arg(n) + QString(200, u'药'), u"YP%1"_s.arg(n), u"1.00"_s }));
    }
    QVERIFY(transaction.commit());
}

/** The backup folder beside the scratch database; files are listed without it. */
QString safetyFolder(const testsupport::ScratchDatabase& scratch)
{
    return QDir(scratch.folder()).filePath(u"backup"_s);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

/**
 * Equal bytes apart from three header counters SQLite moves when it writes a file: the change counter and its copy,
 * and the schema cookie, which tells the connection's other statements to read the schema again.
 */
bool sameDatabaseBytes(const QByteArray& actual, const QByteArray& expected)
{
    if (actual.size() != expected.size())
        return false;
    QByteArray a = actual;
    QByteArray e = expected;
    for (int offset : { 24, 40, 92 }) {
        a.replace(offset, 4, QByteArray(4, '\0'));
        e.replace(offset, 4, QByteArray(4, '\0'));
    }
    return a == e;
}

} // namespace

class TestDatabaseCopy final : public QObject
{
    Q_OBJECT

private slots:
    void restoreGivesExactlyTheBackup_data();
    void restoreGivesExactlyTheBackup();
    void backupHoldsOnlyCommittedContent();
    void refusedRestoreLeavesDatabaseUntouched_data();
    void refusedRestoreLeavesDatabaseUntouched();
    void backupTarget_data();
    void backupTarget();
    void restoreKeepsCopyThatUndoesIt();
    void restoreRefusedBeforeReplacing_data();
    void restoreRefusedBeforeReplacing();
    void backupReportsProgress();
    void stoppedBackupLeavesNothing_data();
    void stoppedBackupLeavesNothing();
    void stoppedRestoreLeavesNothing_data();
    void stoppedRestoreLeavesNothing();
};

void TestDatabaseCopy::restoreGivesExactlyTheBackup_data()
{
    QTest::addColumn<int>("backedUpMedicines");
    QTest::addColumn<int>("liveMedicines");
    QTest::newRow("live database larger") << 3 << 2000;
    QTest::newRow("live database smaller") << 2000 << 3;
}

void TestDatabaseCopy::restoreGivesExactlyTheBackup()
{
    QFETCH(int, backedUpMedicines);
    QFETCH(int, liveMedicines);

    testsupport::ScratchDatabase source(true);
    addMedicines(source.db(), 0, backedUpMedicines);
    source.createTable(u"华康诊所"_s, { u"名称"_s }, { { u"阿莫西林"_s } });
    const QString backupFile = QDir(source.folder()).filePath(u"backup/2004121.bak"_s);
    QCOMPARE(maintenance::writeBackup(source.db(), backupFile), BackupOutcome::Written);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 5000, liveMedicines);
    // a window's record source stays open on the connection through the restore
    store::BoundRecordset medicines(live.db(), u"药品"_s);
    QVERIFY(medicines.moveFirst());

    QCOMPARE(maintenance::restoreBackup(live.db(), backupFile, safetyFolder(live)), RestoreOutcome::Restored);

    QVERIFY(sameDatabaseBytes(fileBytes(live.path()), decodedBackup(backupFile)));
    QCOMPARE(live.rows(u"药品"_s), source.rows(u"药品"_s));
    QCOMPARE(live.rows(u"华康诊所"_s), source.rows(u"华康诊所"_s));
    QCOMPARE(medicines.recordCount(), backedUpMedicines);
    QCOMPARE(filesIn(live.folder()), QStringList { u"useall.mdb"_s });
}

void TestDatabaseCopy::backupHoldsOnlyCommittedContent()
{
    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 1);
    const QString backupFile = QDir(live.folder()).filePath(u"2004121.bak"_s);
    {
        platform::Transaction unfinished(live.db());
        QVERIFY(live.db().exec(u"INSERT INTO 药品 (名称) VALUES ('未提交')"_s));
        QCOMPARE(maintenance::writeBackup(live.db(), backupFile), BackupOutcome::Written);
    }

    testsupport::ScratchDatabase restored(true);
    QCOMPARE(maintenance::restoreBackup(restored.db(), backupFile, safetyFolder(restored)), RestoreOutcome::Restored);
    QCOMPARE(restored.rows(u"药品"_s), live.rows(u"药品"_s));
    QCOMPARE(restored.rows(u"药品"_s).size(), 1);
}

void TestDatabaseCopy::refusedRestoreLeavesDatabaseUntouched_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<RestoreOutcome>("outcome");
    QTest::newRow("shorter than the magic") << u"Quenval"_s << RestoreOutcome::NotABackup;
    QTest::newRow("another magic") << u"another magic"_s << RestoreOutcome::NotABackup;
    QTest::newRow("right magic, not a database") << u"garbage"_s << RestoreOutcome::NotThisSystem;
    QTest::newRow("right magic, another program's database") << u"foreign"_s << RestoreOutcome::NotThisSystem;
    QTest::newRow("right magic, damaged database") << u"damaged"_s << RestoreOutcome::NotThisSystem;
    QTest::newRow("right magic, nothing after it") << u"magic only"_s << RestoreOutcome::NotThisSystem;
}

void TestDatabaseCopy::refusedRestoreLeavesDatabaseUntouched()
{
    QFETCH(QString, content);
    QFETCH(RestoreOutcome, outcome);

    QTemporaryDir files;
    QByteArray backup;
    if (content == u"Quenval"_s) {
        backup = "Quenval"_ba;
    } else if (content == u"another magic"_s) {
        testsupport::ScratchDatabase ours(true);
        backup = "QuenvalX"_ba + encoded(fileBytes(ours.path())).mid(8);
    } else if (content == u"garbage"_s) {
        QByteArray noise;
        for (int n = 0; n < 8192; ++n)
            noise.append(char((n * 7919) % 251));
        backup = encoded(noise);
    } else if (content == u"foreign"_s) {
        const QString path = files.filePath(u"foreign.db"_s);
        {
            platform::Database foreign(path);
            QVERIFY(foreign.exec(u"CREATE TABLE orders (id TEXT)"_s));
        }
        backup = encoded(fileBytes(path));
    } else if (content == u"damaged"_s) {
        testsupport::ScratchDatabase ours(true);
        addMedicines(ours.db(), 0, 300);
        QByteArray bytes = fileBytes(ours.path());
        const int pageSize = 4096;
        QVERIFY(bytes.size() > 8 * pageSize);
        bytes.replace(4 * pageSize, 2 * pageSize, QByteArray(2 * pageSize, '\x55'));
        backup = encoded(bytes);
    } else {
        backup = "Quenvale"_ba;
    }
    const QString backupFile = files.filePath(u"2004121.bak"_s);
    writeFile(backupFile, backup);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 5);
    const QByteArray before = fileBytes(live.path());

    QCOMPARE(maintenance::restoreBackup(live.db(), backupFile, safetyFolder(live)), outcome);

    QCOMPARE(fileBytes(live.path()), before);
    QCOMPARE(live.rows(u"药品"_s).size(), 5);
    QCOMPARE(filesIn(live.folder()), QStringList { u"useall.mdb"_s });
}

void TestDatabaseCopy::backupTarget_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<BackupOutcome>("outcome");
    QTest::newRow("older backup of the same name") << u"older"_s << BackupOutcome::Written;
    QTest::newRow("missing folders are made") << u"missing folders"_s << BackupOutcome::Written;
    QTest::newRow("folder is a file") << u"folder is a file"_s << BackupOutcome::TargetUnwritable;
    QTest::newRow("database gone, older backup kept") << u"database gone"_s << BackupOutcome::DatabaseUnreadable;
    QTest::newRow("cut short, older backup kept") << u"cut short"_s << BackupOutcome::TargetUnwritable;
}

void TestDatabaseCopy::backupTarget()
{
    QFETCH(QString, situation);
    QFETCH(BackupOutcome, outcome);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 5);
    QTemporaryDir files;
    QString target = files.filePath(u"2004121.bak"_s);
    const QByteArray older = "Quenvale older backup"_ba;
    if (situation == u"missing folders"_s) {
        target = files.filePath(u"a/b/backup/2004121.bak"_s);
    } else if (situation == u"folder is a file"_s) {
        writeFile(files.filePath(u"blocker"_s), "not a folder"_ba);
        target = files.filePath(u"blocker/2004121.bak"_s);
    } else {
        writeFile(target, older);
        if (situation == u"database gone"_s)
            QVERIFY(QFile::remove(live.path()));
    }

    std::optional<testsupport::FileSizeLimit> limit;
    if (situation == u"cut short"_s) {
        // room for the snapshot of the database, not for the backup, which is 8 bytes longer
        limit.emplace(QFileInfo(live.path()).size() + 4);
        QVERIFY(limit->isActive());
    }
    const BackupOutcome written = maintenance::writeBackup(live.db(), target);
    limit.reset();
    QCOMPARE(written, outcome);

    if (outcome == BackupOutcome::Written)
        QVERIFY(sameDatabaseBytes(decodedBackup(target), fileBytes(live.path())));
    else if (situation == u"database gone"_s || situation == u"cut short"_s)
        QCOMPARE(fileBytes(target), older);
    // nothing half-written is left beside the target
    const QStringList left = filesIn(QFileInfo(target).absolutePath());
    QCOMPARE(left, situation == u"folder is a file"_s ? QStringList() : QStringList { u"2004121.bak"_s });
}

void TestDatabaseCopy::restoreKeepsCopyThatUndoesIt()
{
    testsupport::FakeClock clock;
    testsupport::ScratchDatabase source(true);
    addMedicines(source.db(), 0, 3);
    const QString backupFile = QDir(source.folder()).filePath(u"200475.bak"_s);
    QCOMPARE(maintenance::writeBackup(source.db(), backupFile), BackupOutcome::Written);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 100, 7);
    const QList<QStringList> liveMedicines = live.rows(u"药品"_s);
    const QString folder = safetyFolder(live);
    // a file of the copy's name already there is kept
    QVERIFY(QDir().mkpath(folder));
    const QString taken = QDir(folder).filePath(u"恢复前的数据2004-07-05-090533.bak"_s);
    writeFile(taken, "kept"_ba);

    QCOMPARE(maintenance::restoreBackup(live.db(), backupFile, folder), RestoreOutcome::Restored);
    QCOMPARE(live.rows(u"药品"_s).size(), 3);
    QCOMPARE(fileBytes(taken), "kept"_ba);
    const QString copy = QDir(folder).filePath(u"恢复前的数据2004-07-05-090533(2).bak"_s);
    QCOMPARE(filesIn(folder), (QStringList { QFileInfo(copy).fileName(), QFileInfo(taken).fileName() }));
    QCOMPARE(filesIn(live.folder()), QStringList { u"useall.mdb"_s });

    // restoring the copy undoes the restore
    QCOMPARE(maintenance::restoreBackup(live.db(), copy, folder), RestoreOutcome::Restored);
    QCOMPARE(live.rows(u"药品"_s), liveMedicines);
}

void TestDatabaseCopy::restoreRefusedBeforeReplacing_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<RestoreOutcome>("outcome");
    QTest::newRow("backup with 药品 in name only")
        << QStringList { u"DROP TABLE 药品"_s, u"CREATE TABLE 药品 (名称 TEXT)"_s } << QString()
        << RestoreOutcome::NotThisSystem;
    QTest::newRow("backup without the administrator")
        << QStringList { u"DELETE FROM \"user\""_s } << QString() << RestoreOutcome::NotThisSystem;
    QTest::newRow("backup with a trigger")
        << QStringList { u"CREATE TRIGGER 清空药品 AFTER UPDATE ON 流水号 BEGIN DELETE FROM 药品; END"_s } << QString()
        << RestoreOutcome::NotThisSystem;
    QTest::newRow("no folder for the copy of the live database")
        << QStringList() << u"folder is a file"_s << RestoreOutcome::SafetyCopyFailed;
    QTest::newRow("decoded content cut short") << QStringList() << u"file-size limit"_s << RestoreOutcome::Failed;
}

void TestDatabaseCopy::restoreRefusedBeforeReplacing()
{
    QFETCH(QStringList, changes);
    QFETCH(QString, obstacle);
    QFETCH(RestoreOutcome, outcome);

    testsupport::ScratchDatabase source(true);
    for (const QString& change : changes)
        QVERIFY2(source.db().exec(change), qPrintable(source.db().lastError()));
    const QString backupFile = QDir(source.folder()).filePath(u"200475.bak"_s);
    QCOMPARE(maintenance::writeBackup(source.db(), backupFile), BackupOutcome::Written);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 5);
    const QString folder = safetyFolder(live);
    const bool copyBlocked = obstacle == u"folder is a file"_s;
    if (copyBlocked)
        writeFile(folder, "a file where the backup folder should be"_ba);
    const QByteArray before = fileBytes(live.path());

    std::optional<testsupport::FileSizeLimit> limit;
    if (obstacle == u"file-size limit"_s) {
        limit.emplace(QFileInfo(source.path()).size() / 2);
        QVERIFY(limit->isActive());
    }
    const RestoreOutcome restored = maintenance::restoreBackup(live.db(), backupFile, folder);
    limit.reset();

    QCOMPARE(restored, outcome);
    QCOMPARE(fileBytes(live.path()), before);
    QCOMPARE(live.rows(u"药品"_s).size(), 5);
    const QStringList expected
        = copyBlocked ? QStringList { u"backup"_s, u"useall.mdb"_s } : QStringList { u"useall.mdb"_s };
    QCOMPARE(filesIn(live.folder()), expected);
    QVERIFY(copyBlocked || !QFileInfo::exists(folder));
}

namespace {

/** Where a test asks long work to stop, found in the reports of a whole run. */
enum class StopPoint { First, Check, Last };

/** The report, counted from 1, at which the stop is asked; -1 when the run has no such report. */
int stopReport(StopPoint point, const QList<QPair<qint64, qint64>>& reports)
{
    switch (point) {
    case StopPoint::First:
        return 1;
    case StopPoint::Check:
        // a restore's second part of four, the check, is done
        for (int i = 0; i < reports.size(); ++i) {
            if (reports.at(i).first * 2 == reports.at(i).second)
                return i + 1;
        }
        return -1;
    case StopPoint::Last:
        return int(reports.size());
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(StopPoint)

void TestDatabaseCopy::backupReportsProgress()
{
    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 2000);
    QTemporaryDir files;
    testsupport::FakeLongWork longWork;
    BackupOutcome outcome = BackupOutcome::TargetUnwritable;
    platform::runLongWork(u"备份"_s, true, [&](platform::Progress& progress) {
        outcome = maintenance::writeBackup(live.db(), files.filePath(u"2004121.bak"_s), progress);
    });
    QCOMPARE(outcome, BackupOutcome::Written);
    const auto reports = longWork.runs.value(0).reports;
    QVERIFY(reports.size() > 10);
    for (int i = 1; i < reports.size(); ++i)
        QVERIFY(reports.at(i - 1).first <= reports.at(i).first);
    QCOMPARE(reports.last().first, reports.last().second);
}

void TestDatabaseCopy::stoppedBackupLeavesNothing_data()
{
    QTest::addColumn<StopPoint>("point");
    QTest::newRow("while the snapshot is taken") << StopPoint::First;
    QTest::newRow("when the last block is encoded") << StopPoint::Last;
}

void TestDatabaseCopy::stoppedBackupLeavesNothing()
{
    QFETCH(StopPoint, point);
    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 0, 2000);
    QTemporaryDir files;
    const QString earlier = files.filePath(u"2004120.bak"_s);
    writeFile(earlier, "Quenvale earlier backup"_ba);
    const QString target = files.filePath(u"2004121.bak"_s);
    const QByteArray older = "Quenvale older backup of the day"_ba;
    writeFile(target, older);

    testsupport::FakeLongWork longWork;
    const auto backUp = [&] {
        BackupOutcome outcome = BackupOutcome::TargetUnwritable;
        platform::runLongWork(u"备份"_s, true, [&](platform::Progress& progress) {
            outcome = maintenance::writeBackup(live.db(), target, progress);
        });
        return outcome;
    };
    // A run to the end first, to learn its reports; it writes over the older file, which is put back.
    QCOMPARE(backUp(), BackupOutcome::Written);
    writeFile(target, older);
    longWork.stopAtReport = stopReport(point, longWork.runs.value(0).reports);

    QCOMPARE(backUp(), BackupOutcome::Stopped);
    QCOMPARE(longWork.runs.value(1).reports.size(), longWork.stopAtReport);
    QCOMPARE(fileBytes(target), older);
    QCOMPARE(fileBytes(earlier), "Quenvale earlier backup"_ba);
    QCOMPARE(filesIn(files.path()), (QStringList { u"2004120.bak"_s, u"2004121.bak"_s }));
}

void TestDatabaseCopy::stoppedRestoreLeavesNothing_data()
{
    QTest::addColumn<StopPoint>("point");
    QTest::newRow("while the backup is decoded") << StopPoint::First;
    QTest::newRow("once it is checked") << StopPoint::Check;
    QTest::newRow("when the safety copy is encoded") << StopPoint::Last;
}

void TestDatabaseCopy::stoppedRestoreLeavesNothing()
{
    QFETCH(StopPoint, point);
    testsupport::FakeClock clock;
    testsupport::ScratchDatabase source(true);
    addMedicines(source.db(), 0, 2000);
    QTemporaryDir files;
    const QString backupFile = files.filePath(u"200475.bak"_s);
    QCOMPARE(maintenance::writeBackup(source.db(), backupFile), BackupOutcome::Written);

    testsupport::ScratchDatabase live(true);
    addMedicines(live.db(), 5000, 7);
    const QByteArray before = fileBytes(live.path());
    const QString folder = safetyFolder(live);
    testsupport::FakeLongWork longWork;
    const auto prepare = [&] {
        maintenance::PreparedRestore restore;
        RestoreOutcome outcome = RestoreOutcome::Failed;
        platform::runLongWork(u"恢复"_s, true, [&](platform::Progress& progress) {
            outcome = restore.prepare(live.path(), backupFile, folder, progress);
        });
        return outcome;
    };
    // Prepared to the end and never finished, it leaves nothing either.
    QCOMPARE(prepare(), RestoreOutcome::Restored);
    QCOMPARE(filesIn(folder), QStringList());
    longWork.stopAtReport = stopReport(point, longWork.runs.value(0).reports);
    QVERIFY(longWork.stopAtReport > 0);

    QCOMPARE(prepare(), RestoreOutcome::Stopped);
    QCOMPARE(longWork.runs.value(1).reports.size(), longWork.stopAtReport);
    QCOMPARE(fileBytes(live.path()), before);
    QCOMPARE(live.rows(u"药品"_s).size(), 7);
    QCOMPARE(filesIn(folder), QStringList());
    QCOMPARE(filesIn(live.folder()), QStringList { u"useall.mdb"_s });
}

QTEST_GUILESS_MAIN(TestDatabaseCopy)
#include "test_database_copy.moc"
