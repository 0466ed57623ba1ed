#include "slip/pages.h"

#include <QTest>

class TestPages final : public QObject
{
    Q_OBJECT

private slots:
    void pagesForLines_data();
    void pagesForLines();
};

void TestPages::pagesForLines_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("a full page") << 8 << 1;
    QTest::newRow("one over") << 9 << 2;
    QTest::newRow("two full pages") << 16 << 2;
    QTest::newRow("a whole sale") << 1000 << 125;
}

void TestPages::pagesForLines()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QCOMPARE(slip::PagesForLines(static_cast<qint16>(lines)), pages);
}

QTEST_APPLESS_MAIN(TestPages)
#include "test_pages.moc"
