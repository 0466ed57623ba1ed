#include "platform/database.h"
#include "store/last_sale_index.h"
#include "store/sale_date_index.h"
#include "store/statements.h"
#include "store/table_names.h"
#include "support/scratch_database.h"
#include "transaction/last_sale.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using transaction::LastSale;

Q_DECLARE_METATYPE(transaction::LastSale::Outcome)

namespace {

const QString unit = u"仁和药店"_s;
const QString medicine = u"阿莫西林"_s;

/** A line of the unit's table in the form the finish stores: year, month, day, medicine, quantity, price. */
using Sold = QStringList;

void addLines(platform::Database& db, const QString& table, const QList<Sold>& lines)
{
    for (const Sold& line : lines) {
        QVERIFY2(db.exec(u"INSERT INTO %1 (\"交易年\", \"交易月\", \"交易日\", \"交易药品名\", \"数量\", \"单价\") "
                         u"VALUES (?, ?, ?, ?, ?, ?)"_s.arg(platform::quoteIdentifier(table)),
                         { line.at(0), line.at(1), line.at(2), line.at(3), line.at(4), line.at(5) }),
                 qPrintable(db.lastError()));
    }
}

/** What the engine does for the last-sale query. */
QString queryPlan(platform::Database& db, const QString& table)
{
    QSqlQuery plan = db.prepare(u"EXPLAIN QUERY PLAN SELECT \"交易年\" FROM %1 WHERE \"交易药品名\" = ? "
                                u"ORDER BY \"交易年\" DESC LIMIT 1"_s.arg(platform::quoteIdentifier(table)));
    plan.addBindValue(medicine);
    if (!plan.exec())
        return {};
    QString detail;
    while (plan.next())
        detail += plan.value(3).toString() + u' ';
    return detail;
}

} // namespace

class TestLastSale final : public QObject
{
    Q_OBJECT

private slots:
    void lastSale_data();
    void lastSale();
    void indexOnFirstUse();
    void noTransactionTable_data();
    void noTransactionTable();
};

void TestLastSale::lastSale_data()
{
    QTest::addColumn<QList<Sold>>("lines");
    QTest::addColumn<LastSale::Outcome>("outcome");
    QTest::addColumn<QString>("text");

    const QString never = u"未曾售给该单位"_s;
    QTest::newRow("no sale at all") << QList<Sold> {} << LastSale::Outcome::Never << never;
    QTest::newRow("only other medicines") << QList<Sold> {
        { u" 2004"_s, u" 7"_s, u" 5"_s, u"阿莫西林胶囊"_s, u"20"_s, u"3.50"_s },
        { u" 2004"_s, u" 7"_s, u" 5"_s, u"维生素C"_s, u"1"_s, u"2.00"_s },
    } << LastSale::Outcome::Never << never;
    QTest::newRow("one sale") << QList<Sold> {
        { u" 2026"_s, u" 11"_s, u" 3"_s, medicine, u"20"_s, u"3.50"_s },
    } << LastSale::Outcome::Found << u"上次: 2026-11-03 单价 3.50 数量 20"_s;
    QTest::newRow("a later year stored before an earlier one") << QList<Sold> {
        { u" 2004"_s, u" 1"_s, u" 2"_s, medicine, u"5"_s, u"3.80"_s },
        { u" 2003"_s, u" 12"_s, u" 30"_s, medicine, u"9"_s, u"3.20"_s },
    } << LastSale::Outcome::Found << u"上次: 2004-01-02 单价 3.80 数量 5"_s;
    // As texts " 9" comes after " 10" and " 3" after " 12".
    QTest::newRow("months compared as numbers") << QList<Sold> {
        { u" 2004"_s, u" 10"_s, u" 1"_s, medicine, u"10"_s, u"3.00"_s },
        { u" 2004"_s, u" 9"_s, u" 1"_s, medicine, u"90"_s, u"3.90"_s },
    } << LastSale::Outcome::Found << u"上次: 2004-10-01 单价 3.00 数量 10"_s;
    QTest::newRow("days compared as numbers") << QList<Sold> {
        { u" 2004"_s, u" 7"_s, u" 12"_s, medicine, u"12"_s, u"3.12"_s },
        { u" 2004"_s, u" 7"_s, u" 3"_s, medicine, u"3"_s, u"3.03"_s },
    } << LastSale::Outcome::Found << u"上次: 2004-07-12 单价 3.12 数量 12"_s;
    QTest::newRow("same day: the line stored last") << QList<Sold> {
        { u" 2004"_s, u" 7"_s, u" 5"_s, medicine, u"1"_s, u"3.10"_s },
        { u" 2004"_s, u" 7"_s, u" 5"_s, medicine, u"2"_s, u"3.20"_s },
        { u" 2004"_s, u" 7"_s, u" 4"_s, medicine, u"3"_s, u"3.30"_s },
    } << LastSale::Outcome::Found << u"上次: 2004-07-05 单价 3.20 数量 2"_s;
    QTest::newRow("other medicines around it") << QList<Sold> {
        { u" 2005"_s, u" 1"_s, u" 1"_s, u"维生素C"_s, u"1"_s, u"2.00"_s },
        { u" 2004"_s, u" 6"_s, u" 30"_s, medicine, u"6"_s, u"3.60"_s },
        { u" 2005"_s, u" 2"_s, u" 1"_s, u"阿莫西林胶囊"_s, u"7"_s, u"9.00"_s },
    } << LastSale::Outcome::Found << u"上次: 2004-06-30 单价 3.60 数量 6"_s;
}

void TestLastSale::lastSale()
{
    QFETCH(QList<Sold>, lines);
    QFETCH(LastSale::Outcome, outcome);
    QFETCH(QString, text);
    testsupport::ScratchDatabase scratch(true);
    QVERIFY(store::createTransactionTable(scratch.db(), unit));
    addLines(scratch.db(), unit, lines);

    const LastSale sale = transaction::lastSale(scratch.db(), unit, medicine);
    QCOMPARE(sale.outcome, outcome);
    QCOMPARE(transaction::lastSaleText(sale), text);
}

void TestLastSale::indexOnFirstUse()
{
    testsupport::ScratchDatabase scratch(true);
    const QString indexName = store::lastSaleIndexName(unit);
    QVERIFY(!store::isBareTableName(indexName));

    // A table of an older database: no last-sale index until the unit is first chosen.
    QVERIFY(store::createTable(scratch.db(), unit, store::transactionTableColumns()));
    addLines(scratch.db(), unit,
             { { u" 2004"_s, u" 7"_s, u" 5"_s, medicine, u"20"_s, u"3.50"_s },
               { u" 2004"_s, u" 7"_s, u" 5"_s, u"维生素C"_s, u"1"_s, u"2.00"_s } });
    QVERIFY(!scratch.indexNames().contains(indexName));
    QCOMPARE(transaction::lastSaleText(transaction::lastSale(scratch.db(), unit, medicine)),
             u"上次: 2004-07-05 单价 3.50 数量 20"_s);

    QVERIFY(transaction::prepareLastSales(scratch.db(), unit));
    QVERIFY(scratch.indexNames().contains(indexName));
    QVERIFY(!scratch.db().inTransaction());
    if (!scratch.onServer()) {
        // a server plans by its statistics, which a table this small does not make choose the index
        const QString plan = queryPlan(scratch.db(), unit);
        QVERIFY2(plan.contains(indexName), qPrintable(plan));
    }
    QCOMPARE(transaction::lastSaleText(transaction::lastSale(scratch.db(), unit, medicine)),
             u"上次: 2004-07-05 单价 3.50 数量 20"_s);
    // the second time finds it there
    QVERIFY(transaction::prepareLastSales(scratch.db(), unit));

    // A new unit's table has it from its creation.
    QVERIFY(store::createTransactionTable(scratch.db(), u"同济医院"_s));
    QVERIFY(scratch.indexNames().contains(store::lastSaleIndexName(u"同济医院"_s)));
}

void TestLastSale::noTransactionTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("create"); // a table of that name without the columns of a transaction table
    QTest::newRow("no table of that name") << unit << false;
    QTest::newRow("a table of other columns") << unit << true;
    QTest::newRow("no table name") << u"仁和 药店"_s << false;
}

void TestLastSale::noTransactionTable()
{
    QFETCH(QString, table);
    QFETCH(bool, create);
    testsupport::ScratchDatabase scratch(true);
    if (create)
        scratch.createTable(table, { u"备注"_s }, { { u"x"_s } });
    const QStringList indexes = scratch.indexNames();

    QVERIFY(!transaction::prepareLastSales(scratch.db(), table));
    QCOMPARE(scratch.indexNames(), indexes);
    const LastSale sale = transaction::lastSale(scratch.db(), table, medicine);
    QCOMPARE(sale.outcome, LastSale::Outcome::Unreadable);
    QCOMPARE(transaction::lastSaleText(sale), u"上次销售无法读取"_s);
}

QTEST_GUILESS_MAIN(TestLastSale)
#include "test_last_sale.moc"
