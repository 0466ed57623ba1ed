#include "sales_fixture.h"
#include "statistics/sale_history.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statistics::SaleHistory;
using statisticstests::Sale;
using Step = statistics::SaleHistory::Step;

namespace {

Sale line(const QString& medicine, const QString& day)
{
    Sale s;
    s.medicine = medicine;
    s.day = day;
    return s;
}

} // namespace

class TestSaleHistory final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saleDateText_data();
    void saleDateText();
    void showsTheStoredLine();
    void browsingOneLine();
    void findsAmongOneMedicine();
    void searchIgnoresLetterCase();
    void failedChoiceLeavesNoUnit_data();
    void failedChoiceLeavesNoUnit();
    void findsDoNothingBeforeASearch();

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestSaleHistory::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
}

void TestSaleHistory::cleanup()
{
    m_scratch.reset();
}

void TestSaleHistory::saleDateText_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("text");

    QTest::newRow("stored form") << u" 2003"_s << u" 5"_s << u" 7"_s << u"2003/5/7"_s;
    QTest::newRow("two-digit month") << u" 2003"_s << u" 12"_s << u" 1"_s << u"2003/12/1"_s;
    QTest::newRow("without spaces") << u"2004"_s << u"1"_s << u"31"_s << u"2004/1/31"_s;
    QTest::newRow("no numbers") << QString() << u"x"_s << u" "_s << u"0/0/0"_s;
}

void TestSaleHistory::saleDateText()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, text);

    QCOMPARE(statistics::saleDateText(year, month, day), text);
}

void TestSaleHistory::showsTheStoredLine()
{
    Sale stored;
    stored.month = u" 12"_s;
    stored.day = u" 1"_s;
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s, { stored });

    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));
    QCOMPARE(history.line(),
             (statistics::SaleLine { u"阿莫西林"_s, u"华北制药"_s, u"0.25g*24"_s, u"盒"_s, u"5"_s, u"2.50"_s,
                                     u"2003/12/1"_s }));
}

void TestSaleHistory::browsingOneLine()
{
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s, { Sale() });
    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));
    QVERIFY(history.previousEnabled() && history.nextEnabled());

    QCOMPARE(history.previous(), Step::AtFirst);
    QVERIFY(!history.previousEnabled());
    QCOMPARE(history.next(), Step::AtLast);
    QVERIFY(!history.nextEnabled());
    QCOMPARE(history.line().medicine, u"阿莫西林"_s);
}

void TestSaleHistory::findsAmongOneMedicine()
{
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s),
                                  line(u"阿莫西林"_s, u" 3"_s), line(u"维生素C"_s, u" 4"_s),
                                  line(u"阿莫西林"_s, u" 5"_s) });
    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));

    QCOMPARE(history.search(u"维生素C"_s), SaleHistory::Search::Found);
    QCOMPARE(history.line().date, u"2003/5/2"_s);
    QVERIFY(history.findLast());
    QCOMPARE(history.line().date, u"2003/5/4"_s);
    // No further match: the last one stays.
    QVERIFY(history.findNext());
    QCOMPARE(history.line().date, u"2003/5/4"_s);
    QVERIFY(history.findPrevious());
    QCOMPARE(history.line().date, u"2003/5/2"_s);
    QVERIFY(history.findPrevious());
    QCOMPARE(history.line().date, u"2003/5/2"_s);
    QVERIFY(history.findLast());
    QVERIFY(history.findFirst());
    QCOMPARE(history.line().date, u"2003/5/2"_s);

    QCOMPARE(history.search(u"葡萄糖"_s), SaleHistory::Search::NotFound);
    QCOMPARE(history.line().date, u"2003/5/2"_s);

    // Back to browsing starts again at the first line, whatever the finds moved to.
    QCOMPARE(history.first(), Step::Moved);
    QCOMPARE(history.line().date, u"2003/5/1"_s);
    QCOMPARE(history.next(), Step::Moved);
    QCOMPARE(history.line().date, u"2003/5/2"_s);
}

void TestSaleHistory::searchIgnoresLetterCase()
{
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"Vitamin C"_s, u" 2"_s) });
    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));

    QCOMPARE(history.search(u"VITAMIN c"_s), SaleHistory::Search::Found);
    QCOMPARE(history.line().medicine, u"Vitamin C"_s);
}

void TestSaleHistory::failedChoiceLeavesNoUnit_data()
{
    QTest::addColumn<QString>("unit");

    QTest::newRow("missing table") << u"无表单位"_s;
    QTest::newRow("empty table") << u"康泰药房"_s;
    QTest::newRow("no table name") << u"仁和诊所\" --"_s;
}

void TestSaleHistory::failedChoiceLeavesNoUnit()
{
    QFETCH(QString, unit);

    statisticstests::registerUnit(*m_scratch, u"康泰药房"_s);
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"阿莫西林"_s, u" 2"_s) });
    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));
    QCOMPARE(history.search(u"阿莫西林"_s), SaleHistory::Search::Found);

    QVERIFY(!history.chooseUnit(unit));
    QVERIFY(!history.hasUnit());
    QCOMPARE(history.line(), statistics::SaleLine());
    for (const auto move : { &SaleHistory::first, &SaleHistory::previous, &SaleHistory::next, &SaleHistory::last })
        QCOMPARE((history.*move)(), Step::Failed);
    for (const auto find :
         { &SaleHistory::findFirst, &SaleHistory::findPrevious, &SaleHistory::findNext, &SaleHistory::findLast })
        QVERIFY(!(history.*find)());
    QCOMPARE(history.search(u"阿莫西林"_s), SaleHistory::Search::NoUnit);

    // A good choice afterwards starts at its first line.
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));
    QCOMPARE(history.line().date, u"2003/5/1"_s);
}

void TestSaleHistory::findsDoNothingBeforeASearch()
{
    statisticstests::storeSales(*m_scratch, u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"阿莫西林"_s, u" 2"_s) });
    SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(u"仁和诊所"_s));
    QCOMPARE(history.next(), Step::Moved);

    for (const auto find :
         { &SaleHistory::findFirst, &SaleHistory::findPrevious, &SaleHistory::findNext, &SaleHistory::findLast })
        QVERIFY(!(history.*find)());
    QCOMPARE(history.line().date, u"2003/5/2"_s);
}

QTEST_GUILESS_MAIN(TestSaleHistory)
#include "test_sale_history.moc"
