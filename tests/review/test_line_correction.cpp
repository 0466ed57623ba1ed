#include "review/line_correction.h"
#include "review_fixture.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using reviewtests::saleLine;
using transaction::Line;
using transaction::WorkingSet;

namespace {

using Lines = QList<std::pair<int, Line>>;

WorkingSet saleOf(const Lines& lines)
{
    WorkingSet set;
    for (const auto& [number, line] : lines)
        set.TransactionLines[static_cast<size_t>(number)] = line;
    return set;
}

Line named(const QString& name)
{
    return saleLine(name, u"1"_s, u"2.00"_s, u"2.00"_s);
}

} // namespace

class TestLineCorrection final : public QObject
{
    Q_OBJECT

private slots:
    void listedLines_data();
    void listedLines();
    void lineShownAs_data();
    void lineShownAs();
    void correctLine_data();
    void correctLine();
    void correctionOutsideTheLinesDoesNothing_data();
    void correctionOutsideTheLinesDoesNothing();
    void rowAfterCorrection_data();
    void rowAfterCorrection();
};

void TestLineCorrection::listedLines_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QList<int>>("listed");

    QTest::newRow("empty sale lists line 1") << Lines {} << QList<int> { 1 };
    QTest::newRow("lines 1, 2 and 5") << Lines { { 1, named(u"甲"_s) }, { 2, named(u"乙"_s) }, { 5, named(u"丙"_s) } }
                                      << QList<int> { 1, 2, 5 };
    QTest::newRow("unnamed line 1 still listed") << Lines { { 3, named(u"丙"_s) } } << QList<int> { 1, 3 };
    Line quantityOnly;
    quantityOnly.quantity = u"4"_s;
    QTest::newRow("line without a name skipped")
        << Lines { { 1, named(u"甲"_s) }, { 2, quantityOnly } } << QList<int> { 1 };
    QTest::newRow("line 1000") << Lines { { 1000, named(u"末"_s) } } << QList<int> { 1, 1000 };
}

void TestLineCorrection::listedLines()
{
    QFETCH(Lines, lines);
    QFETCH(QList<int>, listed);
    QCOMPARE(review::listedLines(saleOf(lines)), listed);
}

void TestLineCorrection::lineShownAs_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("line"); // 0: none

    const Line a = named(u"甲"_s);
    const Line b = named(u"乙"_s);
    QTest::newRow("the line showing the texts") << Lines { { 1, a }, { 4, b } } << review::shownFields(b) << 4;
    QTest::newRow("identical lines: the last") << Lines { { 1, a }, { 2, b }, { 7, b } } << review::shownFields(b) << 7;
    QTest::newRow("empty line 1 is no target") << Lines { { 3, b } } << review::shownFields(Line {}) << 0;
    Line changed = b;
    changed.quantity = u"9"_s;
    QTest::newRow("sale changed since listed") << Lines { { 1, a }, { 2, changed } } << review::shownFields(b) << 0;
    QTest::newRow("purchase price not compared")
        << Lines { { 1, saleLine(u"甲"_s, u"1"_s, u"2.00"_s, u"2.00"_s, u"1.10"_s) } } << review::shownFields(a) << 1;
    QTest::newRow("too few texts") << Lines { { 1, a } } << review::shownFields(a).mid(0, 9) << 0;
}

void TestLineCorrection::lineShownAs()
{
    QFETCH(Lines, lines);
    QFETCH(QStringList, texts);
    QFETCH(int, line);
    QCOMPARE(review::lineShownAs(saleOf(lines), texts).value_or(0), line);
}

void TestLineCorrection::correctLine_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("inWords");
    QTest::addColumn<int>("typedLines");
    QTest::addColumn<int>("slipPages");

    const Line tablets = saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2"_s);
    const Line injection = saleLine(u"葡萄糖注射液"_s, u"1"_s, u"5.00"_s, u"5.00"_s, u"2"_s, u"针剂"_s);

    QStringList twelve = review::shownFields(tablets);
    twelve[2] = u"12"_s;
    twelve[4] = u"30.00"_s;
    QTest::newRow("quantity 10 to 12 at 2.50")
        << Lines { { 1, tablets }, { 3, injection } } << 1 << twelve << 35.0 << u"叁拾伍元整"_s << 2 << 2;

    // eight tablet and eight injection lines fill one page each; a ninth injection line needs a second page
    Lines sixteen;
    for (int i = 1; i <= 8; ++i)
        sixteen << std::pair { i, tablets } << std::pair { 8 + i, injection };
    QStringList retyped = review::shownFields(tablets);
    retyped[9] = u"针剂"_s;
    QTest::newRow("tablet becomes injection: new zone page")
        << sixteen << 8 << retyped << 240.0 << u"贰佰肆拾元整"_s << 16 << 3;
    QStringList untyped = review::shownFields(tablets);
    untyped[9] = u"中药"_s;
    QTest::newRow("type no slip zone knows") << sixteen << 8 << untyped << 240.0 << u"贰佰肆拾元整"_s << 15 << 2;

    QStringList unformatted = review::shownFields(tablets);
    unformatted[3] = u"2.5"_s;
    unformatted[4] = u"abc"_s;
    QTest::newRow("price as typed, amount text counts 0")
        << Lines { { 1, tablets }, { 3, injection } } << 1 << unformatted << 5.0 << u"伍元整"_s << 2 << 2;
}

void TestLineCorrection::correctLine()
{
    QFETCH(Lines, lines);
    QFETCH(int, line);
    QFETCH(QStringList, texts);
    QFETCH(double, total);
    QFETCH(QString, inWords);
    QFETCH(int, typedLines);
    QFETCH(int, slipPages);

    WorkingSet set = saleOf(lines);
    set.SerialText = u"XH00000000007Q"_s;
    set.CustomerUnit = u"仁和药店"_s;
    set.StoredFlag = false;
    set.NextLine = 17;
    const QString purchasePrice = set.TransactionLines[static_cast<size_t>(line)].purchasePrice;

    review::correctLine(set, line, texts);

    const Line& corrected = set.TransactionLines[static_cast<size_t>(line)];
    QCOMPARE(review::shownFields(corrected), texts);
    QCOMPARE(corrected.purchasePrice, purchasePrice);
    QCOMPARE(set.TotalAmount, total);
    QCOMPARE(set.TotalInWords, inWords);
    QCOMPARE(int(set.TypedLineCount), typedLines);
    QCOMPARE(int(set.SlipPageCount), slipPages);
    QCOMPARE(set.SerialText, u"XH00000000007Q"_s);
    QCOMPARE(set.CustomerUnit, u"仁和药店"_s);
    QCOMPARE(set.StoredFlag, false);
    QCOMPARE(int(set.NextLine), 17);
}

void TestLineCorrection::correctionOutsideTheLinesDoesNothing_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("textCount");
    QTest::newRow("line 0") << 0 << 10;
    QTest::newRow("line 1001") << 1001 << 10;
    QTest::newRow("nine texts") << 1 << 9;
}

void TestLineCorrection::correctionOutsideTheLinesDoesNothing()
{
    QFETCH(int, line);
    QFETCH(int, textCount);
    WorkingSet set = saleOf({ { 1, named(u"甲"_s) } });
    set.TotalInWords = u"旧"_s;
    review::correctLine(set, line, QStringList(textCount, u"x"_s));
    QCOMPARE(review::shownFields(set.TransactionLines[1]), review::shownFields(named(u"甲"_s)));
    QCOMPARE(set.TransactionLines[0].name, QString());
    QCOMPARE(set.TotalInWords, u"旧"_s);
}

void TestLineCorrection::rowAfterCorrection_data()
{
    QTest::addColumn<int>("corrected");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("selected");
    QTest::newRow("first of three: the next") << 0 << 3 << 1;
    QTest::newRow("last of three: itself") << 2 << 3 << 2;
    QTest::newRow("only row: itself") << 0 << 1 << 0;
}

void TestLineCorrection::rowAfterCorrection()
{
    QFETCH(int, corrected);
    QFETCH(int, rowCount);
    QFETCH(int, selected);
    QCOMPARE(review::rowAfterCorrection(corrected, rowCount), selected);
}

QTEST_GUILESS_MAIN(TestLineCorrection)
#include "test_line_correction.moc"
