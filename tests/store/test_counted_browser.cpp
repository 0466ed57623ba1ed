#include "store/bound_recordset.h"
#include "store/counted_browser.h"
#include "support/scratch_database.h"

#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using store::BoundRecordset;
using store::CountedBrowser;
using Step = store::CountedBrowser::Step;

namespace {

const QString table = u"药品"_s;
const QString name = u"名称"_s;

} // namespace

class TestCountedBrowser final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyTableDoesNotStart();
    void singleRecordStopsAtBothEnds();
    void threeRecords();
    void removalLowersCount();
    void countIsCappedAt16Bits();

private:
    void fill(int count);

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestCountedBrowser::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>();
}

void TestCountedBrowser::cleanup()
{
    m_scratch.reset();
}

void TestCountedBrowser::fill(int count)
{
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows << QStringList { u"药%1"_s.arg(i) };
    m_scratch->createTable(table, { name }, rows);
}

void TestCountedBrowser::emptyTableDoesNotStart()
{
    fill(0);
    BoundRecordset source(m_scratch->db(), table);
    CountedBrowser browser(source);
    QVERIFY(!browser.start());
    QCOMPARE(browser.count(), qint16(0));
}

void TestCountedBrowser::singleRecordStopsAtBothEnds()
{
    fill(1);
    BoundRecordset source(m_scratch->db(), table);
    CountedBrowser browser(source);
    QVERIFY(browser.start());
    QCOMPARE(browser.count(), qint16(1));
    QCOMPARE(browser.position(), qint16(1));

    QCOMPARE(browser.previous(), Step::AtFirst);
    QVERIFY(!browser.previousEnabled());
    QVERIFY(browser.nextEnabled());
    QCOMPARE(browser.next(), Step::AtLast);
    QVERIFY(!browser.nextEnabled());
    QVERIFY(!browser.previousEnabled());
    QCOMPARE(source.value(name), u"药1"_s);
    QCOMPARE(browser.position(), qint16(1));
}

void TestCountedBrowser::threeRecords()
{
    fill(3);
    BoundRecordset source(m_scratch->db(), table);
    CountedBrowser browser(source);
    QVERIFY(browser.start());
    QCOMPARE(browser.count(), qint16(3));

    QCOMPARE(browser.next(), Step::Moved);
    QCOMPARE(browser.next(), Step::Moved);
    QCOMPARE(source.value(name), u"药3"_s);
    QCOMPARE(browser.position(), qint16(3));
    QCOMPARE(browser.next(), Step::AtLast);
    QCOMPARE(source.value(name), u"药3"_s);
    QVERIFY(!browser.nextEnabled());

    QCOMPARE(browser.previous(), Step::Moved);
    QVERIFY(browser.nextEnabled());
    QCOMPARE(source.value(name), u"药2"_s);

    QCOMPARE(browser.first(), Step::Moved);
    QCOMPARE(browser.position(), qint16(1));
    QVERIFY(!browser.previousEnabled());
    QVERIFY(browser.nextEnabled());
    QCOMPARE(browser.previous(), Step::AtFirst);
    QCOMPARE(source.value(name), u"药1"_s);

    QCOMPARE(browser.last(), Step::Moved);
    QCOMPARE(browser.position(), qint16(3));
    QCOMPARE(source.value(name), u"药3"_s);
    QVERIFY(browser.previousEnabled());
    QVERIFY(!browser.nextEnabled());
}

void TestCountedBrowser::removalLowersCount()
{
    fill(2);
    BoundRecordset source(m_scratch->db(), table);
    CountedBrowser browser(source);
    QVERIFY(browser.start());
    QCOMPARE(browser.next(), Step::Moved);
    QCOMPARE(browser.next(), Step::AtLast);

    QVERIFY(source.remove());
    QCOMPARE(browser.removed(), Step::Moved);
    QCOMPARE(browser.count(), qint16(1));
    QCOMPARE(browser.position(), qint16(1));
    QCOMPARE(source.value(name), u"药1"_s);
    QVERIFY(!browser.nextEnabled());
    QCOMPARE(browser.next(), Step::AtLast);

    QVERIFY(source.remove());
    QCOMPARE(browser.removed(), Step::Failed);
    QCOMPARE(browser.count(), qint16(0));
}

// A 16-bit count would turn negative past 32767 records; browsing stops at the 32767th instead.
void TestCountedBrowser::countIsCappedAt16Bits()
{
    fill(0);
    platform::Transaction transaction(m_scratch->db());
    QVERIFY(m_scratch->db().exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32770) "
                                 u"INSERT INTO \"药品\" (\"名称\") SELECT ? || i FROM n"_s,
                                 { u"药"_s }));
    QVERIFY(transaction.commit());

    BoundRecordset source(m_scratch->db(), table);
    CountedBrowser browser(source);
    QVERIFY(browser.start());
    QCOMPARE(browser.count(), qint16(32767));
    QCOMPARE(browser.last(), Step::Moved);
    QCOMPARE(browser.position(), qint16(32767));
    QCOMPARE(source.value(name), u"药32767"_s);
    QCOMPARE(browser.next(), Step::AtLast);
    QCOMPARE(browser.previous(), Step::Moved);
    QCOMPARE(source.value(name), u"药32766"_s);
}

QTEST_GUILESS_MAIN(TestCountedBrowser)
#include "test_counted_browser.moc"
