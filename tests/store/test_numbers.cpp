#include "store/numbers.h"

#include <QTest>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestNumbers final : public QObject
{
    Q_OBJECT

private slots:
    void numValue_data();
    void numValue();
    void numText_data();
    void numText();
};

void TestNumbers::numValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("stored year") << u" 2003"_s << 2003.0;
    QTest::newRow("price with trailing zero") << u"12.50"_s << 12.5;
    QTest::newRow("leading zeros") << u"007"_s << 7.0;
    QTest::newRow("blanks then text after") << u"  12.50元"_s << 12.5;
    QTest::newRow("blank between digits") << u"1 2"_s << 12.0;
    QTest::newRow("tab and line feed") << u"\t1\n2.5"_s << 12.5;
    QTest::newRow("carriage return ends") << u"1\r2"_s << 1.0;
    QTest::newRow("carriage return before line feed ends") << u"3\r\n4"_s << 3.0;
    QTest::newRow("blank after sign") << u"- 5"_s << -5.0;
    QTest::newRow("negative") << u"-3.5"_s << -3.5;
    QTest::newRow("plus sign") << u"+4"_s << 4.0;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("point last") << u"5."_s << 5.0;
    QTest::newRow("second point ends") << u"1.2.3"_s << 1.2;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("capital exponent with sign") << u"25E-2"_s << 0.25;
    QTest::newRow("exponent with blanks") << u"1 e 2"_s << 100.0;
    QTest::newRow("e without digits") << u"1e"_s << 1.0;
    QTest::newRow("e and sign without digits") << u"2e+x"_s << 2.0;
    QTest::newRow("e then letters") << u"3eabc"_s << 3.0;
    QTest::newRow("letters first") << u"abc"_s << 0.0;
    QTest::newRow("letter before digits") << u"x12"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks only") << u"   "_s << 0.0;
    QTest::newRow("sign only") << u"-"_s << 0.0;
    QTest::newRow("point only") << u"."_s << 0.0;
    QTest::newRow("double sign") << u"--5"_s << 0.0;
    QTest::newRow("negative zero") << u"-0"_s << 0.0;
    QTest::newRow("full-width digits") << u"１２"_s << 0.0;
    QTest::newRow("full-width digit ends") << u"3４"_s << 3.0;
    QTest::newRow("ideographic space ends") << u"5\u30006"_s << 5.0;
    QTest::newRow("comma ends") << u"1,234"_s << 1.0;
    QTest::newRow("many digits") << u"123456789012345678901234567890"_s << 1.2345678901234568e29;
    QTest::newRow("underflow") << u"1e-400"_s << 0.0;
    QTest::newRow("zeros with huge exponent") << u"0.000e99999"_s << 0.0;
    QTest::newRow("overflow") << u"1e400"_s << std::numeric_limits<double>::max();
    QTest::newRow("negative overflow") << u"-9e99999999999999999999"_s << -std::numeric_limits<double>::max();
}

void TestNumbers::numValue()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = store::NumValue(text);
    QCOMPARE(value, expected);
    QVERIFY(!std::signbit(value) || value < 0);
}

void TestNumbers::numText_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64(0) << u" 0"_s;
    QTest::newRow("positive") << qint64(2003) << u" 2003"_s;
    QTest::newRow("negative") << qint64(-5) << u"-5"_s;
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << u" 9223372036854775807"_s;
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << u"-9223372036854775808"_s;
}

void TestNumbers::numText()
{
    QFETCH(qint64, number);
    QFETCH(QString, expected);
    QCOMPARE(store::NumText(number), expected);
    QCOMPARE(store::NumValue(store::NumText(number)), double(number));
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
