#include "platform/database.h"
#include "store/database_check.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using store::DatabaseFault;

Q_DECLARE_METATYPE(store::DatabaseFault)

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

/** Runs statements on a connection of SQLite's own, which keeps the file's journal mode as the statements set it. */
bool runRaw(const QString& path, const QStringList& statements)
{
    sqlite3* db = nullptr;
    bool ran = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK;
    for (const QString& statement : statements)
        ran = ran && sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ran;
}

/**
 * A database of this system as a crash in the middle of a write leaves it: pages of an unfinished transaction in the
 * file and the journal that undoes them beside it.
 */
void makeCrashImage(const QString& path)
{
    QTemporaryDir running;
    const QString live = running.filePath(u"useall.mdb"_s);
    QVERIFY(store::createDeliveredDatabase(live));
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(live).constData(), &db), SQLITE_OK);
    // a small cache makes SQLite write the unfinished pages into the file before the commit
    QCOMPARE(
        sqlite3_exec(db, "PRAGMA cache_size = 2; BEGIN; UPDATE 流水号 SET 流水号 = '999';", nullptr, nullptr, nullptr),
        SQLITE_OK);
    for (int n = 0; n < 200; ++n) {
        const QByteArray insert = "INSERT INTO 药品 (名称) VALUES ('" + QByteArray(500, 'x') + "')";
        QCOMPARE(sqlite3_exec(db, insert.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    QVERIFY(QFile::copy(live, path));
    QVERIFY(QFile::copy(live + u"-journal"_s, path + u"-journal"_s));
    sqlite3_close(db);
    QVERIFY(fileBytes(path) != fileBytes(live));
}

} // namespace

class TestDatabaseCheck final : public QObject
{
    Q_OBJECT

private slots:
    void checkFile_data();
    void checkFile();
};

void TestDatabaseCheck::checkFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<DatabaseFault>("fault");
    QTest::addColumn<QString>("detail");

    const QString ours = u"delivered"_s;
    QTest::newRow("delivered") << ours << QStringList() << DatabaseFault::None << QString();
    // the sign-in finds the administrator in any letter case
    QTest::newRow("administrator in capitals")
        << ours << QStringList { u"UPDATE \"user\" SET username = 'ORSVAN'"_s } << DatabaseFault::None << QString();
    QTest::newRow("crash left a journal to roll back")
        << u"crash image"_s << QStringList() << DatabaseFault::None << QString();

    QTest::newRow("zero bytes") << u"zero bytes"_s << QStringList() << DatabaseFault::EmptyFile << QString();
    QTest::newRow("not a database") << u"text"_s << QStringList() << DatabaseFault::Unreadable << QString();
    QTest::newRow("empty database") << u"empty"_s << QStringList() << DatabaseFault::MissingTable << u"药品"_s;
    QTest::newRow("another program's database in WAL mode")
        << u"foreign"_s << QStringList() << DatabaseFault::MissingTable << u"药品"_s;

    QTest::newRow("药品 in name only") << ours
                                       << QStringList { u"DROP TABLE 药品"_s, u"CREATE TABLE 药品 (名称 TEXT)"_s }
                                       << DatabaseFault::MissingColumn << u"药品.代号"_s;
    QTest::newRow("流水号 missing") << ours << QStringList { u"DROP TABLE 流水号"_s } << DatabaseFault::MissingTable
                                    << u"流水号"_s;
    QTest::newRow("user empty") << ours << QStringList { u"DELETE FROM \"user\""_s } << DatabaseFault::NoAdministrator
                                << QString();
    QTest::newRow("only clerks in user") << ours << QStringList { u"UPDATE \"user\" SET username = '张三'"_s }
                                         << DatabaseFault::NoAdministrator << QString();
    QTest::newRow("password empty") << ours << QStringList { u"DELETE FROM password"_s } << DatabaseFault::NoSuperUser
                                    << QString();
    QTest::newRow("流水号 empty") << ours << QStringList { u"DELETE FROM 流水号"_s } << DatabaseFault::NoSerial
                                  << QString();
    QTest::newRow("trigger emptying 药品 on a sale")
        << ours << QStringList { u"CREATE TRIGGER 清空药品 AFTER UPDATE ON 流水号 BEGIN DELETE FROM 药品; END"_s }
        << DatabaseFault::HoldsCode << u"清空药品"_s;
    QTest::newRow("view") << ours << QStringList { u"CREATE VIEW 全部药品 AS SELECT * FROM 药品"_s }
                          << DatabaseFault::HoldsCode << u"全部药品"_s;
}

void TestDatabaseCheck::checkFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, changes);
    QFETCH(DatabaseFault, fault);
    QFETCH(QString, detail);

    QTemporaryDir folder;
    const QString path = folder.filePath(u"useall.mdb"_s);
    if (file == u"delivered"_s) {
        QVERIFY(store::createDeliveredDatabase(path));
        QVERIFY(runRaw(path, changes));
    } else if (file == u"crash image"_s) {
        makeCrashImage(path);
    } else if (file == u"foreign"_s) {
        QVERIFY(runRaw(path,
                       { u"PRAGMA journal_mode = WAL"_s, u"CREATE TABLE orders (id TEXT)"_s,
                         u"INSERT INTO orders VALUES ('A-1')"_s }));
    } else {
        QFile created(path);
        QVERIFY(created.open(QIODevice::WriteOnly));
        if (file == u"text"_s)
            QVERIFY(created.write(QByteArray("useall.mdb is not this text\n").repeated(200)) > 0);
        else if (file == u"empty"_s)
            QVERIFY(runRaw(path, { u"PRAGMA user_version = 7"_s }));
    }
    const QByteArray before = fileBytes(path);
    const QStringList filesBefore = filesIn(folder.path());

    const store::DatabaseCheck check = store::checkDatabaseFile(path);

    QCOMPARE(check.fault, fault);
    if (fault != DatabaseFault::Unreadable)
        QCOMPARE(check.detail, detail);
    QCOMPARE(check.cause().isEmpty(), fault == DatabaseFault::None);
    if (file == u"crash image"_s) {
        // rolled back to what was committed
        QCOMPARE(filesIn(folder.path()), QStringList { u"useall.mdb"_s });
        platform::Database recovered(path);
        QSqlQuery serial = recovered.prepare(u"SELECT 流水号 FROM 流水号"_s);
        QVERIFY(serial.exec() && serial.next());
        QCOMPARE(serial.value(0).toString(), u"1"_s);
    } else {
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(filesIn(folder.path()), filesBefore);
    }
}

QTEST_GUILESS_MAIN(TestDatabaseCheck)
#include "test_database_check.moc"
