#include "platform/database.h"
#include "sales_fixture.h"
#include "statistics/chart_figures.h"
#include "statistics/money_text.h"
#include "statistics/sales_sums.h"
#include "store/numbers.h"

#include <QMap>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statistics::RankedAmount;
using statistics::SalePeriod;
using statisticstests::Sale;

namespace {

const QStringList soldUnits { u"仁和诊所"_s, u"康泰药房"_s, u"同济医院"_s };
// Listed in the register but unreadable: no table, and a table without the columns.
const QStringList unreadableUnits { u"无表单位"_s, u"抬头"_s };

/**
 * Amounts as they are found in stored tables: three decimals whose sums round differently in another order, tenths
 * that no double holds, and texts that are not plain numbers.
 */
QString amountText(int i, int unit)
{
    switch (i % 9) {
    case 0:
        return QString::number(double((i * 137 + unit * 71) % 10000) / 1000.0, 'f', 3);
    case 1:
        return u"0.1"_s;
    case 2:
        return u"0.7"_s;
    case 3:
        return u"  12.50元"_s;
    case 4:
        return u"abc"_s;
    case 5:
        return u"1e2"_s;
    case 6:
        return u"-3"_s;
    case 7:
        return QString();
    default:
        return QString::number(double(i * 7919 % 100000) / 100.0, 'f', 2);
    }
}

QString monthText(int i, int unit)
{
    // Now and then a month text that no month total selects: the sale counts for its year alone.
    switch (i % 23) {
    case 5:
        return u"5"_s;
    case 11:
        return u" 05"_s;
    case 17:
        return u" 13"_s;
    default:
        return store::NumText(1 + (i * 7 + unit) % 12);
    }
}

QString yearText(int i)
{
    if (i % 31 == 30)
        return u"2003"_s; // without its leading space: in no year
    return i % 3 == 0 ? u" 2002"_s : u" 2003"_s;
}

QList<Sale> generatedSales(int unit)
{
    QList<Sale> sales;
    for (int i = 0; i < 400; ++i) {
        Sale s;
        s.year = yearText(i);
        s.month = monthText(i, unit);
        s.medicine = u"药品%1"_s.arg((i * 3 + unit) % 7);
        s.amount = amountText(i, unit);
        sales << s;
    }
    return sales;
}

bool inPeriod(const Sale& sale, const SalePeriod& period)
{
    return sale.year == period.year && (period.month.isEmpty() || sale.month == period.month);
}

QStringList namesOf(const QList<RankedAmount>& ranks)
{
    QStringList names;
    for (const RankedAmount& rank : ranks)
        names << rank.name;
    return names;
}

} // namespace

class TestChartFigures final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void monthlyTotalsAgreeWithMonthTotals_data();
    void monthlyTotalsAgreeWithMonthTotals();
    void unitRankingAgreesWithPeriodSums_data();
    void unitRankingAgreesWithPeriodSums();
    void medicineRankingAddsAcrossUnits_data();
    void medicineRankingAddsAcrossUnits();
    void rankingOrder_data();
    void rankingOrder();
    void noUnits();
    void previousYear();

private:
    void storeGeneratedSales();

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    QList<QList<Sale>> m_sales; // by unit of soldUnits
};

void TestChartFigures::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
}

void TestChartFigures::cleanup()
{
    m_scratch.reset();
    m_sales.clear();
}

void TestChartFigures::storeGeneratedSales()
{
    // One transaction, so the lines are stored in one write to the disk.
    platform::Transaction transaction(m_scratch->db());
    for (int u = 0; u < soldUnits.size(); ++u) {
        statisticstests::registerUnit(*m_scratch, soldUnits.at(u));
        m_sales << generatedSales(u);
        statisticstests::storeSales(*m_scratch, soldUnits.at(u), m_sales.last());
    }
    QVERIFY(transaction.commit());
}

void TestChartFigures::monthlyTotalsAgreeWithMonthTotals_data()
{
    QTest::addColumn<QString>("year");
    QTest::newRow("2003") << u" 2003"_s;
    QTest::newRow("2002, the year before") << u" 2002"_s;
    QTest::newRow("a year without sales") << u" 2001"_s;
}

void TestChartFigures::monthlyTotalsAgreeWithMonthTotals()
{
    QFETCH(QString, year);
    storeGeneratedSales();
    const QStringList units
        = QStringList { soldUnits.at(0), unreadableUnits.at(0) } + soldUnits.mid(1) + unreadableUnits.mid(1);

    const auto monthly = statistics::monthlyTotals(m_scratch->db(), units, year);
    QVERIFY(monthly);
    QCOMPARE(monthly->skipped, unreadableUnits);
    for (int m = 1; m <= 12; ++m) {
        const auto overall = statistics::overallSum(m_scratch->db(), units, { year, store::NumText(m) });
        QVERIFY(overall);
        // The same figure to the last bit, so the same text whatever the rounding.
        QCOMPARE(monthly->months[m - 1], overall->total);
        QCOMPARE(statistics::moneyTextOrZero(monthly->months[m - 1]), statistics::moneyTextOrZero(overall->total));
    }
}

void TestChartFigures::unitRankingAgreesWithPeriodSums_data()
{
    QTest::addColumn<SalePeriod>("period");
    QTest::newRow("the year 2003") << SalePeriod { u" 2003"_s, {} };
    QTest::newRow("2003/5") << SalePeriod { u" 2003"_s, u" 5"_s };
    QTest::newRow("2002/12") << SalePeriod { u" 2002"_s, u" 12"_s };
    QTest::newRow("a month without sales") << SalePeriod { u" 2004"_s, u" 5"_s };
}

void TestChartFigures::unitRankingAgreesWithPeriodSums()
{
    QFETCH(SalePeriod, period);
    storeGeneratedSales();
    const QStringList units = unreadableUnits + soldUnits;

    const auto ranking = statistics::unitRanking(m_scratch->db(), units, period, 20);
    QVERIFY(ranking);
    const auto overall = statistics::overallSum(m_scratch->db(), units, period);
    QVERIFY(overall);
    QCOMPARE(ranking->total, overall->total);
    QCOMPARE(ranking->skipped, overall->skipped);
    for (const RankedAmount& rank : ranking->ranks)
        QCOMPARE(std::optional(rank.amount), statistics::periodSum(m_scratch->db(), rank.name, period));
    // Every unit with sales in the period is ranked, largest first.
    int expectedCount = 0;
    for (const QString& unit : soldUnits) {
        if (statistics::moneyTextOrZero(*statistics::periodSum(m_scratch->db(), unit, period)) != u"0.00"_s)
            ++expectedCount;
    }
    QCOMPARE(ranking->ranks.size(), expectedCount);
    for (qsizetype i = 1; i < ranking->ranks.size(); ++i)
        QVERIFY(qRound64(ranking->ranks.at(i - 1).amount * 100) >= qRound64(ranking->ranks.at(i).amount * 100));
}

void TestChartFigures::medicineRankingAddsAcrossUnits_data()
{
    unitRankingAgreesWithPeriodSums_data();
}

void TestChartFigures::medicineRankingAddsAcrossUnits()
{
    QFETCH(SalePeriod, period);
    storeGeneratedSales();

    // Worked out here from the stored texts, line by line.
    QMap<QString, double> expected;
    for (const QList<Sale>& sales : std::as_const(m_sales)) {
        for (const Sale& sale : sales) {
            if (inPeriod(sale, period))
                expected[sale.medicine] += store::NumValue(sale.amount);
        }
    }
    const auto ranking = statistics::medicineRanking(m_scratch->db(), unreadableUnits + soldUnits, period, 20);
    QVERIFY(ranking);
    QCOMPARE(ranking->skipped, unreadableUnits);
    QStringList sold;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (statistics::moneyTextOrZero(it.value()) != u"0.00"_s)
            sold << it.key();
    }
    QCOMPARE(ranking->ranks.size(), sold.size());
    for (const RankedAmount& rank : ranking->ranks) {
        QVERIFY2(expected.contains(rank.name), qPrintable(rank.name));
        QCOMPARE(statistics::moneyTextOrZero(rank.amount), statistics::moneyTextOrZero(expected.value(rank.name)));
    }
    // The medicines make up the period's total.
    const auto overall = statistics::overallSum(m_scratch->db(), soldUnits, period);
    QCOMPARE(statistics::moneyTextOrZero(ranking->total), statistics::moneyTextOrZero(overall->total));
}

void TestChartFigures::rankingOrder_data()
{
    QTest::addColumn<QList<QStringList>>("amounts"); // the amounts of entries "a", "b", "c", … in turn
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("largest first") << QList<QStringList> { { u"1.00"_s }, { u"3.00"_s }, { u"2.00"_s } } << 20
                                   << QStringList { u"b"_s, u"c"_s, u"a"_s };
    QTest::newRow("the same amount written differently, by name")
        << QList<QStringList> { { u"12.5"_s }, { u"6.25"_s, u"6.25"_s }, { u"12.50"_s } } << 20
        << QStringList { u"a"_s, u"b"_s, u"c"_s };
    // 0.1 + 0.2 is a little more than 0.3 as a double: ranked by the double, b would come first.
    QTest::newRow("sums that differ below a fen, by name")
        << QList<QStringList> { { u"0.3"_s }, { u"0.1"_s, u"0.2"_s } } << 20 << QStringList { u"a"_s, u"b"_s };
    QTest::newRow("a fen apart") << QList<QStringList> { { u"0.30"_s }, { u"0.31"_s } } << 20
                                 << QStringList { u"b"_s, u"a"_s };
    QTest::newRow("nothing sold is not ranked")
        << QList<QStringList> { { u"abc"_s }, { u"1.00"_s, u"-1.00"_s }, { u"0.004"_s }, { u"0.01"_s } } << 20
        << QStringList { u"d"_s };
    QTest::newRow("a return ranks below the sales")
        << QList<QStringList> { { u"-5.00"_s }, { u"2.00"_s } } << 20 << QStringList { u"b"_s, u"a"_s };
    QTest::newRow("only the largest ones")
        << QList<QStringList> { { u"4"_s }, { u"1"_s }, { u"3"_s }, { u"2"_s }, { u"3.00"_s } } << 3
        << QStringList { u"a"_s, u"c"_s, u"e"_s };
}

void TestChartFigures::rankingOrder()
{
    QFETCH(QList<QStringList>, amounts);
    QFETCH(int, count);
    QFETCH(QStringList, expected);

    // The same amounts once as units, each with its own table, and once as medicines of one unit.
    QStringList units;
    QList<Sale> medicineSales;
    for (qsizetype i = 0; i < amounts.size(); ++i) {
        const QString name = QString(QChar(char16_t(u'a' + i)));
        units << name;
        statisticstests::registerUnit(*m_scratch, name);
        QList<Sale> sales;
        for (const QString& amount : amounts.at(i)) {
            Sale s;
            s.amount = amount;
            s.medicine = name;
            sales << s;
        }
        statisticstests::storeSales(*m_scratch, name, sales);
        medicineSales << sales;
    }
    statisticstests::registerUnit(*m_scratch, u"z"_s);
    statisticstests::storeSales(*m_scratch, u"z"_s, medicineSales);

    const SalePeriod may { u" 2003"_s, u" 5"_s };
    const auto unitRanks = statistics::unitRanking(m_scratch->db(), units, may, count);
    QVERIFY(unitRanks);
    QCOMPARE(namesOf(unitRanks->ranks), expected);
    const auto medicineRanks = statistics::medicineRanking(m_scratch->db(), { u"z"_s }, may, count);
    QVERIFY(medicineRanks);
    QCOMPARE(namesOf(medicineRanks->ranks), expected);
}

void TestChartFigures::noUnits()
{
    QVERIFY(!statistics::monthlyTotals(m_scratch->db(), {}, u" 2003"_s));
    QVERIFY(!statistics::unitRanking(m_scratch->db(), {}, { u" 2003"_s, {} }, 20));
    QVERIFY(!statistics::medicineRanking(m_scratch->db(), {}, { u" 2003"_s, {} }, 20));
}

void TestChartFigures::previousYear()
{
    QCOMPARE(statistics::previousYear(u" 2003"_s), u" 2002"_s);
    QCOMPARE(statistics::previousYear(u" 2000"_s), u" 1999"_s);
}

QTEST_MAIN(TestChartFigures)
#include "test_chart_figures.moc"
