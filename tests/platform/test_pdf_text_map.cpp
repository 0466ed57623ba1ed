#include "platform/pdf_text_map.h"

#include <QTest>

class TestPdfTextMap final : public QObject
{
    Q_OBJECT

private slots:
    void mends_data();
    void mends();
};

void TestPdfTextMap::mends_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("mended");

    QTest::newRow("range with a list") << QByteArray("2 beginbfrange\n<0001> <0003> [<2F5A> <5242> <2F63>]\nendbfrange")
                                       << QByteArray(
                                              "2 beginbfrange\n<0001> <0003> [<7247> <5242> <751F>]\nendbfrange");
    QTest::newRow("range of one") << QByteArray("1 beginbfrange\n<0004> <0004> <2F1A>\nendbfrange")
                                  << QByteArray("1 beginbfrange\n<0004> <0004> <5382>\nendbfrange");
    QTest::newRow("single glyph") << QByteArray("1 beginbfchar\n<0005> <2F47>\nendbfchar")
                                  << QByteArray("1 beginbfchar\n<0005> <65E5>\nendbfchar");
    // glyph numbers are not codes, even when they fall among the radicals
    QTest::newRow("glyph number like a radical") << QByteArray("1 beginbfrange\n<2F5A> <2F5A> <0041>\nendbfrange")
                                                 << QByteArray("1 beginbfrange\n<2F5A> <2F5A> <0041>\nendbfrange");
    QTest::newRow("outside a map") << QByteArray("stream <2F5A> endstream") << QByteArray("stream <2F5A> endstream");
    QTest::newRow("map never closed") << QByteArray("beginbfchar\n<0005> <2F47>\n")
                                      << QByteArray("beginbfchar\n<0005> <2F47>\n");
}

void TestPdfTextMap::mends()
{
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, mended);
    QCOMPARE(platform::unifyRadicalsInTextMaps(written), mended);
}

QTEST_MAIN(TestPdfTextMap)
#include "test_pdf_text_map.moc"
