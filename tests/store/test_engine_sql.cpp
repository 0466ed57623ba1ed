#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/engine_sql.h"
#include "store/numbers.h"
#include "store/sql_functions.h"
#include "store/statements.h"
#include "support/scratch_database.h"

#include <QSqlQuery>
#include <QTest>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

double numValueInDatabase(platform::Database& db, const QString& text)
{
    QSqlQuery query = db.prepare(u"SELECT numvalue(?)"_s);
    query.addBindValue(text);
    if (!query.exec() || !query.next()) {
        qWarning("numvalue failed: %s", qPrintable(db.lastError()));
        return -1.0;
    }
    return query.value(0).toDouble();
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A name of 50 characters, 150 bytes in UTF-8: far over what a server keeps of an identifier.
QString longName(const QString& start, QChar fill, QChar last)
{
    return start + QString(49 - start.size(), fill) + last;
}

} // namespace

/** What differs between the engines gives the same results on both; each run covers the engine it is on. */
class TestEngineSql final : public QObject
{
    Q_OBJECT

private slots:
    void numValueInsideTheDatabase_data();
    void numValueInsideTheDatabase();
    void sumOfOddTextsMatchesBitForBit();
    void lookupsFoldOnlyLatinLetters_data();
    void lookupsFoldOnlyLatinLetters();
    void lookupsUseTheirIndex();
    void longNamesKeepTablesOfTheirOwn();
    void namesThatFitAreKeptAsTheyAre();
    void storedOrderSurvivesRemovals();
};

void TestEngineSql::numValueInsideTheDatabase_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("amount") << u"1234.50"_s;
    QTest::newRow("blanks and a currency sign") << u"  12.50元"_s;
    QTest::newRow("blanks inside") << u" 1 2\t3\n.5"_s;
    QTest::newRow("carriage return ends") << u"1\r2"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("letter first") << u"abc12"_s;
    QTest::newRow("negative zero") << u"-0.0"_s;
    QTest::newRow("signs") << u"+.5e+2"_s;
    QTest::newRow("two signs") << u"--5"_s;
    QTest::newRow("point alone") << u"."_s;
    QTest::newRow("trailing point") << u"5."_s;
    QTest::newRow("exponent without digits") << u"1e+"_s;
    QTest::newRow("exponent") << u"1.5E-3kg"_s;
    QTest::newRow("huge exponent") << u"1e99999999999"_s;
    QTest::newRow("too large") << u"1e400"_s;
    QTest::newRow("too large negative") << u"-17976931348623159e292"_s;
    QTest::newRow("largest") << u"1.7976931348623157e308"_s;
    QTest::newRow("too small") << u"1e-400"_s;
    QTest::newRow("subnormal") << u"1e-310"_s;
    QTest::newRow("many digits") << u"123456789012345678901234567890.123456789"_s;
    QTest::newRow("halfway rounding") << u"9007199254740993"_s;
    QTest::newRow("sixteen plain digits") << u"0.1000000000000000055511151231257827"_s;
    QTest::newRow("full-width digits") << u"１２"_s;
    QTest::newRow("leading zeros") << u"000000000000000000000001.25"_s;
}

void TestEngineSql::numValueInsideTheDatabase()
{
    QFETCH(QString, text);
    testsupport::ScratchDatabase scratch(true);
    QVERIFY(store::ensureNumValueFunction(scratch.db()));
    const double inDatabase = numValueInDatabase(scratch.db(), text);
    const double expected = store::NumValue(text);
    QVERIFY2(sameBits(inDatabase, expected),
             qPrintable(u"%1 != %2"_s.arg(inDatabase, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

void TestEngineSql::sumOfOddTextsMatchesBitForBit()
{
    testsupport::ScratchDatabase scratch(true);
    const QStringList texts { u"0.1"_s,    u"0.2"_s,   u" 0.3元"_s, u"1e16"_s,    u"1"_s,       u"-1e16"_s,
                              u"12.345"_s, u"abc"_s,   u""_s,       u"3.14159"_s, u"2.5e-3x"_s, u"1 0 0"_s,
                              u"0.07"_s,   u"99.99"_s, u"1e-310"_s, u"-0"_s,      u"7."_s,      u".7"_s };
    QList<QStringList> rows;
    double expected = 0.0;
    for (const QString& text : texts) {
        rows << QStringList { u"x"_s, text };
        expected += store::NumValue(text);
    }
    scratch.createTable(u"账"_s, { u"名"_s, u"金额"_s }, rows);
    QVERIFY(store::ensureNumValueFunction(scratch.db()));
    QSqlQuery query = scratch.db().prepare(u"SELECT "_s + store::numValueTotal(scratch.db(), u"t.\"金额\""_s)
                                           + u" FROM "_s + store::engineTable(scratch.db(), u"账"_s) + u" AS t"_s);
    QVERIFY2(query.exec() && query.next(), qPrintable(scratch.db().lastError()));
    const double inDatabase = query.value(0).toDouble();
    QVERIFY2(sameBits(inDatabase, expected),
             qPrintable(u"%1 != %2"_s.arg(inDatabase, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

void TestEngineSql::lookupsFoldOnlyLatinLetters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("sought");
    QTest::addColumn<bool>("found");
    QTest::newRow("Latin letters") << u"Orsvan"_s << u"oRSVAN"_s << true;
    QTest::newRow("Chinese exactly") << u"阿莫西林"_s << u"阿莫西林"_s << true;
    QTest::newRow("accented letters") << u"Ärzte"_s << u"ärzte"_s << false;
    QTest::newRow("Greek letters") << u"Σ"_s << u"σ"_s << false;
    QTest::newRow("full-width letters") << u"ＡＢ"_s << u"ａｂ"_s << false;
    QTest::newRow("leading space counts") << u" 5"_s << u"5"_s << false;
    QTest::newRow("quote in the value") << u"O'Neil"_s << u"o'neil"_s << true;
}

void TestEngineSql::lookupsFoldOnlyLatinLetters()
{
    QFETCH(QString, stored);
    QFETCH(QString, sought);
    QFETCH(bool, found);
    testsupport::ScratchDatabase scratch(true);
    store::BoundRecordset users(scratch.db(), u"user"_s);
    QVERIFY(users.appendRecord({ u"username"_s }, { stored }));
    users.findFirst({ u"username"_s, sought });
    QCOMPARE(!users.noMatch(), found);
}

void TestEngineSql::lookupsUseTheirIndex()
{
    testsupport::ScratchDatabase scratch(true);
    platform::Database& db = scratch.db();
    const QString condition = store::equalsIgnoringLatinCase(db, u"\"名称\""_s);
    QString plan;
    if (db.engine() == platform::Engine::PostgreSQL) {
        // on a table this small the planner would rather scan; it is told not to, to show it can use the index
        QVERIFY(db.exec(u"SET enable_seqscan = off"_s));
        // the server explains no prepared statement: the value stands in the text
        QString explained = condition;
        explained.replace(u"?"_s, u"'Amoxicillin'"_s);
        QSqlQuery query(db.connection());
        QVERIFY2(query.exec(u"EXPLAIN SELECT * FROM \"药品\" WHERE "_s + explained), qPrintable(explained));
        while (query.next())
            plan += query.value(0).toString();
        QVERIFY2(plan.contains(u"Index"_s) && plan.contains(u"药品 名称"_s), qPrintable(plan));
    } else {
        QSqlQuery query = db.prepare(u"EXPLAIN QUERY PLAN SELECT * FROM \"药品\" WHERE "_s + condition);
        query.addBindValue(u"Amoxicillin"_s);
        QVERIFY(query.exec());
        while (query.next())
            plan += query.value(3).toString();
        QVERIFY2(plan.contains(u"USING INDEX 药品 名称"_s), qPrintable(plan));
    }
}

void TestEngineSql::longNamesKeepTablesOfTheirOwn()
{
    testsupport::ScratchDatabase scratch(true);
    platform::Database& db = scratch.db();
    // the same first 30 characters, then different
    const QString first = longName(u"华康大药房连锁有限公司第一分店第二门市部东城区人民路三十号院"_s, u'甲', u'A');
    const QString second = longName(u"华康大药房连锁有限公司第一分店第二门市部东城区人民路三十号院"_s, u'乙', u'B');
    QCOMPARE(first.left(30), second.left(30));
    QCOMPARE(first.size(), 50);
    for (const QString& name : { first, second }) {
        QVERIFY2(store::createTable(db, name, store::transactionTableColumns()), qPrintable(db.lastError()));
        QVERIFY2(store::createTable(db, name + u"1"_s, store::companionTableColumns()), qPrintable(db.lastError()));
    }
    QVERIFY(store::engineTable(db, first) != store::engineTable(db, second));
    store::BoundRecordset a(db, first);
    store::BoundRecordset b(db, second);
    QVERIFY(a.appendRecord({ u"交易药品名"_s }, { u"甲药"_s }));
    QVERIFY(b.refresh());
    QCOMPARE(b.recordCount(), 0);
    QCOMPARE(a.recordCount(), 1);

    // the other letter case names the same table, as on a file
    const QString otherCase = first.left(49) + u"a"_s;
    QVERIFY(store::tableExists(db, otherCase));
    QVERIFY(!store::createTable(db, otherCase, store::transactionTableColumns()));

    // every table is listed by its whole name, so a copy or a backup takes it over unchanged
    const auto names = store::tableNames(db);
    QVERIFY(names);
    for (const QString& name : { first, second, first + u"1"_s, second + u"1"_s })
        QVERIFY2(names->contains(name), qPrintable(name));

    QVERIFY(store::dropTable(db, first));
    QVERIFY(!store::tableExists(db, first));
    QVERIFY(store::tableExists(db, second));
}

void TestEngineSql::namesThatFitAreKeptAsTheyAre()
{
    testsupport::ScratchDatabase scratch(true);
    platform::Database& db = scratch.db();
    const QString name = u"华康大药房连锁有限公司第一分店二十"_s; // 17 characters, 51 bytes
    QVERIFY(store::createTable(db, name, store::transactionTableColumns()));
    QCOMPARE(store::engineTable(db, name), platform::quoteIdentifier(name));
    // another letter case reaches the table, on a server as on a file
    store::BoundRecordset users(db, u"USER"_s);
    QVERIFY(users.isOpen());
    users.findFirst({ u"USERNAME"_s, u"orsvan"_s });
    QVERIFY(!users.noMatch());
    QVERIFY(!store::createTable(db, u"User"_s, store::logTableColumns()));
    QCOMPARE(store::serverIdentifier(QString(63, u'a')), QString(63, u'a'));
    QVERIFY(store::serverIdentifier(QString(64, u'a')).toUtf8().size() <= store::serverIdentifierBytes);
}

void TestEngineSql::storedOrderSurvivesRemovals()
{
    testsupport::ScratchDatabase scratch(true);
    scratch.createTable(u"次序"_s, { u"值"_s }, { { u"c"_s }, { u"a"_s }, { u"b"_s } });
    store::BoundRecordset records(scratch.db(), u"次序"_s);
    records.findFirst({ u"值"_s, u"a"_s });
    QVERIFY(records.remove());
    QVERIFY(records.appendRecord({ u"值"_s }, { u"a"_s }));
    QCOMPARE(scratch.rows(u"次序"_s), (QList<QStringList> { { u"c"_s }, { u"b"_s }, { u"a"_s } }));
}

QTEST_GUILESS_MAIN(TestEngineSql)
#include "test_engine_sql.moc"
