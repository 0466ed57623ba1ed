#include "sales_fixture.h"
#include "statistics/money_text.h"
#include "statistics/period_choice.h"
#include "statistics/sales_sums.h"
#include "store/numbers.h"
#include "store/sale_date_index.h"
#include "store/sql_functions.h"
#include "store/statements.h"
#include "transaction/amounts.h"
#include "transaction/commit.h"
#include "transaction/working_set.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statistics::SalePeriod;
using statisticstests::Sale;

namespace {

Sale sale(const QString& year, const QString& month, const QString& amount)
{
    Sale s;
    s.year = year;
    s.month = month;
    s.amount = amount;
    return s;
}

} // namespace

class TestSalesSums final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void periodSum_data();
    void periodSum();
    void committedSaleCountsForItsMonth();
    void overallSumAddsUnits();
    void overallSumSkipsUnreadableUnits_data();
    void overallSumSkipsUnreadableUnits();
    void allTimeSum();

    void numValueFunctionMatchesNumValue_data();
    void numValueFunctionMatchesNumValue();
    void numValueFunctionOnManyAmounts();
    void saleDateIndex();

    void moneyText_data();
    void moneyText();
    void periodChoice();
    void chosenPeriod_data();
    void chosenPeriod();

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestSalesSums::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
}

void TestSalesSums::cleanup()
{
    m_scratch.reset();
}

void TestSalesSums::periodSum_data()
{
    QTest::addColumn<QList<Sale>>("sales");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<double>("expected");

    const QList<Sale> may2003 { sale(u" 2003"_s, u" 5"_s, u"12.50"_s) };
    QTest::newRow("May 2003 in 2003/5") << may2003 << u" 2003"_s << u" 5"_s << 12.5;
    QTest::newRow("May 2003 in 2003") << may2003 << u" 2003"_s << QString() << 12.5;
    QTest::newRow("May 2003 not in 2004/5") << may2003 << u" 2004"_s << u" 5"_s << 0.0;
    QTest::newRow("May 2003 not in 2004") << may2003 << u" 2004"_s << QString() << 0.0;
    QTest::newRow("month 1 is not month 12")
        << QList<Sale> { sale(u" 2003"_s, u" 1"_s, u"1.00"_s), sale(u" 2003"_s, u" 12"_s, u"2.00"_s) } << u" 2003"_s
        << u" 1"_s << 1.0;
    QTest::newRow("a year without its leading space is not counted")
        << QList<Sale> { sale(u"2003"_s, u" 5"_s, u"10.00"_s), sale(u" 2003"_s, u" 5"_s, u"1.00"_s) } << u" 2003"_s
        << u" 5"_s << 1.0;
    QTest::newRow("nor for the year") << QList<Sale> { sale(u"2003"_s, u" 5"_s, u"10.00"_s),
                                                       sale(u" 2003"_s, u" 6"_s, u"1.00"_s) }
                                      << u" 2003"_s << QString() << 1.0;
    QTest::newRow("amounts read as numbers")
        << QList<Sale> { sale(u" 2003"_s, u" 5"_s, u"abc"_s), sale(u" 2003"_s, u" 5"_s, u"  12.50元"_s),
                         sale(u" 2003"_s, u" 5"_s, QString()), sale(u" 2003"_s, u" 5"_s, u"-3"_s),
                         sale(u" 2003"_s, u" 5"_s, u"1 2"_s) }
        << u" 2003"_s << u" 5"_s << 21.5;
    QTest::newRow("no sales") << QList<Sale>() << u" 2003"_s << u" 5"_s << 0.0;
}

void TestSalesSums::periodSum()
{
    QFETCH(QList<Sale>, sales);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(double, expected);

    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s, sales);
    QCOMPARE(statistics::periodSum(m_scratch->db(), u"仁和诊所"_s, { year, month }), std::optional(expected));
}

void TestSalesSums::committedSaleCountsForItsMonth()
{
    // The sums select by the texts the commit stores; a change on either side would lose every sale silently.
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    transaction::Line line;
    line.name = u"阿莫西林"_s;
    line.amount = u"12.50"_s;
    const QStringList record = transaction::transactionRecord(line, QDate(2003, 5, 7));
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"仁和诊所\" VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"_s,
                                 QVariantList(record.cbegin(), record.cend())));

    QCOMPARE(statistics::periodSum(m_scratch->db(), u"仁和诊所"_s, { u" 2003"_s, u" 5"_s }), std::optional(12.5));
    QCOMPARE(statistics::periodSum(m_scratch->db(), u"仁和诊所"_s, { u" 2003"_s, {} }), std::optional(12.5));
}

void TestSalesSums::overallSumAddsUnits()
{
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    statisticstests::registerUnit(*m_scratch, u"康泰药房"_s);
    statisticstests::registerUnit(*m_scratch, u"同济医院"_s);
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s, { sale(u" 2003"_s, u" 5"_s, u"12.50"_s) });
    statisticstests::storeSales(*m_scratch, u"康泰药房"_s, { sale(u" 2003"_s, u" 5"_s, u"0.25"_s) });

    const QStringList units { u"仁和诊所"_s, u"康泰药房"_s, u"同济医院"_s };
    const SalePeriod may { u" 2003"_s, u" 5"_s };
    const auto total = [&](const SalePeriod& period) {
        const auto overall = statistics::overallSum(m_scratch->db(), units, period);
        return overall && overall->skipped.isEmpty() ? std::optional(overall->total) : std::nullopt;
    };
    QCOMPARE(total(may), std::optional(12.75));
    QCOMPARE(total({ u" 2004"_s, u" 5"_s }), std::optional(0.0));
    QCOMPARE(statistics::periodSum(m_scratch->db(), u"康泰药房"_s, may), std::optional(0.25));
}

void TestSalesSums::overallSumSkipsUnreadableUnits_data()
{
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<double>("total");
    QTest::addColumn<QStringList>("skipped");

    const QString sold = u"第一医院（东城）"_s; // sold 12.50 in May 2003
    QTest::newRow("a unit without a table")
        << QStringList { sold, u"无表单位"_s } << 12.5 << QStringList { u"无表单位"_s };
    QTest::newRow("a name that is no table name")
        << QStringList { u"x\" OR 1=1 --"_s, sold } << 12.5 << QStringList { u"x\" OR 1=1 --"_s };
    QTest::newRow("a table without the columns")
        << QStringList { sold, u"抬头"_s } << 12.5 << QStringList { u"抬头"_s };
    QTest::newRow("an index's name") << QStringList { sold, u"lookup_1"_s } << 12.5 << QStringList { u"lookup_1"_s };
    QTest::newRow("every unit, in order")
        << QStringList { u"无表单位"_s, u"抬头"_s } << 0.0 << QStringList { u"无表单位"_s, u"抬头"_s };
}

void TestSalesSums::overallSumSkipsUnreadableUnits()
{
    QFETCH(QStringList, units);
    QFETCH(double, total);
    QFETCH(QStringList, skipped);

    m_scratch->useEarlierLookupIndexNames();
    statisticstests::registerUnit(*m_scratch, u"第一医院（东城）"_s);
    statisticstests::storeSales(*m_scratch, u"第一医院（东城）"_s, { Sale() });
    const auto overall = statistics::overallSum(m_scratch->db(), units, { u" 2003"_s, u" 5"_s });
    QVERIFY(overall);
    QCOMPARE(overall->total, total);
    QCOMPARE(overall->skipped, skipped);
    QCOMPARE(statistics::overallSum(m_scratch->db(), {}, { u" 2003"_s, u" 5"_s }).has_value(), false);
}

void TestSalesSums::allTimeSum()
{
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    statisticstests::registerUnit(*m_scratch, u"康泰药房"_s);
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s,
                                { sale(u" 2001"_s, u" 1"_s, u"1.25"_s), sale(u"2003"_s, u"x"_s, u"2.00"_s),
                                  sale(u" 2004"_s, u" 12"_s, u"元"_s) });

    QCOMPARE(statistics::allTimeSum(m_scratch->db(), u"仁和诊所"_s), std::optional(3.25));
    QCOMPARE(statistics::allTimeSum(m_scratch->db(), u"康泰药房"_s), std::optional(0.0));
    QCOMPARE(statistics::allTimeSum(m_scratch->db(), u"无表单位"_s), std::optional<double>());
}

void TestSalesSums::numValueFunctionMatchesNumValue_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("amount") << u"12.50"_s;
    QTest::newRow("zero amount") << u"0.00"_s;
    QTest::newRow("no whole part") << u".05"_s;
    QTest::newRow("point last") << u"12."_s;
    QTest::newRow("point alone") << u"."_s;
    QTest::newRow("two points") << u"1.2.3"_s;
    QTest::newRow("fifteen digits") << u"9876543.21098765"_s;
    QTest::newRow("sixteen digits") << u"98765432.10987654"_s;
    QTest::newRow("leading zeros") << u"0000000000000000012.5"_s;
    QTest::newRow("sign") << u"-12.50"_s;
    QTest::newRow("blanks and a unit") << u"  12.50元"_s;
    QTest::newRow("blanks inside") << u"1 2\t3"_s;
    QTest::newRow("carriage return inside") << u"1\r2"_s;
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("empty") << u""_s;
    QTest::newRow("sign and point") << u"-.5"_s;
    QTest::newRow("exponent") << u"1.5e3x"_s;
    QTest::newRow("too large") << u"1e400"_s;
    QTest::newRow("full-width digits") << u"１２"_s;
    QTest::newRow("Chinese before digits") << u"元12"_s;
    QTest::newRow("longer than the stack buffer") << QString(70, u' ') + u"42.5"_s;
    QTest::newRow("long and not ASCII") << u"7"_s + QString(80, u'元');
}

void TestSalesSums::numValueFunctionMatchesNumValue()
{
    QFETCH(QString, text);

    QVERIFY(store::ensureNumValueFunction(m_scratch->db()));
    QSqlQuery query = m_scratch->db().prepare(u"SELECT numvalue(?)"_s);
    query.addBindValue(text);
    QVERIFY(query.exec() && query.next());
    QCOMPARE(query.value(0).toDouble(), store::NumValue(text));
}

void TestSalesSums::numValueFunctionOnManyAmounts()
{
    // Every amount of a wide range and random decimals of up to 15 digits, against NumValue bit for bit.
    QVERIFY(store::ensureNumValueFunction(m_scratch->db()));
    QStringList texts;
    for (int cents = 0; cents < 200'000; ++cents)
        texts << u"%1.%2"_s.arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
    QRandomGenerator random(20040705);
    for (int i = 0; i < 20'000; ++i) {
        const int digits = 1 + int(random.bounded(15));
        QString text;
        for (int d = 0; d < digits; ++d)
            text += QChar(u'0' + random.bounded(10));
        text.insert(int(random.bounded(digits + 1)), u'.');
        texts << text;
    }
    QVERIFY(m_scratch->db().exec(u"CREATE TABLE amounts (amount TEXT)"_s));
    {
        platform::Transaction transaction(m_scratch->db());
        for (const QString& text : texts)
            QVERIFY(m_scratch->db().exec(u"INSERT INTO amounts VALUES (?)"_s, { text }));
        QVERIFY(transaction.commit());
    }
    QSqlQuery query = m_scratch->db().prepare(u"SELECT amount, numvalue(amount) FROM amounts ORDER BY rowid"_s);
    QVERIFY(query.exec());
    int compared = 0;
    while (query.next()) {
        const QString text = query.value(0).toString();
        if (query.value(1).toDouble() != store::NumValue(text))
            QFAIL(qPrintable(text));
        ++compared;
    }
    QCOMPARE(compared, texts.size());
}

void TestSalesSums::saleDateIndex()
{
    platform::Database& db = m_scratch->db();
    const auto usesIndex = [&db](const QString& table) {
        QSqlQuery plan = db.prepare(u"EXPLAIN QUERY PLAN SELECT total(numvalue(\"金额\")) FROM %1 WHERE \"交易年\" = ? "
                                    u"AND \"交易月\" = ?"_s.arg(platform::quoteIdentifier(table)));
        plan.addBindValue(u" 2003"_s);
        plan.addBindValue(u" 5"_s);
        QString details;
        if (plan.exec()) {
            while (plan.next())
                details += plan.value(3).toString();
        }
        return details.contains(store::saleDateIndexName(table), Qt::CaseInsensitive);
    };
    QVERIFY(store::ensureNumValueFunction(db));

    // A new unit's table comes with the index.
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    QVERIFY(usesIndex(u"仁和诊所"_s));

    // An older table gets it when a period is first summed.
    QVERIFY(store::createTable(db, u"康泰药房"_s, store::transactionTableColumns()));
    QVERIFY(!usesIndex(u"康泰药房"_s));
    QCOMPARE(statistics::periodSum(db, u"康泰药房"_s, { u" 2003"_s, u" 5"_s }), std::optional(0.0));
    QVERIFY(usesIndex(u"康泰药房"_s));
    QVERIFY(store::ensureSaleDateIndex(db, u"康泰药房"_s));
    // So do older tables among all units, whatever the letter case the register spells them in.
    QVERIFY(store::createTable(db, u"Tongji"_s, store::transactionTableColumns()));
    const auto overall = statistics::overallSum(db, { u"仁和诊所"_s, u"TONGJI"_s }, { u" 2003"_s, {} });
    QVERIFY(overall && overall->skipped.isEmpty());
    QVERIFY(usesIndex(u"Tongji"_s));

    // A table that is not a transaction table, or none, is left alone.
    QVERIFY(!store::ensureSaleDateIndex(db, u"抬头"_s));
    QVERIFY(!store::ensureSaleDateIndex(db, u"无表单位"_s));

    // Dropping the unit's table drops its index with it, so the name can be used again.
    QVERIFY(store::dropTable(db, u"仁和诊所"_s));
    QVERIFY(store::createTransactionTable(db, u"仁和诊所"_s));
    QVERIFY(!store::createTransactionTable(db, u"仁和诊所"_s));
}

void TestSalesSums::moneyText_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("orZero");

    QTest::newRow("zero") << 0.0 << u".00"_s << u"0.00"_s;
    QTest::newRow("half") << 0.5 << u".50"_s << u".50"_s;
    QTest::newRow("quarter") << 0.25 << u".25"_s << u".25"_s;
    QTest::newRow("whole part") << 1234.5 << u"1234.50"_s << u"1234.50"_s;
    QTest::newRow("two units") << 12.75 << u"12.75"_s << u"12.75"_s;
    QTest::newRow("no thousands separator") << 1234567.0 << u"1234567.00"_s << u"1234567.00"_s;
    QTest::newRow("half a cent up") << 2.675 << u"2.68"_s << u"2.68"_s;
    QTest::newRow("binary noise") << 0.1 + 0.2 << u".30"_s << u".30"_s;
    QTest::newRow("rounds to nothing, not zero") << 0.004 << u".00"_s << u".00"_s;
    QTest::newRow("negative") << -0.5 << u"-.50"_s << u"-.50"_s;
    QTest::newRow("negative rounding to nothing") << -0.001 << u".00"_s << u".00"_s;
}

void TestSalesSums::moneyText()
{
    QFETCH(double, total);
    QFETCH(QString, text);
    QFETCH(QString, orZero);

    QCOMPARE(transaction::formatPointAmount(total), text);
    QCOMPARE(statistics::moneyTextOrZero(total), orZero);
}

void TestSalesSums::periodChoice()
{
    QCOMPARE(statistics::yearItems(2004),
             (QStringList { u" 2000年"_s, u" 2001年"_s, u" 2002年"_s, u" 2003年"_s, u" 2004年"_s }));
    const QStringList months = statistics::monthItems();
    QCOMPARE(months.size(), 12);
    QCOMPARE(months.first(), u" 1月"_s);
    QCOMPARE(months.last(), u" 12月"_s);
    QCOMPARE(statistics::initialYearBoxText(), u" 2003年"_s);
    QCOMPARE(statistics::initialMonthBoxText(), u" 1月"_s);
}

void TestSalesSums::chosenPeriod_data()
{
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<QString>("yearBox");
    QTest::addColumn<QString>("monthBox");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("logText");
    QTest::addColumn<QString>("labelPrefix");

    QTest::newRow("May") << true << u" 2003年"_s << u" 5月"_s << u" 2003"_s << u" 5"_s << u"统计2003年5月的销售情况"_s
                         << u" 2003年5月,"_s;
    QTest::newRow("December") << true << u" 2004年"_s << u" 12月"_s << u" 2004"_s << u" 12"_s
                              << u"统计2004年12月的销售情况"_s << u" 2004年12月,"_s;
    QTest::newRow("a year") << false << u" 2003年"_s << u" 5月"_s << u" 2003"_s << QString()
                            << u"统计2003年的销售情况"_s << u" 2003年,"_s;
}

void TestSalesSums::chosenPeriod()
{
    QFETCH(bool, monthly);
    QFETCH(QString, yearBox);
    QFETCH(QString, monthBox);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, logText);
    QFETCH(QString, labelPrefix);

    const SalePeriod period = statistics::chosenPeriod(
        monthly ? statistics::PeriodKind::Month : statistics::PeriodKind::Year, yearBox, monthBox);
    QCOMPARE(period.year, year);
    QCOMPARE(period.month, month);
    QCOMPARE(statistics::choiceLogText(period), logText);
    QCOMPARE(statistics::periodLabelPrefix(period), labelPrefix);
}

QTEST_GUILESS_MAIN(TestSalesSums)
#include "test_sales_sums.moc"
