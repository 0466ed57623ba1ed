#include "platform/pdf_text_map.h"

#include <QFont>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using platform::GlyphRenames;

class TestPdfTextMap final : public QObject
{
    Q_OBJECT

private slots:
    void renamesOfDrawnText_data();
    void renamesOfDrawnText();
    void renamesInMaps_data();
    void renamesInMaps();
};

void TestPdfTextMap::renamesOfDrawnText_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<GlyphRenames>("renames");

    // radicals share the glyphs of characters printed on every slip, and the tab the glyph of the space
    const GlyphRenames slipWords { { 0x2F5A, u'片' }, { 0x2EDA, u'页' }, { 0x2EE9, u'黄' }, { 0x2F3E, u'户' } };
    GlyphRenames withSpace = slipWords;
    withSpace.insert(0x2F29, u'小');
    withSpace.insert(u'\t', u' ');
    QTest::newRow("body font") << u"Noto Serif CJK SC"_s << u"片剂区 本页小计 黄联 客户"_s << withSpace;
    QTest::newRow("title font") << u"Noto Sans CJK SC"_s << u"片户页黄"_s << slipWords;
    QTest::newRow("glyphs of their own") << u"Noto Serif CJK SC"_s << u"阿莫西林XH00000000001Q12.50"_s
                                         << GlyphRenames {};
    // the traditional twin of 户 has a glyph of its own
    QTest::newRow("traditional twin") << u"Noto Serif CJK SC"_s << u"戶"_s << GlyphRenames {};
}

void TestPdfTextMap::renamesOfDrawnText()
{
    QFETCH(QString, family);
    QFETCH(QString, drawn);
    QFETCH(GlyphRenames, renames);
    QFont font(family);
    font.setPixelSize(20);
    GlyphRenames found;
    platform::addSharedGlyphRenames(found, font, drawn);
    QCOMPARE(found, renames);
}

void TestPdfTextMap::renamesInMaps_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("mended");

    QTest::newRow("range with a list") << QByteArray("2 beginbfrange\n<0001> <0003> [<2F5A> <5242> <2F3E>]\nendbfrange")
                                       << QByteArray(
                                              "2 beginbfrange\n<0001> <0003> [<7247> <5242> <6237>]\nendbfrange");
    QTest::newRow("range of one") << QByteArray("1 beginbfrange\n<0004> <0004> <2EDA>\nendbfrange")
                                  << QByteArray("1 beginbfrange\n<0004> <0004> <9875>\nendbfrange");
    QTest::newRow("single glyph") << QByteArray("1 beginbfchar\n<0005> <2EE9>\nendbfchar")
                                  << QByteArray("1 beginbfchar\n<0005> <9EC4>\nendbfchar");
    // glyph numbers are not codes, even when they look like one that is renamed
    QTest::newRow("glyph number like a code") << QByteArray("1 beginbfrange\n<2F5A> <2F5A> <0041>\nendbfrange")
                                              << QByteArray("1 beginbfrange\n<2F5A> <2F5A> <0041>\nendbfrange");
    QTest::newRow("outside a map") << QByteArray("stream <2F5A> endstream") << QByteArray("stream <2F5A> endstream");
    QTest::newRow("map never closed") << QByteArray("beginbfchar\n<0005> <2F5A>\n")
                                      << QByteArray("beginbfchar\n<0005> <2F5A>\n");
}

void TestPdfTextMap::renamesInMaps()
{
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, mended);
    const GlyphRenames renames { { 0x2F5A, 0x7247 }, { 0x2EDA, 0x9875 }, { 0x2EE9, 0x9EC4 }, { 0x2F3E, 0x6237 } };
    QCOMPARE(platform::renameTextMapCodes(written, renames), mended);
}

QTEST_MAIN(TestPdfTextMap)
#include "test_pdf_text_map.moc"
