#include "transaction/amounts.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestAmounts final : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void lineAmount_data();
    void lineAmount();
    void storedUnitPrice_data();
    void storedUnitPrice();
    void priceRule_data();
    void priceRule();
};

void TestAmounts::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 42.0 << u"42.00"_s;
    QTest::newRow("below one") << 0.5 << u"0.50"_s;
    QTest::newRow("zero") << 0.0 << u"0.00"_s;
    QTest::newRow("half held below in binary") << 2.675 << u"2.68"_s;
    QTest::newRow("1.005 held below in binary") << 1.005 << u"1.01"_s;
    QTest::newRow("half held above in binary") << 0.125 << u"0.13"_s;
    QTest::newRow("below half") << 0.124 << u"0.12"_s;
    QTest::newRow("carry through nines") << 9.995 << u"10.00"_s;
    QTest::newRow("negative half away from zero") << -2.675 << u"-2.68"_s;
    QTest::newRow("negative that rounds to zero") << -0.001 << u"0.00"_s;
    QTest::newRow("sum with binary noise") << (0.1 + 0.2) << u"0.30"_s;
    QTest::newRow("no thousands separator") << 1234567.891 << u"1234567.89"_s;
    QTest::newRow("no exponent when large") << 1e20 << u"100000000000000000000.00"_s;
    QTest::newRow("no exponent when small") << 1e-9 << u"0.00"_s;
}

void TestAmounts::format()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(transaction::formatAmount(value), text);
}

void TestAmounts::lineAmount_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("amount"); // empty: no amount, the box keeps what it showed

    QTest::newRow("12 x 3.5") << u"12"_s << u"3.5"_s << u"42.00"_s;
    QTest::newRow("3 x 0.333 rounds up") << u"3"_s << u"0.333"_s << u"1.00"_s;
    QTest::newRow("3 x 1.15 is 3.45 exactly") << u"3"_s << u"1.15"_s << u"3.45"_s;
    QTest::newRow("half rounds away from zero") << u"1"_s << u"2.675"_s << u"2.68"_s;
    QTest::newRow("product half") << u"5"_s << u"0.001"_s << u"0.01"_s;
    QTest::newRow("price without integer digit") << u"4"_s << u".25"_s << u"1.00"_s;
    QTest::newRow("price ending in a point") << u"4"_s << u"2."_s << u"8.00"_s;
    QTest::newRow("leading zeros") << u"007"_s << u"01.10"_s << u"7.70"_s;
    QTest::newRow("zero quantity") << u"0"_s << u"9.99"_s << u"0.00"_s;
    QTest::newRow("pasted exponent") << u"2"_s << u"1e2"_s << u"200.00"_s;
    QTest::newRow("many digits stay exact") << u"99999999999"_s << u"9999999.99"_s << u"999999998990000000.01"_s;
    QTest::newRow("empty quantity") << QString() << u"3.5"_s << QString();
    QTest::newRow("empty price") << u"12"_s << QString() << QString();
    QTest::newRow("lone point") << u"12"_s << u"."_s << QString();
    QTest::newRow("two points") << u"12"_s << u"1.2.3"_s << QString();
    QTest::newRow("pasted words") << u"12"_s << u"三块五"_s << QString();
    QTest::newRow("number then text") << u"12"_s << u"3.5元"_s << QString();
    QTest::newRow("pasted quantity with space inside") << u"1 2"_s << u"3.5"_s << QString();
    QTest::newRow("beyond a double") << u"1"_s << u"1e999"_s << QString();
}

void TestAmounts::lineAmount()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, amount);
    const auto computed = transaction::lineAmount(quantity, price);
    QCOMPARE(computed.value_or(QString()), amount);
}

void TestAmounts::storedUnitPrice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("two decimals added") << u"3.5"_s << u"3.50"_s;
    QTest::newRow("half rounds up") << u"2.675"_s << u"2.68"_s;
    QTest::newRow("empty is zero") << QString() << u"0.00"_s;
    QTest::newRow("leading number of a longer text") << u"1.2.3"_s << u"1.20"_s;
    QTest::newRow("lone point") << u"."_s << u"0.00"_s;
}

void TestAmounts::storedUnitPrice()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(transaction::storedUnitPrice(typed), stored);
}

void TestAmounts::priceRule_data()
{
    QTest::addColumn<QString>("purchasePrice");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("asks");
    QTest::newRow("below") << u"4.20"_s << u"3.5"_s << true;
    QTest::newRow("equal") << u"4.20"_s << u"4.2"_s << false;
    QTest::newRow("above") << u"4.20"_s << u"5"_s << false;
    QTest::newRow("price left empty") << u"4.20"_s << QString() << true;
    QTest::newRow("no medicine looked up") << QString() << u"3.5"_s << false;
    QTest::newRow("no medicine and no price") << QString() << QString() << false;
}

void TestAmounts::priceRule()
{
    QFETCH(QString, purchasePrice);
    QFETCH(QString, price);
    QFETCH(bool, asks);
    QCOMPARE(transaction::isBelowPurchasePrice(purchasePrice, price), asks);
}

QTEST_APPLESS_MAIN(TestAmounts)
#include "test_amounts.moc"
