#include "store/options.h"
#include "support/scratch_database.h"
#include "transaction/expiry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestExpiry final : public QObject
{
    Q_OBJECT

private slots:
    void expiryDate_data();
    void expiryDate();
    void warning_data();
    void warning();
};

void TestExpiry::expiryDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: no date, the text is left alone

    QTest::newRow("year-month") << u"2028-10"_s << QDate(2028, 10, 31);
    QTest::newRow("year.month") << u"2028.10"_s << QDate(2028, 10, 31);
    QTest::newRow("year/month/day") << u"2028/10/31"_s << QDate(2028, 10, 31);
    QTest::newRow("yyyymm") << u"202810"_s << QDate(2028, 10, 31);
    QTest::newRow("yyyymmdd") << u"20281015"_s << QDate(2028, 10, 15);
    QTest::newRow("year-month-day") << u"2028-10-15"_s << QDate(2028, 10, 15);
    QTest::newRow("one-digit month, leap February") << u"2028.2"_s << QDate(2028, 2, 29);
    QTest::newRow("one-digit month, common February") << u"2027/2"_s << QDate(2027, 2, 28);
    QTest::newRow("thirty-day month") << u"202811"_s << QDate(2028, 11, 30);
    QTest::newRow("blanks around") << u" 2028-10 "_s << QDate(2028, 10, 31);

    QTest::newRow("empty") << QString() << QDate();
    QTest::newRow("words") << u"见包装"_s << QDate();
    QTest::newRow("month 13") << u"2028-13"_s << QDate();
    QTest::newRow("month 0") << u"202800"_s << QDate();
    QTest::newRow("no 30 February") << u"2028/02/30"_s << QDate();
    QTest::newRow("no 31 November") << u"20281131"_s << QDate();
    QTest::newRow("two separators") << u"2028-10/31"_s << QDate();
    QTest::newRow("five digits") << u"20281"_s << QDate();
    QTest::newRow("seven digits") << u"2028101"_s << QDate();
    QTest::newRow("two-digit year") << u"28-10"_s << QDate();
    QTest::newRow("Chinese date") << u"2028年10月"_s << QDate();
    QTest::newRow("full-width digits") << u"２０２８-１０"_s << QDate();
    QTest::newRow("a batch number") << u"B2028-10"_s << QDate();
}

void TestExpiry::expiryDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const std::optional<QDate> read = transaction::expiryDate(text);
    QCOMPARE(read.has_value(), date.isValid());
    if (read)
        QCOMPARE(*read, date);
}

void TestExpiry::warning_data()
{
    QTest::addColumn<QString>("storedMonths"); // empty: nothing stored, as in an older database
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("question"); // empty: none asked

    const QDate today(2028, 4, 15);
    const QString past = u"该批药品已过有效期,是否修改?"_s;
    const QString withinSix = u"该批药品有效期不足6个月,是否修改?"_s;
    QTest::newRow("past: the day before") << QString() << today << u"2028/04/14"_s << past;
    QTest::newRow("past: last month") << QString() << today << u"202803"_s << past;
    QTest::newRow("its last day is today") << QString() << today << u"20280415"_s << withinSix;
    QTest::newRow("this month") << QString() << today << u"2028.4"_s << withinSix;
    QTest::newRow("inside: a day short of six months") << QString() << today << u"2028-10-14"_s << withinSix;
    QTest::newRow("six months exactly") << QString() << today << u"2028-10-15"_s << QString();
    QTest::newRow("outside: month of six months on") << QString() << today << u"2028-10"_s << QString();
    QTest::newRow("outside: years on") << QString() << today << u"20310101"_s << QString();
    QTest::newRow("not a date") << QString() << today << u"见包装"_s << QString();
    QTest::newRow("empty") << QString() << today << QString() << QString();
    // six months from 31 August end on the last day of February
    QTest::newRow("month end: February's last day") << QString() << QDate(2028, 8, 31) << u"2029-02"_s << QString();
    QTest::newRow("month end: a day before") << QString() << QDate(2028, 8, 31) << u"2029/2/27"_s << withinSix;

    QTest::newRow("stored 3: inside") << u"3"_s << today << u"2028-07-14"_s << u"该批药品有效期不足3个月,是否修改?"_s;
    QTest::newRow("stored 3: outside") << u"3"_s << today << u"2028-07-15"_s << QString();
    QTest::newRow("stored 12: inside") << u"12"_s << today << u"2029-03"_s << u"该批药品有效期不足12个月,是否修改?"_s;
    QTest::newRow("stored 0: only the past") << u"0"_s << today << u"20280415"_s << QString();
    QTest::newRow("stored 0: past") << u"0"_s << today << u"2028-04-14"_s << past;
}

void TestExpiry::warning()
{
    QFETCH(QString, storedMonths);
    QFETCH(QDate, today);
    QFETCH(QString, expiry);
    QFETCH(QString, question);
    testsupport::ScratchDatabase scratch(true);
    if (!storedMonths.isEmpty())
        QVERIFY(store::storeExpiryWarningMonths(scratch.db(), storedMonths.toInt()));
    QCOMPARE(transaction::expiryWarning(scratch.db(), expiry, today), question);
}

QTEST_GUILESS_MAIN(TestExpiry)
#include "test_expiry.moc"
