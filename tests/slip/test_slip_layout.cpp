#include "page_replay.h"
#include "slip/slip_composition.h"
#include "slip/slip_layout.h"
#include "slip/slip_painting.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtMath>

using namespace Qt::Literals::StringLiterals;
using slip::SlipPage;
using testsupport::replay;

namespace {

// "within a few points": three points
constexpr double tolerance = 60;
// 宋体 and 黑体 rise 859/1000 em above the baseline: a text whose top is at y has its baseline that far below y
constexpr double designAscent = 0.859;

/** A page whose every value is a text of its own, so that each can be found where it was drawn. */
SlipPage samplePage()
{
    SlipPage page;
    page.header = { u"仁和医药  销售(出库复核)清单"_s,
                    u"同济医院"_s,
                    u"2004"_s,
                    u"06"_s,
                    u"05"_s,
                    u"张三"_s,
                    u"XH00000000042Q"_s,
                    u"27"_s,
                    u"壹佰贰拾叁元整"_s,
                    u"123.00"_s,
                    u"3"_s };
    page.zone = u"片剂区"_s;
    for (int r = 0; r < slip::rowsPerPage; ++r) {
        const QString n = QString::number(r + 1);
        page.rows[static_cast<size_t>(r)] = { u"品名"_s + n, u"厂家"_s + n, u"规格"_s + n, u"1"_s + n,  u"盒"_s + n,
                                              u"2.0"_s + n,  u"3.0"_s + n,  u"批"_s + n,   u"期"_s + n, u"合格"_s };
    }
    page.subtotal = u".50"_s;
    page.pageNumber = u"2/3"_s;
    return page;
}

const slip::SlipLayout& layoutNamed(const QString& name)
{
    return name == u"dy"_s ? slip::storedLayout() : slip::notStoredLayout();
}

/** The page drawn on white paper, `dotsPerInch` pixels to the inch (1440 twips). */
QImage rendered(const slip::SlipLayout& layout, const SlipPage& page, int dotsPerInch)
{
    const double scale = dotsPerInch / 1440.0;
    QImage image(qCeil(layout.width * scale), qCeil(layout.height * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, slip::slipPicture(layout, page));
    return image;
}

void addLayoutRows()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("dy") << u"dy"_s;
    QTest::newRow("dy1") << u"dy1"_s;
}

bool inked(const QImage& image, int x, int y)
{
    return image.pixel(x, y) != qRgb(255, 255, 255);
}

int inkIn(const QImage& image, const QRect& box)
{
    int ink = 0;
    for (int y = qMax(0, box.top()); y <= qMin(image.height() - 1, box.bottom()); ++y) {
        for (int x = qMax(0, box.left()); x <= qMin(image.width() - 1, box.right()); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++ink;
        }
    }
    return ink;
}

} // namespace

class TestSlipLayout final : public QObject
{
    Q_OBJECT

private slots:
    void textsInPlace_data();
    void textsInPlace();
    void wideTextsNarrowedIntoTheirField_data();
    void wideTextsNarrowedIntoTheirField();
    void rules_data();
    void rules();
    void textsClearOfRules_data();
    void textsClearOfRules();
    void glyphsWhole_data();
    void glyphsWhole();
    void inkOnPaper();
};

void TestSlipLayout::textsInPlace_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("anchor"); // which edge x gives: left, centre, right; "absent": not drawn
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("size");
    // how far below its place the text may stand: the title, at the very top, only as far as keeps it on the paper
    QTest::addColumn<int>("lowered");

    const auto row = [](const char* name, const QString& layout, const QString& text, const QString& anchor, int x,
                        int y, int size = 195, int lowered = 0) {
        QTest::newRow(name) << layout << text << anchor << x << y << size << lowered;
    };
    const QString dy = u"dy"_s;
    const QString dy1 = u"dy1"_s;
    const QString absent = u"absent"_s;
    row("dy title", dy, u"仁和医药  销售(出库复核)清单"_s, u"centre"_s, 85 + 11190 / 2, -10, 315, 30);
    row("dy zone", dy, u"片剂区"_s, u"left"_s, 895, 455);
    row("dy telephone", dy, u"咨询电话：0571-87650001"_s, u"left"_s, 8740, 460, 180);
    row("dy buyer", dy, u"同济医院"_s, u"left"_s, 895, 740);
    row("dy year", dy, u"2004"_s, u"left"_s, 5590, 740);
    row("dy day", dy, u"05"_s, u"left"_s, 6450, 740);
    row("dy clerk", dy, u"张三"_s, u"left"_s, 7555, 740);
    row("dy sales number", dy, u"XH00000000042Q"_s, u"right"_s, 9535 + 1470, 740);
    row("dy heading 规 格", dy, u"规 格"_s, u"left"_s, 4330, 1100);
    row("dy name row 1", dy, u"品名1"_s, u"left"_s, 40, 1370);
    row("dy maker row 2", dy, u"厂家2"_s, u"left"_s, 1960, 1655);
    row("dy quantity row 3", dy, u"13"_s, u"right"_s, 5650, 1955);
    row("dy unit row 4", dy, u"盒4"_s, u"centre"_s, 5770 + 240, 2240);
    row("dy unit price row 5", dy, u"2.05"_s, u"right"_s, 6270 + 795, 2525);
    row("dy amount row 6", dy, u"3.06"_s, u"right"_s, 7150 + 990, 2825);
    row("dy batch row 7", dy, u"批7"_s, u"left"_s, 8210, 3110);
    row("dy expiry row 8", dy, u"期8"_s, u"left"_s, 9410, 3395);
    row("dy subtotal", dy, u".50"_s, u"left"_s, 970, 3725);
    row("dy line count", dy, u"27"_s, u"left"_s, 3610, 3725);
    row("dy total in words", dy, u"壹佰贰拾叁元整"_s, u"left"_s, 6730, 3725);
    row("dy total", dy, u"123.00"_s, u"right"_s, 10930, 3725);
    row("dy copies line", dy,
        u"白联:存根   红联:客户   蓝联:发货   绿联:复核   黄联:随货同行      [售出药品,若非质量问题,"_s, u"left"_s, 130,
        4040);
    row("dy brand", dy, u"《Sorvik》软件"_s, u"left"_s, 9490, 4040);
    row("dy receiver", dy, u"收货人:"_s, u"left"_s, 4810, 4310);
    row("dy invoicing", dy, u"开 票:"_s, u"left"_s, 6010, 4310);
    row("dy bookkeeping", dy, u"记 帐:"_s, u"left"_s, 7090, 4310);
    row("dy sentence end", dy, u"概不退货,请慎重选择!]"_s, u"left"_s, 8170, 4310);
    row("dy page number", dy, u"2/3"_s, u"right"_s, 10810, 4390, 180);
    row("dy no second telephone", dy, u"电话：0571-87650002"_s, absent, 0, 0);

    row("dy1 title", dy1, u"仁和医药  销售(出库复核)清单"_s, u"centre"_s, 85 + 11190 / 2, -10, 315, 30);
    row("dy1 name row 1", dy1, u"品名1"_s, u"left"_s, 40, 1370);
    row("dy1 heading 规  格", dy1, u"规  格"_s, u"left"_s, 4330, 1100);
    row("dy1 heading 金  额", dy1, u"金  额"_s, u"left"_s, 7370, 1100);
    row("dy1 total in words", dy1, u"壹佰贰拾叁元整"_s, u"left"_s, 6610, 3725);
    row("dy1 copies line", dy1, u"红联:财务  蓝联:发货  绿联:复核  黄联:随货同行   [售出药品,若非质量问题,"_s,
        u"left"_s, 205, 4040);
    row("dy1 brand", dy1, u"《Sorvik》软件"_s, u"left"_s, 7570, 4040);
    row("dy1 second telephone", dy1, u"电话：0571-87650002"_s, u"left"_s, 9200, 4040, 180);
    row("dy1 seal", dy1, u"单位盖章："_s, u"left"_s, 130, 4310);
    row("dy1 receiver", dy1, u"收货人:"_s, u"left"_s, 4570, 4310);
    row("dy1 invoicing", dy1, u"开票:"_s, u"left"_s, 5530, 4310);
    row("dy1 sentence end", dy1, u"概不退货。请慎重选择！"_s, u"left"_s, 6250, 4310);
    row("dy1 no bookkeeping", dy1, u"记 帐:"_s, absent, 0, 0);
    row("dy1 no stored sentence end", dy1, u"概不退货,请慎重选择!]"_s, absent, 0, 0);
    row("dy1 page number", dy1, u"2/3"_s, u"right"_s, 10810, 4390, 180);
}

void TestSlipLayout::textsInPlace()
{
    QFETCH(QString, layout);
    QFETCH(QString, text);
    QFETCH(QString, anchor);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, size);
    QFETCH(int, lowered);

    const testsupport::DrawnPage drawn = replay(slip::slipPicture(layoutNamed(layout), samplePage()));
    const testsupport::DrawnText* found = drawn.find(text);
    if (anchor == u"absent"_s) {
        QVERIFY(!found);
        return;
    }
    QVERIFY2(found, qPrintable(text));
    const QRectF& box = found->box;
    const double edge = anchor == u"left"_s ? box.left() : anchor == u"right"_s ? box.right() : box.center().x();
    QVERIFY2(qAbs(edge - x) <= tolerance, qPrintable(u"%1 at x %2"_s.arg(anchor).arg(edge)));
    const double baseline = y + designAscent * size;
    QVERIFY2(found->baseline >= baseline - 1 && found->baseline <= baseline + lowered + 1,
             qPrintable(u"baseline at %1, not %2"_s.arg(found->baseline).arg(baseline)));
    QCOMPARE(found->pixelSize, size);
    QCOMPARE(found->family, size == 315 ? u"Noto Sans CJK SC"_s : u"Noto Serif CJK SC"_s);
}

void TestSlipLayout::wideTextsNarrowedIntoTheirField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("sales number") << u"Label14"_s << u"XH00000000042Q"_s << 9535 << 9535 + 1470;
    QTest::newRow("packing size") << u"gg1"_s << u"0.25g*24粒"_s << 4120 << 4120 + 915;
    QTest::newRow("long name") << u"ypm1"_s << u"复方甘草酸苷胶囊一二三"_s << 40 << 40 + 1875;
}

void TestSlipLayout::wideTextsNarrowedIntoTheirField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(int, right);
    SlipPage page = samplePage();
    if (field == u"Label14"_s)
        page.header.salesNumber = text;
    else if (field == u"gg1"_s)
        page.rows[0].spec = text;
    else
        page.rows[0].name = text;

    const testsupport::DrawnPage drawn = replay(slip::slipPicture(slip::storedLayout(), page));
    const testsupport::DrawnText* found = drawn.find(text);
    QVERIFY(found);
    QVERIFY2(found->box.left() >= left - 1 && found->box.right() <= right + 1,
             qPrintable(u"from %1 to %2"_s.arg(found->box.left()).arg(found->box.right())));
}

void TestSlipLayout::rules_data()
{
    addLayoutRows();
}

void TestSlipLayout::rules()
{
    QFETCH(QString, layout);
    QList<QLineF> expected;
    for (const int y : { 1010, 1030, 1320, 1610, 1900, 2190, 2480, 2770, 3060, 3350, 3650, 4010 })
        expected << QLineF(10, y, 11050, y);
    for (const int x : { 10, 11050 })
        expected << QLineF(x, 1030, x, 4010);
    for (const int x : { 1930, 4090, 5050, 5770, 6250, 7090, 8170, 9370, 10330 })
        expected << QLineF(x, 1010, x, 3650);

    QList<QLineF> drawn = replay(slip::slipPicture(layoutNamed(layout), samplePage())).lines;
    const auto order = [](const QLineF& a, const QLineF& b) {
        return std::tuple(a.x1(), a.y1(), a.x2(), a.y2()) < std::tuple(b.x1(), b.y1(), b.x2(), b.y2());
    };
    std::sort(expected.begin(), expected.end(), order);
    std::sort(drawn.begin(), drawn.end(), order);
    QCOMPARE(drawn, expected);
}

void TestSlipLayout::textsClearOfRules_data()
{
    addLayoutRows();
}

void TestSlipLayout::textsClearOfRules()
{
    // at a printer's 300 dpi, where a text drawn from the top of a taller line than the stationery's sits on a rule
    QFETCH(QString, layout);
    slip::SlipLayout rulesAlone = layoutNamed(layout);
    rulesAlone.texts.clear();
    slip::SlipLayout textsAlone = layoutNamed(layout);
    textsAlone.rules.clear();
    SlipPage page = samplePage();
    page.rows[0].spec = u"0.25g*24粒"_s; // narrowed into its field, and reaching below the baseline
    page.rows[7].batchNo = u"gypq"_s;
    const QImage rules = rendered(rulesAlone, page, 300);
    const QImage texts = rendered(textsAlone, page, 300);

    int ruleRows = 0;
    QStringList touching;
    for (int y = 0; y < rules.height(); ++y) {
        QList<int> inkedXs;
        for (int x = 0; x < rules.width(); ++x) {
            if (inked(rules, x, y))
                inkedXs << x;
        }
        if (inkedXs.size() < rules.width() / 2)
            continue; // a vertical rule's pixels, or none
        ++ruleRows;
        for (int textY = qMax(0, y - 1); textY <= qMin(texts.height() - 1, y + 1); ++textY) {
            for (const int x : inkedXs) {
                if (inked(texts, x, textY))
                    touching << u"(%1, %2) by the rule at pixel row %3"_s.arg(x).arg(textY).arg(y);
            }
        }
    }
    QVERIFY(ruleRows >= 12); // each horizontal rule found
    QVERIFY2(touching.isEmpty(),
             qPrintable(u"%1 pixels of text touch a rule, the first at "_s.arg(touching.size())
                        + touching.mid(0, 3).join(u", "_s)));
}

void TestSlipLayout::glyphsWhole_data()
{
    addLayoutRows();
}

void TestSlipLayout::glyphsWhole()
{
    // A field cuts a text too wide for it at its sides, but no glyph loses its top or bottom, to the field or to the
    // edge of the paper.
    QFETCH(QString, layout);
    SlipPage page = samplePage();
    page.header.title = u"仁和医药（东城）有限公司"_s.repeated(5) + u"  销售(出库复核)清单"_s;
    page.rows[0].name = u"非常非常非常非常非常非常长的药品名称"_s;
    page.rows[7].batchNo = u"gypq-gypq-gypq-gypq"_s;
    const testsupport::DrawnPage drawn = replay(slip::slipPicture(layoutNamed(layout), page));
    QStringList clipped;
    for (const testsupport::DrawnText& text : drawn.texts) {
        const QString where = u"%1: glyphs from %2 to %3"_s.arg(text.text).arg(text.ink.top()).arg(text.ink.bottom());
        QVERIFY2(text.ink.top() > 0 && text.ink.bottom() < layoutNamed(layout).height, qPrintable(where));
        if (text.clip.isNull())
            continue;
        clipped << text.text;
        QVERIFY2(text.clip.top() <= text.ink.top() && text.ink.bottom() <= text.clip.bottom(),
                 qPrintable(where + u", clipped from %1 to %2"_s.arg(text.clip.top()).arg(text.clip.bottom())));
    }
    QCOMPARE(clipped, QStringList({ page.header.title, page.rows[0].name, page.rows[7].batchNo }));
}

void TestSlipLayout::inkOnPaper()
{
    // drawn as the print window shows it, one pixel for fifteen twips
    const auto render = [](const SlipPage& page) {
        return rendered(slip::storedLayout(), page, 96);
    };
    const auto pixels = [](int x, int y, int width, int height) {
        return QRect(x / 15, y / 15, width / 15, height / 15);
    };
    const QRect titleBox = pixels(3000, 0, 5000, 400);
    const QRect nameBox = pixels(60, 1380, 1850, 220); // between the rules of row 1
    const QRect makerBox = pixels(1960, 1380, 2110, 220);
    const QRect pageNumberBox = pixels(10450, 4390, 360, 250);

    SlipPage page = samplePage();
    page.rows[0].name = u"非常非常非常非常非常长的药品名称"_s;
    page.rows[0].maker.clear();
    const QImage printed = render(page);
    QVERIFY(inkIn(printed, titleBox) > 0);
    QVERIFY(inkIn(printed, nameBox) > 0);
    QVERIFY(inkIn(printed, pageNumberBox) > 0);
    QCOMPARE(inkIn(printed, makerBox), 0); // a long name is cut at its column

    const QImage blank = render(SlipPage {});
    QCOMPARE(inkIn(blank, titleBox), 0);
    QCOMPARE(inkIn(blank, nameBox), 0);
    QCOMPARE(inkIn(blank, pageNumberBox), 0);
}

QTEST_MAIN(TestSlipLayout)
#include "test_slip_layout.moc"
