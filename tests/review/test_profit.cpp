#include "review/profit.h"
#include "review_fixture.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using reviewtests::saleLine;
using transaction::Line;
using transaction::WorkingSet;

namespace {

using Lines = QList<std::pair<int, Line>>;
using Rows = QList<QStringList>;

WorkingSet saleOf(const Lines& lines)
{
    WorkingSet set;
    for (const auto& [number, line] : lines)
        set.TransactionLines[static_cast<size_t>(number)] = line;
    return set;
}

/** The cost and profit columns of the detail rows. */
QStringList costsAndProfits(const Rows& rows)
{
    QStringList texts;
    for (const QStringList& row : rows)
        texts << row.value(8) + u" / "_s + row.value(9);
    return texts;
}

} // namespace

class TestProfit final : public QObject
{
    Q_OBJECT

private slots:
    void profit_data();
    void profit();
    void detailRowColumns();
    void totalCost_data();
    void totalCost();
};

void TestProfit::profit_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<QStringList>("rows"); // cost / profit of each detail row

    const Line earning = saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2"_s);
    QTest::newRow("25 earning 5") << Lines { { 1, earning } } << u"25"_s << u"5"_s << QStringList { u"20 / 5"_s };
    QTest::newRow("below purchase price lowers the profit")
        << Lines { { 1, earning }, { 2, saleLine(u"维生素C"_s, u"1"_s, u"2.00"_s, u"2.00"_s, u"5"_s) } } << u"27"_s
        << u"2"_s << QStringList { u"20 / 5"_s, u"5 / -3"_s };
    QTest::newRow("empty purchase price costs nothing")
        << Lines { { 1, saleLine(u"维生素C"_s, u"3"_s, u"2.00"_s, u"6.00"_s) } } << u"6"_s << u"6"_s
        << QStringList { u"0 / 6"_s };
    Line unnamed = saleLine(QString(), u"4"_s, u"1.00"_s, u"4.00"_s, u"0.5"_s);
    QTest::newRow("unnamed line 2 ignored despite its amount") << Lines {
        { 1, earning }, { 2, unnamed }, { 3, saleLine(u"针"_s, u"2"_s, u"3.00"_s, u"6.00"_s, u"2.5"_s, u"针剂"_s) }
    } << u"31"_s << u"6"_s << QStringList { u"20 / 5"_s, u"5 / 1"_s };
    QTest::newRow("fractions shown at 15 digits")
        << Lines { { 1, saleLine(u"甲"_s, u"3"_s, u"4.10"_s, u"12.30"_s, u"3.2"_s) } } << u"12.3"_s << u"2.7"_s
        << QStringList { u"9.6 / 2.7"_s };
    QTest::newRow("type outside the slip zones counts")
        << Lines { { 1, saleLine(u"甲"_s, u"1"_s, u"8.00"_s, u"8.00"_s, u"7.5"_s, u"中药"_s) } } << u"8"_s << u"0.5"_s
        << QStringList { u"7.5 / 0.5"_s };
    QTest::newRow("empty sale") << Lines {} << u"0"_s << u"0"_s << QStringList {};
    // binary fractions would leave -5.55111512312578e-17 and 8.88178419700125e-16 here
    QTest::newRow("sold at cost earns exactly nothing")
        << Lines { { 1, saleLine(u"甲"_s, u"3"_s, u"0.10"_s, u"0.30"_s, u"0.10"_s) },
                   { 2, saleLine(u"乙"_s, u"7"_s, u"1.10"_s, u"7.70"_s, u"1.10"_s) },
                   { 3, saleLine(u"丙"_s, u"1000"_s, u"0.00"_s, u"0.10"_s, u"0.0001"_s) } }
        << u"8.1"_s << u"0"_s << QStringList { u"0.3 / 0"_s, u"7.7 / 0"_s, u"0.1 / 0"_s };
    QTest::newRow("loss and gain in different decimals")
        << Lines { { 1, saleLine(u"甲"_s, u"3"_s, u"0.33"_s, u"1.00"_s, u"0.45"_s) },
                   { 2, saleLine(u"乙"_s, u"2"_s, u"0.25"_s, u"0.50"_s, u"0.125"_s) } }
        << u"1.5"_s << u"-0.1"_s << QStringList { u"1.35 / -0.35"_s, u"0.25 / 0.25"_s };
    // 0.333 typed, 0.33 kept: the profit is the amount's, not the price's (3 × 0.33 would earn 0.39)
    QTest::newRow("amount other than price times quantity")
        << Lines { { 1, saleLine(u"甲"_s, u"3"_s, u"0.33"_s, u"1.00"_s, u"0.2"_s) } } << u"1"_s << u"0.4"_s
        << QStringList { u"0.6 / 0.4"_s };
}

void TestProfit::profit()
{
    QFETCH(Lines, lines);
    QFETCH(QString, total);
    QFETCH(QString, profit);
    QFETCH(QStringList, rows);

    WorkingSet set = saleOf(lines);
    set.TotalAmount = 999.0; // stale: the summary recomputes
    const review::ProfitSummary summary = review::summarizeProfit(set);
    QCOMPARE(summary.total.shownText(), total);
    QCOMPARE(summary.profit.shownText(), profit);
    QCOMPARE(costsAndProfits(review::profitDetailRows(set)), rows);
}

void TestProfit::detailRowColumns()
{
    Line line = saleLine(u"阿莫西林"_s, u"10"_s, u"2.5"_s, u"25.00"_s, u"2.00"_s);
    const Rows rows = review::profitDetailRows(saleOf({ { 4, line } }));
    QCOMPARE(rows.size(), 1);
    // List1 … List10: texts as the line holds them, then cost and profit
    QCOMPARE(rows.first(),
             (QStringList { u"阿莫西林"_s, u"华北制药"_s, u"10"_s, u"2.5"_s, u"25.00"_s, u"0.25g*24"_s, u"盒"_s,
                            u"2.00"_s, u"20"_s, u"5"_s }));
}

void TestProfit::totalCost_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<QString>("cost");
    QTest::newRow("25 less 5") << u"25"_s << u"5"_s << u"20"_s;
    QTest::newRow("negative profit") << u"27"_s << u"-3"_s << u"30"_s;
    QTest::newRow("fractions") << u"12.3"_s << u"2.7"_s << u"9.6"_s;
    QTest::newRow("empty sale") << u"0"_s << u"0"_s << u"0"_s;
    // in binary the difference would show as 0.100000000093132
    QTest::newRow("cancelling digits") << u"1000000.1"_s << u"1000000"_s << u"0.1"_s;
}

void TestProfit::totalCost()
{
    QFETCH(QString, total);
    QFETCH(QString, profit);
    QFETCH(QString, cost);
    QCOMPARE(review::totalCostText(total, profit), cost);
}

QTEST_GUILESS_MAIN(TestProfit)
#include "test_profit.moc"
