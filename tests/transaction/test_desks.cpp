#include "platform/database.h"
#include "records/unit_records.h"
#include "store/bound_recordset.h"
#include "store/engine_sql.h"
#include "store/statements.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/commit.h"
#include "transaction/serial_number.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;

namespace {

const QString unit = u"仁和药店"_s;

PageRows tenLines(int sale)
{
    PageRows rows;
    for (int i = 0; i < rowsPerPage; ++i) {
        Line& row = rows[static_cast<size_t>(i)];
        row.purchasePrice = u"1.00"_s;
        row.name = u"药%1-%2"_s.arg(sale).arg(i);
        row.quantity = u"1"_s;
        row.unitPrice = u"1.50"_s;
        row.amount = u"1.50"_s;
        row.drugType = u"片剂"_s;
    }
    return rows;
}

FinishRequest saleFor(const QString& unitName, int sale)
{
    FinishRequest request;
    request.rows = tenLines(sale);
    request.unit = unitName;
    request.saleDate = QDate(2004, 7, 5);
    return request;
}

/** Runs each job on a thread of its own, each with its own connection to the database, all at once. */
void runDesks(const QString& location, const QList<std::function<void(platform::Database&)>>& jobs)
{
    std::atomic<int> ready { 0 };
    QList<QThread*> threads;
    for (const auto& job : jobs) {
        threads << QThread::create([&location, &ready, job, count = int(jobs.size())] {
            platform::Database desk(location);
            QVERIFY2(desk.isOpen(), qPrintable(desk.lastError()));
            ++ready;
            while (ready.load() < count)
                QThread::yieldCurrentThread();
            job(desk);
        });
    }
    for (QThread* thread : threads)
        thread->start();
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(QDeadlineTimer(120'000)));
        delete thread;
    }
}

} // namespace

/** Several desks on one server database at the same moment, each on its own connection. */
class TestDesks final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void finishesTakeDifferentSerialsInOrder();
    void twoDesksAddTheSameUnit();
    void unitDeletedWhileAnotherDeskKeysASale();
    void catalogueChangeReachesTheNextLookup();
    void sameUserAtTwoDesksKeepsEveryLogEntry();
    void lostConnectionDuringAFinish();

private:
    platform::Database& db() { return m_scratch->db(); }
    QString location() { return m_scratch->path(); }

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestDesks::init()
{
    if (!testsupport::onTestServer())
        QSKIP("several desks at the same moment need a PostgreSQL server: this test runs as its _pg twin");
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    QVERIFY(store::createTable(db(), unit, store::transactionTableColumns()));
}

void TestDesks::cleanup()
{
    m_scratch.reset();
}

void TestDesks::finishesTakeDifferentSerialsInOrder()
{
    constexpr int desks = 4;
    constexpr int salesPerDesk = 8;
    QList<QStringList> serials(desks);
    QList<std::function<void(platform::Database&)>> jobs;
    for (int d = 0; d < desks; ++d) {
        jobs << [d, &serials](platform::Database& desk) {
            for (int s = 0; s < salesPerDesk; ++s) {
                WorkingSet set;
                const FinishResult result = finishSale(desk, set, saleFor(unit, d * 100 + s));
                QVERIFY2(result.succeeded(), qPrintable(desk.lastError()));
                serials[d] << set.SerialText;
            }
        };
    }
    runDesks(location(), jobs);

    QSet<QString> all;
    for (const QStringList& taken : serials) {
        // each desk's own serials follow one another in the order it finished
        for (qsizetype i = 1; i < taken.size(); ++i)
            QVERIFY2(taken.at(i - 1) < taken.at(i), qPrintable(taken.join(u' ')));
        for (const QString& serial : taken)
            all.insert(serial);
    }
    QCOMPARE(all.size(), desks * salesPerDesk);
    for (int n = 1; n <= desks * salesPerDesk; ++n)
        QVERIFY2(all.contains(FormatSerial(QString::number(n))), qPrintable(QString::number(n)));
    QCOMPARE(m_scratch->rows(unit).size(), desks * salesPerDesk * rowsPerPage);
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), QString::number(desks * salesPerDesk + 1));
}

void TestDesks::twoDesksAddTheSameUnit()
{
    std::atomic<int> added { 0 };
    const records::Unit newUnit { u"同名药房"_s, u"张三"_s };
    QList<std::function<void(platform::Database&)>> jobs;
    for (int d = 0; d < 2; ++d) {
        jobs << [&](platform::Database& desk) {
            store::BoundRecordset units(desk, records::unitTable());
            QVERIFY(units.addNew());
            if (records::addPendingUnit(desk, units, newUnit, u"Orsvan"_s, QDate(2004, 7, 5)))
                ++added;
        };
    }
    runDesks(location(), jobs);
    QCOMPARE(added.load(), 1);
    store::BoundRecordset units(db(), records::unitTable());
    QCOMPARE(units.findAll({ u"单位名称"_s, newUnit.name }).size(), 1);
    QVERIFY(store::tableExists(db(), newUnit.name));
    QVERIFY(store::tableExists(db(), newUnit.name + u"1"_s));
}

void TestDesks::unitDeletedWhileAnotherDeskKeysASale()
{
    store::BoundRecordset units(db(), records::unitTable());
    QVERIFY(units.addNew());
    QVERIFY(records::addPendingUnit(db(), units, { u"将删药房"_s }, u"Orsvan"_s, QDate(2004, 7, 5)));

    platform::Database keying(location());
    store::BoundRecordset keyedUnit(keying, u"将删药房"_s); // the entry window opened the unit's table
    QVERIFY(keyedUnit.isOpen());

    units.findFirst({ u"单位名称"_s, u"将删药房"_s });
    QVERIFY(!units.noMatch());
    QVERIFY(records::deleteCurrentUnit(db(), units));

    WorkingSet set;
    const FinishResult result = finishSale(keying, set, saleFor(u"将删药房"_s, 1));
    QCOMPARE(result.problem, FinishResult::Problem::UnitTableMissing);
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), u"1"_s);
    QVERIFY(!store::tableExists(db(), u"将删药房"_s));
}

void TestDesks::catalogueChangeReachesTheNextLookup()
{
    QVERIFY(
        db().exec(u"INSERT INTO \"药品\" (\"名称\", \"代号\", \"单价\", \"进价\", \"类型\") VALUES (?, ?, ?, ?, ?)"_s,
                  { u"阿莫西林"_s, u"AMXL"_s, u"5.50"_s, u"4.20"_s, u"片剂"_s }));
    platform::Database otherDesk(location());
    store::BoundRecordset catalogue(otherDesk, u"药品"_s); // open in the other desk's entry window
    catalogue.findFirst({ u"名称"_s, u"阿莫西林"_s });
    QCOMPARE(catalogue.value(u"单价"_s).value_or(QString()), u"5.50"_s);

    store::BoundRecordset editing(db(), u"药品"_s);
    editing.findFirst({ u"名称"_s, u"阿莫西林"_s });
    QVERIFY(editing.edit());
    QVERIFY(editing.setValue(u"单价"_s, u"6.80"_s));
    QVERIFY(editing.update());

    catalogue.findFirst({ u"名称"_s, u"阿莫西林"_s });
    QCOMPARE(catalogue.value(u"单价"_s).value_or(QString()), u"6.80"_s);
}

void TestDesks::sameUserAtTwoDesksKeepsEveryLogEntry()
{
    testsupport::FakeClock clock;
    constexpr int entries = 45;
    QList<std::function<void(platform::Database&)>> jobs;
    for (int d = 0; d < 2; ++d) {
        jobs << [d](platform::Database& desk) {
            users::ActivityLog log(desk, u"Orsvan"_s);
            for (int i = 0; i < entries; ++i) {
                log.add(u"desk %1 entry %2"_s.arg(d).arg(i));
                if (i % 10 == 9)
                    QVERIFY2(log.save(), qPrintable(desk.lastError()));
            }
            QVERIFY2(log.save(), qPrintable(desk.lastError()));
        };
    }
    runDesks(location(), jobs);
    const QList<QStringList> rows = m_scratch->rows(u"Orsvan"_s);
    QCOMPARE(rows.size(), 2 * entries);
    for (int d = 0; d < 2; ++d) {
        for (int i = 0; i < entries; ++i) {
            const QString message = u"desk %1 entry %2"_s.arg(d).arg(i);
            QVERIFY2(std::any_of(rows.cbegin(), rows.cend(),
                                 [&](const QStringList& row) { return row.value(1).contains(message); }),
                     qPrintable(message));
        }
    }
}

void TestDesks::lostConnectionDuringAFinish()
{
    // Another desk holds the serial, so the finish waits inside its transaction; then its connection is cut.
    platform::Database holder(location());
    platform::Transaction holding(holder);
    QVERIFY(holding.isActive() && store::lockTableForWrite(holder, u"流水号"_s));

    std::atomic<int> backend { 0 };
    FinishResult first;
    FinishResult second;
    WorkingSet set;
    set.TransactionLines[1].name = u"在录入的药"_s;
    bool saleStayed = false;
    QThread* desk = QThread::create([&] {
        platform::Database keying(location());
        QSqlQuery pid = keying.prepare(u"SELECT pg_backend_pid()"_s);
        QVERIFY(pid.exec() && pid.next());
        backend = pid.value(0).toInt();
        pid.finish();
        first = finishSale(keying, set, saleFor(unit, 1));
        saleStayed = set.TransactionLines[1].name == u"在录入的药"_s && set.SerialText.isEmpty();
        QVERIFY(!keying.connectionAlive());
        // the clerk finishes again: the desk connects anew
        second = finishSale(keying, set, saleFor(unit, 2));
    });
    desk->start();
    QTRY_VERIFY_WITH_TIMEOUT(backend.load() != 0, 30'000);
    // wait until the finish stands at the lock
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QSqlQuery waiting
                = db().prepare(u"SELECT 1 FROM pg_stat_activity WHERE pid = ? AND wait_event_type = 'Lock'"_s);
            waiting.addBindValue(backend.load());
            return waiting.exec() && waiting.next();
        }(),
        30'000);
    QSqlQuery cut = db().prepare(u"SELECT pg_terminate_backend(?)"_s);
    cut.addBindValue(backend.load());
    QVERIFY(cut.exec());
    cut.finish();
    holding.rollback();
    QVERIFY(desk->wait(QDeadlineTimer(60'000)));
    delete desk;

    QCOMPARE(first.problem, FinishResult::Problem::WriteFailed);
    QVERIFY(!finishProblemMessage(first.problem).isEmpty());
    QVERIFY(saleStayed);
    QVERIFY(second.succeeded());
    QCOMPARE(set.SerialText, FormatSerial(u"1"_s));
    const QList<QStringList> lines = m_scratch->rows(unit);
    QCOMPARE(lines.size(), rowsPerPage);
    QVERIFY(lines.first().value(3).startsWith(u"药2-"_s));
}

QTEST_GUILESS_MAIN(TestDesks)
#include "test_desks.moc"
