#include "platform/database.h"
#include "support/scratch_database.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDatabase final : public QObject
{
    Q_OBJECT

private slots:
    void durableSettings();
    void transactionCommits();
    void failedWriteLeavesNothing();
    void rollbackAfterTheEngineGaveUp();
    void nestedTransactionUndoesOnlyItsOwnPart();
    void foreignFileIsRefused();
    void quoting_data();
    void quoting();
};

namespace {

int countRows(platform::Database& db, const QString& table)
{
    QSqlQuery query = db.prepare(u"SELECT count(*) FROM %1"_s.arg(platform::quoteIdentifier(table)));
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

} // namespace

void TestDatabase::durableSettings()
{
    testsupport::ScratchDatabase scratch;
    QSqlQuery journal = scratch.db().prepare(u"PRAGMA journal_mode"_s);
    QVERIFY(journal.exec() && journal.next());
    QCOMPARE(journal.value(0).toString(), u"delete"_s);
    QSqlQuery sync = scratch.db().prepare(u"PRAGMA synchronous"_s);
    QVERIFY(sync.exec() && sync.next());
    QCOMPARE(sync.value(0).toInt(), 2); // FULL
}

void TestDatabase::transactionCommits()
{
    testsupport::ScratchDatabase scratch;
    scratch.createTable(u"t"_s, { u"a"_s });
    {
        platform::Transaction transaction(scratch.db());
        QVERIFY(transaction.isActive());
        QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"1"_s }));
        QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"2"_s }));
        QVERIFY(transaction.commit());
    }
    QCOMPARE(countRows(scratch.db(), u"t"_s), 2);
    QVERIFY(!scratch.db().inTransaction());
}

void TestDatabase::failedWriteLeavesNothing()
{
    testsupport::ScratchDatabase scratch;
    scratch.createTable(u"t"_s, { u"a"_s });
    {
        platform::Transaction transaction(scratch.db());
        QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"1"_s }));
        QVERIFY(!scratch.db().exec(u"INSERT INTO missing VALUES (?)"_s, { u"2"_s }));
    }
    QCOMPARE(countRows(scratch.db(), u"t"_s), 0);
    QVERIFY(!scratch.db().inTransaction());
    QVERIFY2(scratch.db().lastError().contains(u"missing"_s), qPrintable(scratch.db().lastError()));
}

void TestDatabase::rollbackAfterTheEngineGaveUp()
{
    testsupport::ScratchDatabase scratch;
    scratch.createTable(u"t"_s, { u"a"_s });
    platform::Transaction transaction(scratch.db());
    QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"1"_s }));
    // The engine can end a transaction on its own; the guard must then not fail or start anything new.
    QVERIFY(scratch.db().exec(u"ROLLBACK"_s));
    transaction.rollback();
    QVERIFY(!scratch.db().inTransaction());
    QCOMPARE(countRows(scratch.db(), u"t"_s), 0);
    QVERIFY(!transaction.commit());
}

void TestDatabase::nestedTransactionUndoesOnlyItsOwnPart()
{
    testsupport::ScratchDatabase scratch;
    scratch.createTable(u"t"_s, { u"a"_s });
    platform::Transaction outer(scratch.db());
    QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"kept"_s }));
    {
        platform::Transaction inner(scratch.db());
        QVERIFY(inner.isActive());
        QVERIFY(scratch.db().exec(u"INSERT INTO t VALUES (?)"_s, { u"undone"_s }));
    }
    QVERIFY(scratch.db().inTransaction());
    QVERIFY(outer.commit());
    QCOMPARE(scratch.rows(u"t"_s), QList<QStringList> { { u"kept"_s } });
}

void TestDatabase::foreignFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"useall.mdb"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    platform::Database db(path);
    QVERIFY(!db.isOpen());
    QVERIFY(!db.lastError().isEmpty());
}

void TestDatabase::quoting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << u"药品"_s << u"\"药品\""_s;
    QTest::newRow("dot stays one name") << u"a.b"_s << u"\"a.b\""_s;
    QTest::newRow("inner quote doubled") << u"\"q"_s << u"\"\"\"q\""_s;
}

void TestDatabase::quoting()
{
    QFETCH(QString, name);
    QFETCH(QString, quoted);
    QCOMPARE(platform::quoteIdentifier(name), quoted);
    testsupport::ScratchDatabase scratch;
    scratch.createTable(name, { u"a"_s }, { { u"x"_s } });
    QCOMPARE(countRows(scratch.db(), name), 1);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
