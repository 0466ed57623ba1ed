#include "maintenance/copy_command.h"
#include "maintenance/database_copy.h"
#include "platform/database.h"
#include "store/database_check.h"
#include "store/database_transfer.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/statements.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString unit = u"仁和药店"_s;

/** A single desk's file with a unit and its sales, a clerk and his log. */
QString deskFile(const QTemporaryDir& dir)
{
    const QString path = QDir(dir.path()).filePath(u"desk.mdb"_s);
    if (!store::createDeliveredDatabase(path))
        return {};
    platform::Database db(path);
    const bool filled = db.exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit })
        && store::createTransactionTable(db, unit)
        && store::createTable(db, unit + u"1"_s, store::companionTableColumns())
        && db.exec(u"INSERT INTO \"仁和药店\" (\"交易年\", \"交易月\", \"交易药品名\", \"金额\") VALUES (?, ?, ?, ?)"_s,
                   { u" 2004"_s, u" 7"_s, u"甲"_s, u"3.00"_s })
        && db.exec(u"INSERT INTO \"仁和药店\" (\"交易年\", \"交易月\", \"交易药品名\", \"金额\") VALUES (?, ?, ?, ?)"_s,
                   { u" 2004"_s, u" 7"_s, u"乙"_s, u"0.10"_s })
        && db.exec(u"INSERT INTO \"user\" VALUES (?, ?)"_s, { u"小王"_s, u"x"_s })
        && store::createTable(db, u"小王"_s, store::logTableColumns())
        && db.exec(u"INSERT INTO \"小王\" VALUES (?, ?)"_s, { u"2004-07-05"_s, u"登录"_s });
    return filled ? path : QString();
}

} // namespace

/** Copies between a file and a database of either engine; in the _pg run the other side is a server. */
class TestDatabaseTransfer final : public QObject
{
    Q_OBJECT

private slots:
    void copyTakesEveryTableWhole();
    void copyRefusesATargetWithTables();
    void backupOfTheDatabaseRestoresOntoAFile();
};

void TestDatabaseTransfer::copyTakesEveryTableWhole()
{
    QTemporaryDir dir;
    const QString source = deskFile(dir);
    QVERIFY(!source.isEmpty());
    testsupport::ScratchDatabase target;

    QString printed;
    QString errors;
    QTextStream out(&printed);
    QTextStream err(&errors);
    QCOMPARE(maintenance::copyDatabaseCommand(source, target.path(), out, err), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));

    platform::Database from(source);
    const QStringList tables = store::tableNames(from).value_or(QStringList());
    QCOMPARE(store::tableNames(target.db()).value_or(QStringList()), tables);
    // one line per table, and the last one sums up
    QCOMPARE(printed.count(u'\n'), tables.size() + 1);
    QVERIFY2(printed.contains(u"仁和药店\t2 -> 2 行\t金额 3.1 -> 3.1\t一致"_s), qPrintable(printed));
    QCOMPARE(target.rows(unit),
             (QList<QStringList> { { u" 2004"_s, u" 7"_s, QString(), u"甲"_s, QString(), QString(), QString(),
                                     u"3.00"_s, QString(), QString(), QString(), QString() },
                                   { u" 2004"_s, u" 7"_s, QString(), u"乙"_s, QString(), QString(), QString(),
                                     u"0.10"_s, QString(), QString(), QString(), QString() } }));
    QCOMPARE(target.rows(u"小王"_s), (QList<QStringList> { { u"2004-07-05"_s, u"登录"_s } }));
    QVERIFY(store::checkDatabase(target.db().connection()).sound());
    QVERIFY(store::indexExists(target.db(), store::saleDateIndexName(unit)));
}

void TestDatabaseTransfer::copyRefusesATargetWithTables()
{
    QTemporaryDir dir;
    const QString source = deskFile(dir);
    QVERIFY(!source.isEmpty());
    testsupport::ScratchDatabase target(true);
    QString printed;
    QString errors;
    QTextStream out(&printed);
    QTextStream err(&errors);
    QCOMPARE(maintenance::copyDatabaseCommand(source, target.path(), out, err), 1);
    QVERIFY2(errors.contains(u"not empty"_s), qPrintable(errors));
    QVERIFY(!store::tableExists(target.db(), unit));
}

void TestDatabaseTransfer::backupOfTheDatabaseRestoresOntoAFile()
{
    testsupport::FakeClock clock;
    testsupport::ScratchDatabase live(true);
    QVERIFY(store::createTransactionTable(live.db(), unit));
    QVERIFY(live.db().exec(u"INSERT INTO "_s + store::engineTable(live.db(), unit)
                               + u" (\"交易药品名\", \"金额\") VALUES (?, ?)"_s,
                           { u"甲"_s, u"12.50"_s }));
    const QString backup = QDir(live.folder()).filePath(u"b.bak"_s);
    QCOMPARE(maintenance::writeBackup(live.db(), backup), maintenance::BackupOutcome::Written);

    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(u"useall.mdb"_s);
    QVERIFY(store::createDeliveredDatabase(file));
    platform::Database desk(file);
    QCOMPARE(maintenance::restoreBackup(desk, backup, QDir(dir.path()).filePath(u"safety"_s)),
             maintenance::RestoreOutcome::Restored);
    QVERIFY(store::tableExists(desk, unit));

    // and back onto the database the backup came from, replacing what it holds now
    QVERIFY(store::dropTable(live.db(), unit));
    QCOMPARE(maintenance::restoreBackup(live.db(), backup, QDir(live.folder()).filePath(u"safety"_s)),
             maintenance::RestoreOutcome::Restored);
    QCOMPARE(live.rows(unit).size(), 1);
    QCOMPARE(live.rows(unit).first().value(7), u"12.50"_s);
}

QTEST_GUILESS_MAIN(TestDatabaseTransfer)
#include "test_database_transfer.moc"
