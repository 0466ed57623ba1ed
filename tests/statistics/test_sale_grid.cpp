#include "platform/table_rows.h"
#include "sales_fixture.h"
#include "statistics/money_text.h"
#include "statistics/sale_grid.h"
#include "statistics/sales_sums.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statistics::SaleGrid;
using statistics::SaleGridColumn;
using statistics::SaleGridFilter;
using statisticstests::Sale;

namespace {

Sale line(const QString& year, const QString& month, const QString& day, const QString& medicine,
          const QString& quantity, const QString& amount)
{
    Sale s;
    s.year = year;
    s.month = month;
    s.day = day;
    s.medicine = medicine;
    s.quantity = quantity;
    s.amount = amount;
    return s;
}

/** "unit:medicine" of every row the reader gives, read `page` rows at a time. */
QStringList readAll(platform::TableRows& rows, int page)
{
    QStringList read;
    for (;;) {
        const auto part = rows.next(page);
        if (!part) {
            QTest::qFail("the rows could not be read", __FILE__, __LINE__);
            return read;
        }
        if (part->isEmpty())
            return read;
        for (const QStringList& row : *part)
            read << row.at(int(SaleGridColumn::Unit)) + u':' + row.at(int(SaleGridColumn::Medicine));
    }
}

} // namespace

class TestSaleGrid final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void order_data();
    void order();
    void filter_data();
    void filter();
    void monthTotalAgreesWithStatistics();
    void rowShowsEveryColumn();

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestSaleGrid::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    statisticstests::registerUnit(*m_scratch, u"甲"_s);
    statisticstests::registerUnit(*m_scratch, u"乙"_s);
    statisticstests::registerUnit(*m_scratch, u"丙"_s, false);
    // Odd amount texts count by NumValue: "  8.50元" is 8.5, "abc" 0, "1e2" 100.
    statisticstests::storeSales(*m_scratch, u"甲"_s,
                                { line(u" 2003"_s, u" 5"_s, u" 7"_s, u"阿莫西林"_s, u"5"_s, u"12.50"_s),
                                  line(u" 2003"_s, u" 12"_s, u" 1"_s, u"头孢"_s, u"100"_s, u"100.00"_s),
                                  line(u" 2003"_s, u" 5"_s, u" 20"_s, u"Vitamin C"_s, u"20"_s, u"  8.50元"_s),
                                  line(u" 2004"_s, u" 1"_s, u" 3"_s, u"阿莫西林胶囊"_s, u"5"_s, u"abc"_s),
                                  line(u" 2003"_s, u" 5"_s, u" 7"_s, u"100%纯"_s, u"5"_s, u"1e2"_s) });
    // The last year is stored without its leading space: the statistics leave it out of 2003, and so does a range.
    statisticstests::storeSales(*m_scratch, u"乙"_s,
                                { line(u" 2003"_s, u" 5"_s, u" 8"_s, u"阿莫西林"_s, u"3"_s, u"30.00"_s),
                                  line(u" 2002"_s, u" 12"_s, u" 31"_s, u"头孢"_s, u"7"_s, u"7.25"_s),
                                  line(u"2003"_s, u" 5"_s, u" 9"_s, u"葡萄糖"_s, u"1"_s, u"1000.00"_s) });
}

void TestSaleGrid::cleanup()
{
    m_scratch.reset();
}

void TestSaleGrid::order_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("rows");
    const QStringList jia { u"甲:阿莫西林"_s, u"甲:头孢"_s, u"甲:Vitamin C"_s, u"甲:阿莫西林胶囊"_s, u"甲:100%纯"_s };
    const QStringList yi { u"乙:阿莫西林"_s, u"乙:头孢"_s, u"乙:葡萄糖"_s };
    QTest::newRow("stored order of one unit") << u"甲"_s << -1 << false << jia;
    QTest::newRow("stored order of all units, by the register") << QString() << -1 << false << jia + yi;
    // "100" before "20" as texts; as numbers 5 5 5 20 100, equal ones in stored order
    QTest::newRow("quantity by its number")
        << u"甲"_s << int(SaleGridColumn::Quantity) << false
        << QStringList { u"甲:阿莫西林"_s, u"甲:阿莫西林胶囊"_s, u"甲:100%纯"_s, u"甲:Vitamin C"_s, u"甲:头孢"_s };
    QTest::newRow("amount by NumValue") << u"甲"_s << int(SaleGridColumn::Amount) << false
                                        << QStringList { u"甲:阿莫西林胶囊"_s, u"甲:Vitamin C"_s, u"甲:阿莫西林"_s,
                                                         u"甲:头孢"_s, u"甲:100%纯"_s };
    QTest::newRow("amount descending") << u"甲"_s << int(SaleGridColumn::Amount) << true
                                       << QStringList { u"甲:100%纯"_s, u"甲:头孢"_s, u"甲:阿莫西林"_s,
                                                        u"甲:Vitamin C"_s, u"甲:阿莫西林胶囊"_s };
    // 2003/5/7 twice in 甲: the stored order decides; 2003/5/9 with its odd year text still sorts by its numbers
    QTest::newRow("date across units") << QString() << int(SaleGridColumn::Date) << false
                                       << QStringList { u"乙:头孢"_s,     u"甲:阿莫西林"_s,    u"甲:100%纯"_s,
                                                        u"乙:阿莫西林"_s, u"乙:葡萄糖"_s,      u"甲:Vitamin C"_s,
                                                        u"甲:头孢"_s,     u"甲:阿莫西林胶囊"_s };
    // texts in the database's order (code points here); equal names by the unit's name, 乙 before 甲
    QTest::newRow("medicine across units, ties by unit")
        << QString() << int(SaleGridColumn::Medicine) << false
        << QStringList { u"甲:100%纯"_s, u"甲:Vitamin C"_s, u"乙:头孢"_s,     u"甲:头孢"_s,
                         u"乙:葡萄糖"_s, u"乙:阿莫西林"_s,  u"甲:阿莫西林"_s, u"甲:阿莫西林胶囊"_s };
}

void TestSaleGrid::order()
{
    QFETCH(QString, unit);
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, rows);
    SaleGridFilter filter;
    filter.unit = unit;
    const SaleGrid grid(m_scratch->db(), filter);
    QCOMPARE(readAll(*grid.rows(column, descending), 1000), rows);
    // page by page, each page going on after the last row of the one before, ties included
    for (const int page : { 1, 2, 3 })
        QCOMPARE(readAll(*grid.rows(column, descending), page), rows);
}

void TestSaleGrid::filter_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QStringList>("skipped");
    const QDate none;
    const QDate may1(2003, 5, 1);
    const QDate may31(2003, 5, 31);
    QTest::newRow("one unit, one month") << u"甲"_s << may1 << may31 << QString()
                                         << QStringList { u"甲:阿莫西林"_s, u"甲:Vitamin C"_s, u"甲:100%纯"_s }
                                         << u"121.00"_s << QStringList();
    QTest::newRow("all units, one month, the odd year left out")
        << QString() << may1 << may31 << QString()
        << QStringList { u"甲:阿莫西林"_s, u"甲:Vitamin C"_s, u"甲:100%纯"_s, u"乙:阿莫西林"_s } << u"151.00"_s
        << QStringList { u"丙"_s };
    QTest::newRow("all units, any date") << QString() << none << none << QString()
                                         << QStringList { u"甲:阿莫西林"_s,     u"甲:头孢"_s,   u"甲:Vitamin C"_s,
                                                          u"甲:阿莫西林胶囊"_s, u"甲:100%纯"_s, u"乙:阿莫西林"_s,
                                                          u"乙:头孢"_s,         u"乙:葡萄糖"_s }
                                         << u"1258.25"_s << QStringList { u"丙"_s };
    QTest::newRow("first and last day included")
        << QString() << QDate(2003, 5, 7) << QDate(2003, 5, 8) << QString()
        << QStringList { u"甲:阿莫西林"_s, u"甲:100%纯"_s, u"乙:阿莫西林"_s } << u"142.50"_s << QStringList { u"丙"_s };
    QTest::newRow("across a year's end") << u"乙"_s << QDate(2002, 12, 31) << QDate(2003, 1, 1) << QString()
                                         << QStringList { u"乙:头孢"_s } << u"7.25"_s << QStringList();
    QTest::newRow("part of a name, Latin letter case ignored")
        << u"甲"_s << none << none << u"vitamin"_s << QStringList { u"甲:Vitamin C"_s } << u"8.50"_s << QStringList();
    QTest::newRow("part of a name within the name")
        << QString() << none << none << u"莫西"_s
        << QStringList { u"甲:阿莫西林"_s, u"甲:阿莫西林胶囊"_s, u"乙:阿莫西林"_s } << u"42.50"_s
        << QStringList { u"丙"_s };
    QTest::newRow("wildcards taken literally")
        << u"甲"_s << none << none << u"100%"_s << QStringList { u"甲:100%纯"_s } << u"100.00"_s << QStringList();
    QTest::newRow("underscore taken literally")
        << u"甲"_s << none << none << u"阿莫西林_"_s << QStringList() << u"0.00"_s << QStringList();
    QTest::newRow("unit without a table")
        << u"丙"_s << none << none << QString() << QStringList() << u"0.00"_s << QStringList { u"丙"_s };
}

void TestSaleGrid::filter()
{
    QFETCH(QString, unit);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, part);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);
    QFETCH(QStringList, skipped);
    SaleGridFilter filter { unit, std::nullopt, std::nullopt, part };
    if (from.isValid()) {
        filter.from = from;
        filter.to = to;
    }
    SaleGrid grid(m_scratch->db(), filter);
    QCOMPARE(readAll(*grid.rows(-1), 2), rows);
    const auto summary = grid.summary();
    QVERIFY(summary);
    QCOMPARE(summary->count, rows.size());
    QCOMPARE(statistics::moneyTextOrZero(summary->total), total);
    QCOMPARE(grid.skipped(), skipped);
}

void TestSaleGrid::monthTotalAgreesWithStatistics()
{
    // The grid's total of a month is the monthly statistics' figure, odd amount texts and all.
    SaleGridFilter filter { {}, QDate(2003, 5, 1), QDate(2003, 5, 31), {} };
    SaleGrid grid(m_scratch->db(), filter);
    const auto overall = statistics::overallSum(m_scratch->db(), { u"甲"_s, u"乙"_s }, { u" 2003"_s, u" 5"_s });
    QVERIFY(overall);
    QCOMPARE(statistics::moneyTextOrZero(grid.summary()->total), statistics::moneyTextOrZero(overall->total));
}

void TestSaleGrid::rowShowsEveryColumn()
{
    Sale sale = line(u" 2003"_s, u" 12"_s, u" 1"_s, u"维生素"_s, u"2"_s, u"3.00"_s);
    statisticstests::registerUnit(*m_scratch, u"丁"_s);
    statisticstests::storeSales(*m_scratch, u"丁"_s, { sale });
    SaleGrid grid(m_scratch->db(), { u"丁"_s, std::nullopt, std::nullopt, {} });
    const auto rows = grid.rows(-1)->next(10);
    QVERIFY(rows);
    QCOMPARE(*rows,
             (QList<QStringList> { { u"2003/12/1"_s, u"丁"_s, u"维生素"_s, sale.maker, sale.spec, sale.unit, u"2"_s,
                                     sale.unitPrice, u"3.00"_s, QString(), QString() } }));
}

QTEST_MAIN(TestSaleGrid)
#include "test_sale_grid.moc"
