#include "slip/capitals.h"

#include <QTest>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestCapitals final : public QObject
{
    Q_OBJECT

private slots:
    void amount_data();
    void amount();
    void digit_data();
    void digit();
};

void TestCapitals::amount_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("capitals");

    QTest::newRow("zero") << 0.0 << u" "_s;
    QTest::newRow("five jiao") << 0.5 << u"伍角"_s;
    QTest::newRow("five fen") << 0.05 << u"伍分"_s;
    QTest::newRow("one jiao") << 0.1 << u"壹角"_s;
    QTest::newRow("yuan and fen") << 1.05 << u"壹元伍分"_s;
    QTest::newRow("yuan and jiao") << 1.5 << u"壹元伍角"_s;
    QTest::newRow("third decimal dropped, zero fen written") << 1.205 << u"壹元贰角零分"_s;
    QTest::newRow("ten") << 10.0 << u"壹拾元"_s;
    QTest::newRow("twenty point three") << 20.3 << u"贰拾元叁角"_s;
    QTest::newRow("zero tens") << 101.0 << u"壹佰零壹元"_s;
    QTest::newRow("zero units") << 110.0 << u"壹佰壹拾元"_s;
    QTest::newRow("no zero before fen") << 1000.01 << u"壹仟元壹分"_s;
    QTest::newRow("run of zeros gives one") << 1001.0 << u"壹仟零壹元"_s;
    QTest::newRow("1010") << 1010.0 << u"壹仟零壹拾元"_s;
    QTest::newRow("ten thousand") << 10000.0 << u"壹万元"_s;
    QTest::newRow("10001") << 10001.0 << u"壹万零壹元"_s;
    QTest::newRow("10100") << 10100.0 << u"壹万零壹佰元"_s;
    QTest::newRow("hundred thousand") << 100000.0 << u"壹拾万元"_s;
    QTest::newRow("100010") << 100010.0 << u"壹拾万零壹拾元"_s;
    QTest::newRow("no zero after wan before thousands") << 1001000.0 << u"壹佰万壹仟元"_s;
    QTest::newRow("1010000") << 1010000.0 << u"壹佰零壹万元"_s;
    QTest::newRow("ten million and a half") << 10000000.5 << u"壹仟万元伍角"_s;
    QTest::newRow("every place") << 12345678.9 << u"壹仟贰佰叁拾肆万伍仟陆佰柒拾捌元玖角"_s;
    QTest::newRow("largest in range") << 99999999.99 << u"玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"_s;
    QTest::newRow("negative") << -12.5 << u"负壹拾贰元伍角"_s;
    QTest::newRow("binary noise of a sum") << (0.1 + 0.2) << u"叁角"_s;
    QTest::newRow("sum held below its decimal value") << 12.299999999999999 << u"壹拾贰元叁角"_s;

    // beyond the eight digits of the slip's range
    QTest::newRow("one yi") << 100000000.0 << u"壹亿元"_s;
    QTest::newRow("yi group then every place") << 123456789.0 << u"壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元"_s;
    QTest::newRow("zeros after yi read once") << 100000001.5 << u"壹亿零壹元伍角"_s;
    QTest::newRow("one zero after yi") << 102345678.0 << u"壹亿零贰佰叁拾肆万伍仟陆佰柒拾捌元"_s;
    QTest::newRow("zeros after yi before wan") << 100010000.0 << u"壹亿零壹万元"_s;
    QTest::newRow("wan of yi") << 1200000000000.0 << u"壹万贰仟亿元"_s;
    QTest::newRow("sixteen digits and more: nothing") << 1e16 << QString();
    QTest::newRow("largest double: nothing") << std::numeric_limits<double>::max() << QString();
    QTest::newRow("infinity: nothing") << std::numeric_limits<double>::infinity() << QString();
    QTest::newRow("not a number: nothing") << std::numeric_limits<double>::quiet_NaN() << QString();
    QTest::newRow("below a fen needing an exponent") << 1e-7 << u"零分"_s;
    QTest::newRow("negative below a fen") << -1e-300 << u"负零分"_s;
}

void TestCapitals::amount()
{
    QFETCH(double, amount);
    QFETCH(QString, capitals);
    QCOMPARE(slip::AmountInCapitals(amount), capitals);
}

void TestCapitals::digit_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("capital");
    QTest::newRow("0") << 0.0 << u"零"_s;
    QTest::newRow("7") << 7.0 << u"柒"_s;
    QTest::newRow("9") << 9.0 << u"玖"_s;
    QTest::newRow("10") << 10.0 << QString();
    QTest::newRow("2.5") << 2.5 << QString();
    QTest::newRow("-1") << -1.0 << QString();
}

void TestCapitals::digit()
{
    QFETCH(double, value);
    QFETCH(QString, capital);
    QCOMPARE(slip::CapitalDigit(value), capital);
}

QTEST_APPLESS_MAIN(TestCapitals)
#include "test_capitals.moc"
